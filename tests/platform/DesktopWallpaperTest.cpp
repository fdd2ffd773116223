#include "platform/Desktop.h"

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include <QImage>
#include <QUrl>
#include <xcb/xcb.h>

#include "app/ProgramRun.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeCommandRunner.h"

namespace {

using Desktop::Kind;

// Sets XDG_CURRENT_DESKTOP for a test's life.
class CurrentDesktop {
 public:
  explicit CurrentDesktop(const char* name) : m_old(qgetenv("XDG_CURRENT_DESKTOP")) {
    qputenv("XDG_CURRENT_DESKTOP", name);
  }
  ~CurrentDesktop() { qputenv("XDG_CURRENT_DESKTOP", m_old); }

 private:
  QByteArray m_old;
};

QStringList Gsettings(const char* schema, const char* key, const QString& value) {
  return {"set", schema, key, value};
}

}  // namespace

TEST(DesktopWallpaper, DesktopIsKnownByAnyNameOfItsList) {
  EXPECT_EQ(Desktop::KindOf("ubuntu:GNOME"), Kind::Gnome);
  EXPECT_EQ(Desktop::KindOf("Budgie:GNOME"), Kind::Gnome);
  EXPECT_EQ(Desktop::KindOf("X-Cinnamon"), Kind::Cinnamon);
  EXPECT_EQ(Desktop::KindOf("MATE"), Kind::Mate);
  EXPECT_EQ(Desktop::KindOf("KDE"), Kind::Plasma);
  EXPECT_EQ(Desktop::KindOf("XFCE"), Kind::Xfce);
  EXPECT_EQ(Desktop::KindOf(""), Kind::Other);
  EXPECT_EQ(Desktop::KindOf("i3"), Kind::Other);
}

TEST(DesktopWallpaper, EachDesktopIsToldThroughItsOwnProgram) {
  const QString path = "/data/Datas/LorvaPaper.bmp";
  const QString uri = QUrl::fromLocalFile(path).toString();
  {
    CurrentDesktop desktop("ubuntu:GNOME");
    Fakes::FakeCommandRunner::Scope fake;
    fake.record.installed = {"gsettings"};
    ASSERT_TRUE(Desktop::SetDesktopWallpaper(path));
    ASSERT_EQ(fake.record.calls.size(), 3u);
    EXPECT_EQ(fake.record.calls[0].arguments, Gsettings("org.gnome.desktop.background", "picture-uri", uri));
    EXPECT_EQ(fake.record.calls[1].arguments, Gsettings("org.gnome.desktop.background", "picture-uri-dark", uri));
    EXPECT_EQ(fake.record.calls[2].arguments,
              Gsettings("org.gnome.desktop.background", "picture-options", "stretched"));
  }
  {
    CurrentDesktop desktop("MATE");
    Fakes::FakeCommandRunner::Scope fake;
    fake.record.installed = {"gsettings"};
    ASSERT_TRUE(Desktop::SetDesktopWallpaper(path));
    EXPECT_EQ(fake.record.calls[0].arguments, Gsettings("org.mate.background", "picture-filename", path));
  }
  {
    CurrentDesktop desktop("KDE");
    Fakes::FakeCommandRunner::Scope fake;
    fake.record.installed = {"plasma-apply-wallpaperimage"};
    ASSERT_TRUE(Desktop::SetDesktopWallpaper(path));
    ASSERT_EQ(fake.record.calls.size(), 1u);
    EXPECT_EQ(fake.record.calls[0].arguments, QStringList{path});
  }
  {
    CurrentDesktop desktop("XFCE");
    Fakes::FakeCommandRunner::Scope fake;
    fake.record.installed = {"xfconf-query"};
    fake.record.outputs["xfconf-query"] =
        "/backdrop/screen0/monitor0/workspace0/last-image\n/backdrop/screen0/monitor0/workspace0/color-style\n"
        "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n";
    ASSERT_TRUE(Desktop::SetDesktopWallpaper(path));
    ASSERT_EQ(fake.record.calls.size(), 3u);
    EXPECT_EQ(fake.record.calls[2].arguments,
              QStringList({"-c", "xfce4-desktop", "-p", "/backdrop/screen0/monitorHDMI-1/workspace0/last-image",
                           "-s", path}));
  }
}

TEST(DesktopWallpaper, RootWindowPictureIsAnnouncedOnTheDisplay) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  ProgramRun::VirtualDisplay display;
  ASSERT_FALSE(display.Name().isEmpty());
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(qRgb(200, 30, 40));
  ASSERT_TRUE(Desktop::SetRootWindowPicture(picture, display.Name().toLatin1()));

  xcb_connection_t* x = xcb_connect(display.Name().toLatin1().constData(), nullptr);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(x, xcb_intern_atom(x, 1, 13, "_XROOTPMAP_ID"), nullptr);
  ASSERT_NE(atom, nullptr);
  xcb_get_property_reply_t* property =
      xcb_get_property_reply(x, xcb_get_property(x, 0, root, atom->atom, XCB_ATOM_PIXMAP, 0, 1), nullptr);
  ASSERT_NE(property, nullptr);
  EXPECT_EQ(xcb_get_property_value_length(property), 4);
  // The root window shows the picture, stretched over the whole screen.
  xcb_get_image_reply_t* shot =
      xcb_get_image_reply(x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 1000, 700, 1, 1, ~0u), nullptr);
  ASSERT_NE(shot, nullptr);
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, xcb_get_image_data(shot), 4);
  EXPECT_EQ(pixel & 0xFFFFFFu, 0xC81E28u);
  std::free(shot);
  std::free(property);
  std::free(atom);
  xcb_disconnect(x);
}
