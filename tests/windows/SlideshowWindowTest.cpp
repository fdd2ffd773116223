#include "windows/SlideshowWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QPointer>

#include <gtest/gtest.h>

#include "foundation/SelectedFiles.h"
#include "support/fakes/FakeMainWindow.h"
#include "windows/FrmSlideshow.h"

TEST(SlideshowWindow, PicturesComeFromTheSelectionOrTheSheet) {
  SelectedFiles selection;
  Fakes::FakeMainWindow host;
  host.sheet.listed = {"/p/a.jpg", "/p/b.jpg", "/p/c.jpg"};
  const ProgramPictureSource source(selection, host);
  EXPECT_EQ(SlideshowCore::PictureCount(source), 3);
  selection.SetFiles({"/p/c.jpg"});
  EXPECT_EQ(SlideshowCore::PictureAt(source, 0), "/p/a.jpg");
  selection.SetFiles({"/p/c.jpg", "/p/a.jpg"});
  EXPECT_EQ(SlideshowCore::PictureCount(source), 2);
  EXPECT_EQ(SlideshowCore::PictureAt(source, 0), "/p/c.jpg");
  // The one file opened in the dialog is the show on its own.
  selection.SetOpenedFile("/p/b.jpg");
  EXPECT_EQ(SlideshowCore::PictureCount(source), 1);
  EXPECT_EQ(SlideshowCore::PictureAt(source, 0), "/p/b.jpg");
}

TEST(SlideshowWindow, ClosedWindowIsMadeAgainOnTheNextUse) {
  SelectedFiles selection;
  Fakes::FakeMainWindow host;
  SlideshowWindow slideshow(nullptr, selection, host);
  EXPECT_EQ(slideshow.Window(), nullptr);
  slideshow.SetisFullView(true);
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  slideshow.Show();
  EXPECT_TRUE(slideshow.StartSlideshow({}, &image));
  QPointer<FrmSlideshow> first = slideshow.Window();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isFullView());
  // An ordinary top-level window, which window managers let go full screen, and sized to
  // the screen by itself where none does.
  EXPECT_EQ(first->windowType(), Qt::Window);
  EXPECT_TRUE(first->windowState() & Qt::WindowFullScreen);
  EXPECT_EQ(first->geometry(), QGuiApplication::primaryScreen()->geometry());

  slideshow.Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  slideshow.SetisFullView(false);
  slideshow.Start();
  ASSERT_NE(slideshow.Window(), nullptr);
  EXPECT_FALSE(slideshow.Window()->isFullView());
}
