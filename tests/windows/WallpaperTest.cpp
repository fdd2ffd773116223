#include "windows/Wallpaper.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "foundation/ModPublic.h"
#include "support/TestFolder.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

const QSize kScreen(1920, 1080);
int g_setterCalls = 0;
QString g_setterPath;
bool g_setterAnswer = true;

bool FakeSetter(const QString& path) {
  ++g_setterCalls;
  g_setterPath = path;
  return g_setterAnswer;
}

QImage Plain(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

class WallpaperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_setterCalls = 0;
    g_setterPath.clear();
    g_setterAnswer = true;
  }
  TestSupport::TestFolder folder;
};

}  // namespace

TEST(WallpaperPlacement, SmallPicturesAreCentredAboveTheTaskbarOthersFillTheScreen) {
  EXPECT_EQ(Wallpaper::Placement({800, 600}, kScreen), QRect(560, 220, 800, 600));
  EXPECT_EQ(Wallpaper::Placement({1920, 600}, kScreen), QRect(QPoint(0, 0), kScreen));
  EXPECT_EQ(Wallpaper::Placement({600, 1080}, kScreen), QRect(QPoint(0, 0), kScreen));
  EXPECT_EQ(Wallpaper::Placement({1919, 1079}, kScreen), QRect(0, -19, 1919, 1079));
}

TEST(WallpaperRender, SmallPictureSitsOnTheThemeColourWithFaintStripes) {
  const QImage wallpaper = Wallpaper::Render(Plain(800, 600, 0xFFFF0000), kScreen, 0xFF648CC8);
  ASSERT_EQ(wallpaper.size(), kScreen);
  EXPECT_EQ(wallpaper.pixel(560, 220), 0xFFFF0000u);
  EXPECT_EQ(wallpaper.pixel(1359, 819), 0xFFFF0000u);
  EXPECT_EQ(wallpaper.pixel(559, 400), 0xFF648CC8u) << "a row between the stripes keeps the theme colour";
  // The two-pixel band lightens the theme colour a little.
  const QRgb band = wallpaper.pixel(10, 2);
  EXPECT_GT(qBlue(band), 0xC8);
  EXPECT_LT(qRed(band), 0x90);
  EXPECT_EQ(qAlpha(band), 255);
  wallpaper.save(TestSupport::ArtifactsFolder() + "/wallpaper-small.png");

  const QImage stretched = Wallpaper::Render(Plain(1920, 600, 0xFF00FF00), kScreen, 0xFF648CC8);
  EXPECT_EQ(stretched.pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(stretched.pixel(1919, 1079), 0xFF00FF00u);
}

TEST(WallpaperRender, AFullScreenPictureWithTransparencyShowsTheThemeColourThrough) {
  QImage picture = Plain(1920, 1080, 0x00000000);
  for (int y = 0; y < 540; ++y) {
    std::fill_n(reinterpret_cast<QRgb*>(picture.scanLine(y)), picture.width(), 0xFFFF0000u);
  }
  const QImage wallpaper = Wallpaper::Render(picture, kScreen, 0xFF648CC8);
  EXPECT_EQ(wallpaper.pixel(100, 100), 0xFFFF0000u);
  // Every pixel the picture leaves clear is the theme colour, with no stripes.
  for (int y = 541; y < kScreen.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(wallpaper.constScanLine(y));
    ASSERT_EQ(std::count(row, row + kScreen.width(), 0xFF648CC8u), kScreen.width()) << "row " << y;
  }
}

TEST_F(WallpaperTest, NoTouchesNothingAndYesWritesTheBitmapForTheDesktop) {
  Fakes::ScriptedMessageBox boxes({Forms::vbNo, Forms::vbYes});
  const QImage picture = Plain(800, 600, 0xFFFF0000);
  EXPECT_TRUE(Wallpaper::SetAsWallpaper(picture, kScreen, folder.Path(), FakeSetter).isEmpty());
  EXPECT_FALSE(QFile::exists(folder.File("LorvaPaper.bmp")));
  EXPECT_EQ(g_setterCalls, 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Confirm");
  EXPECT_EQ(boxes.shown[0].prompt, "This will replace your current desktop background with the current image.\n"
                                   "Are you sure you want to proceed?");

  const QString path = Wallpaper::SetAsWallpaper(picture, kScreen, folder.Path(), FakeSetter);
  EXPECT_EQ(path, folder.File("LorvaPaper.bmp"));
  EXPECT_EQ(g_setterCalls, 1);
  EXPECT_EQ(g_setterPath, path);
  const QImage written(path);
  ASSERT_EQ(written.size(), kScreen);
  EXPECT_EQ(written.pixel(560, 220), 0xFFFF0000u);
  EXPECT_EQ(boxes.shown.size(), 2u) << "a desktop that took it says nothing more";
}

TEST_F(WallpaperTest, DesktopThatCannotBeToldKeepsTheFileAndSaysSo) {
  Fakes::ScriptedMessageBox boxes({Forms::vbYes});
  g_setterAnswer = false;
  const QString path = Wallpaper::SetAsWallpaper(Plain(40, 30, 0xFF0000FF), kScreen, folder.Path(), FakeSetter);
  EXPECT_TRUE(QFile::exists(path));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].prompt,
            "The wallpaper was saved as " + path + ", but the desktop could not be told to show it.");
  // Without a picture nothing is asked.
  EXPECT_TRUE(Wallpaper::SetAsWallpaper(QImage(), kScreen, folder.Path(), FakeSetter).isEmpty());
  EXPECT_EQ(boxes.shown.size(), 2u);
}
