// The wallpaper backends: one per desktop family, and the X root window for the rest.
#include <cstdlib>
#include <cstring>
#include <vector>

#include <QImage>
#include <QUrl>
#include <xcb/xcb.h>

#include "platform/Desktop.h"

namespace Desktop {
namespace {

struct Call {
  QString program;
  QStringList arguments;
  // A call whose failure does not fail the backend (a key older versions lack).
  bool optional = false;
};

std::vector<Call> GsettingsCalls(const QString& schema, const QString& key, const QString& value, bool dark) {
  const QString set = QStringLiteral("set");
  std::vector<Call> calls{{QStringLiteral("gsettings"), {set, schema, key, value}}};
  if (dark) {
    calls.push_back({QStringLiteral("gsettings"), {set, schema, QStringLiteral("picture-uri-dark"), value}, true});
  }
  calls.push_back({QStringLiteral("gsettings"), {set, schema, QStringLiteral("picture-options"), QStringLiteral("stretched")}});
  return calls;
}

// XFCE keeps one "last-image" per monitor and workspace; each gets the picture.
bool SetXfceWallpaper(const QString& path) {
  const QString program = QStringLiteral("xfconf-query");
  const QString channel = QStringLiteral("xfce4-desktop");
  QString listing;
  if (!Commands().Run(program, {QStringLiteral("-c"), channel, QStringLiteral("-l")}, &listing)) {
    return false;
  }
  bool any = false;
  for (const QString& property : listing.split(u'\n', Qt::SkipEmptyParts)) {
    if (property.trimmed().endsWith(QStringLiteral("/last-image"))) {
      any = Commands().Run(program, {QStringLiteral("-c"), channel, QStringLiteral("-p"), property.trimmed(),
                                     QStringLiteral("-s"), path}) ||
            any;
    }
  }
  return any;
}

bool RunAll(const std::vector<Call>& calls) {
  for (const Call& call : calls) {
    if (!Commands().Run(call.program, call.arguments) && !call.optional) {
      return false;
    }
  }
  return true;
}

bool SetByDesktop(Kind kind, const QString& path) {
  const QString uri = QUrl::fromLocalFile(path).toString();
  switch (kind) {
    case Kind::Gnome:
      return RunAll(GsettingsCalls(QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"), uri, true));
    case Kind::Cinnamon:
      return RunAll(GsettingsCalls(QStringLiteral("org.cinnamon.desktop.background"), QStringLiteral("picture-uri"), uri, false));
    case Kind::Mate:
      return RunAll(GsettingsCalls(QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"), path, false));
    case Kind::Plasma:
      return Commands().Run(QStringLiteral("plasma-apply-wallpaperimage"), {path});
    case Kind::Xfce:
      return SetXfceWallpaper(path);
    case Kind::Other:
      return false;
  }
  return false;
}

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::uint16_t(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

// The pixmap a property of the root window names; none when it is not set.
xcb_pixmap_t PixmapProperty(xcb_connection_t* x, xcb_window_t root, xcb_atom_t atom) {
  xcb_get_property_reply_t* reply =
      xcb_get_property_reply(x, xcb_get_property(x, 0, root, atom, XCB_ATOM_PIXMAP, 0, 1), nullptr);
  xcb_pixmap_t pixmap = XCB_NONE;
  if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) == 4) {
    std::memcpy(&pixmap, xcb_get_property_value(reply), 4);
  }
  std::free(reply);
  return pixmap;
}

// Sends the picture to a pixmap in bands that fit the server's largest request.
void PutPicture(xcb_connection_t* x, xcb_pixmap_t pixmap, std::uint8_t depth, const QImage& image) {
  const xcb_gcontext_t gc = xcb_generate_id(x);
  xcb_create_gc(x, gc, pixmap, 0, nullptr);
  const std::size_t rowBytes = std::size_t(image.bytesPerLine());
  const std::size_t maxBytes = std::size_t(xcb_get_maximum_request_length(x)) * 4 - 64;
  const int band = std::max(1, int(maxBytes / rowBytes));
  for (int y = 0; y < image.height(); y += band) {
    const int rows = std::min(band, image.height() - y);
    xcb_put_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, std::uint16_t(image.width()), std::uint16_t(rows), 0,
                  std::int16_t(y), 0, depth, std::uint32_t(rowBytes * std::size_t(rows)), image.constScanLine(y));
  }
  xcb_free_gc(x, gc);
}

}  // namespace

Kind KindOf(const QString& currentDesktop) {
  for (const QString& name : currentDesktop.toLower().split(u':', Qt::SkipEmptyParts)) {
    if (name == u"gnome" || name == u"budgie" || name == u"unity" || name == u"gnome-classic") {
      return Kind::Gnome;
    }
    if (name == u"x-cinnamon" || name == u"cinnamon") {
      return Kind::Cinnamon;
    }
    if (name == u"mate") {
      return Kind::Mate;
    }
    if (name == u"kde") {
      return Kind::Plasma;
    }
    if (name == u"xfce") {
      return Kind::Xfce;
    }
  }
  return Kind::Other;
}

bool SetDesktopWallpaper(const QString& path) {
  if (SetByDesktop(KindOf(qEnvironmentVariable("XDG_CURRENT_DESKTOP")), path)) {
    return true;
  }
  const QImage picture(path);
  return !picture.isNull() && SetRootWindowPicture(picture);
}

bool SetRootWindowPicture(const QImage& picture, const QByteArray& display) {
  xcb_connection_t* x = xcb_connect(display.isEmpty() ? nullptr : display.constData(), nullptr);
  const xcb_screen_t* screen = xcb_connection_has_error(x) ? nullptr : xcb_setup_roots_iterator(xcb_get_setup(x)).data;
  // Only true-colour screens take the 32-bit rows as they stand.
  if (screen == nullptr || screen->root_depth < 24 || picture.isNull()) {
    xcb_disconnect(x);
    return false;
  }
  const QImage image = picture.scaled(screen->width_in_pixels, screen->height_in_pixels, Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB32);
  const xcb_pixmap_t pixmap = xcb_generate_id(x);
  xcb_create_pixmap(x, screen->root_depth, pixmap, screen->root, screen->width_in_pixels, screen->height_in_pixels);
  PutPicture(x, pixmap, screen->root_depth, image);
  const xcb_atom_t rootId = Atom(x, "_XROOTPMAP_ID");
  const xcb_atom_t setRootId = Atom(x, "ESETROOT_PMAP_ID");
  // The previous picture, kept by a program that set it the same way, goes with its owner.
  const xcb_pixmap_t old = PixmapProperty(x, screen->root, setRootId);
  if (old != XCB_NONE && old == PixmapProperty(x, screen->root, rootId)) {
    xcb_kill_client(x, old);
  }
  for (const xcb_atom_t atom : {rootId, setRootId}) {
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, screen->root, atom, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
  }
  xcb_change_window_attributes(x, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
  xcb_clear_area(x, 0, screen->root, 0, 0, 0, 0);
  // The pixmap outlives this connection: it is the desktop's picture now.
  xcb_set_close_down_mode(x, XCB_CLOSE_DOWN_RETAIN_PERMANENT);
  std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
  const bool ok = xcb_connection_has_error(x) == 0;
  xcb_disconnect(x);
  return ok;
}

}  // namespace Desktop
