// The browser's controls in the main window: the star commands of the Browse menu,
// the format filter under the tree, the image counts and the zoom grip of the thumbnail
// bar, and its open/close button.
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QtCore/qtestsupport_core.h>

#include "browse/ScrollControl.h"
#include "browse/StarList.h"
#include "browse/ZzQFiterControl.h"
#include "canvas/CanvasLayout.h"
#include "controls/MenuModel.h"
#include "controls/UserqzProcess.h"
#include "foundation/CommandKeys.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMainFixture.h"
#include "mainwindow/MenuCommands.h"

namespace {

// A window listing a folder of three PNG pictures and two JPEG ones.
class BrowseInWindow : public FrmMainTest {
 protected:
  void SetUp() override {
    FrmMainTest::SetUp();
    // The shipped pictures of the bar and the filter, as an install has them.
    const QString shipped = QCoreApplication::applicationDirPath() + "/Datas/";
    for (const char* name : {"Scroll.png", "ScrollTop.png", "Eye.png", "Favorties.png"}) {
      QFile::copy(shipped + name, ModPublic::DataFolderPath + name);
    }
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(30, 120, 200));
    for (const char* name : {"a.png", "b.png", "c.jpg", "d.png", "e.jpg"}) {
      picture.save(pictures.File(name));
    }
    FrmMain& window = Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.Sheet().isHidden(); }, 5000));
    window.Sheet().Path(pictures.Path());
    Redraw();
  }
  void Redraw() {
    m_window->Sheet().CreateThumbnail();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->Sheet().SheetReady(); }, 30000));
  }
  int RowOf(const QString& name) {
    const auto& rows = m_window->Sheet().FileRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
      if (rows[i].Name == name) {
        return i;
      }
    }
    return -1;
  }
  void Select(std::initializer_list<const char*> names) {
    ThumViewer& sheet = m_window->Sheet();
    int shift = 0;
    for (const char* name : names) {
      const QPointF at = sheet.HitRect(RowOf(name)).center();
      sheet.PressThumbnail(1, shift, float(at.x()), float(at.y()));
      shift = 2;  // Ctrl adds the next ones
    }
  }

  // Runs a menu command, as a pick in the menu does.
  void Run(std::string_view key) { ASSERT_TRUE(MenuCommands::Run(*m_window, key, MenuCommands::Route::Menu)); }

  TestSupport::TestFolder pictures;
};

}  // namespace

TEST_F(BrowseInWindow, StarsFromTheMenuSortByStarAndGoAgain) {
  Select({"d.png", "a.png"});
  Run(CommandKeys::View_Addstar);
  QFile list(StarList::FilePath(pictures.Path()));
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  EXPECT_EQ(list.readAll(), QByteArray("a.png\r\nd.png\r\n"));
  m_window->grab().save(TestSupport::ArtifactsFolder() + "/main-window-stars.png");
  Run(CommandKeys::View_Sortstar);
  EXPECT_EQ(m_window->Sheet().ThumbnaillSort(), 5);
  const auto& rows = m_window->Sheet().FileRows();
  EXPECT_EQ(rows[3].Name, "a.png");
  EXPECT_EQ(rows[4].Name, "d.png");
  Redraw();
  Select({"a.png"});
  Run(CommandKeys::View_Removestar);
  EXPECT_EQ(m_window->Sheet().StarNames(), QStringList{"d.png"});
}

TEST_F(BrowseInWindow, SwitchingJpegOffTakesTheJpegFilesOffTheSheet) {
  m_window->SidePanel().SetToolselect(UserqzProcess::FilterSection);
  ZzQFiterControl& filter = m_window->SidePanel().ZzQFiter();
  ASSERT_TRUE(filter.isVisible());
  const QRectF jpg = filter.Rows()[7].Rect;
  ASSERT_EQ(filter.Rows()[7].Text, "*.Jpg");
  Send(filter, QEvent::MouseButtonPress, jpg.center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->Sheet().SheetReady(); }, 30000));
  EXPECT_TRUE(m_window->Sheet().HitRect(RowOf("c.jpg")).isEmpty());
  EXPECT_TRUE(m_window->Sheet().HitRect(RowOf("e.jpg")).isEmpty());
  EXPECT_FALSE(m_window->Sheet().HitRect(RowOf("d.png")).isEmpty());
  m_window->grab().save(TestSupport::ArtifactsFolder() + "/main-window-filter-without-jpeg.png");
}

TEST_F(BrowseInWindow, TheBarCountsTheSelectedAndListedImages) {
  EXPECT_EQ(m_window->ThumbnailBar().CountText(), "Total: 0/5 Images");
  Select({"b.png", "c.jpg"});
  EXPECT_EQ(m_window->ThumbnailBar().CountText(), "Total: 2/5 Images");
}

TEST_F(BrowseInWindow, TheCountFollowsWhatTheFiltersShow) {
  ThumViewer& sheet = m_window->Sheet();
  sheet.SetImageFormats("*.png");
  Redraw();
  EXPECT_EQ(m_window->ThumbnailBar().CountText(), "Total: 0/3 Images");
  sheet.SetDateWatch(FrmMain::DateWatchText(1, 1, 2000));
  Redraw();
  EXPECT_EQ(m_window->ThumbnailBar().CountText(), "Total: 0/0 Images") << "nothing was made by then";
  sheet.Path(pictures.Path());
  EXPECT_EQ(m_window->ThumbnailBar().CountText(), "Total: 0/5 Images") << "a new listing drops the filter";
}

TEST_F(BrowseInWindow, APictureOpenedBesideAnEmptySheetCountsNoCurrentOne) {
  m_window->Sheet().Path(m_folder.MakeFolder("empty"));
  Redraw();
  m_window->FileImport(pictures.File("a.png"));
  SelectedFiles::Program().SetFiles({pictures.File("a.png")});
  EXPECT_EQ(m_window->ThumbnailBar().CountText(), "Total: 0/0 Images");
}

TEST_F(BrowseInWindow, DraggingTheGripLeavesFitModeAndZoomsTheCanvas) {
  ASSERT_TRUE(m_window->Canvas().Open(pictures.File("a.png")));
  m_window->Canvas().SetFitMode(true);
  ScrollControl& bar = m_window->ThumbnailBar();
  bar.ResetPaint();
  Send(bar, QEvent::MouseButtonPress, bar.GripRect().center());
  Send(bar, QEvent::MouseMove, QPointF(bar.TrackLeft() + 6 + 100, 10));
  EXPECT_FALSE(m_window->Canvas().FitMode());
  EXPECT_EQ(bar.Value(), 100);
  EXPECT_FLOAT_EQ(m_window->Canvas().Zoom(), CanvasLayout::ZoomFromSlider(100));
  Send(bar, QEvent::MouseButtonRelease, QPointF(bar.TrackLeft() + 6 + 100, 10));
  EXPECT_FALSE(bar.qzisDrag);
}

TEST_F(BrowseInWindow, TheOpenCloseButtonCollapsesAndOpensTheSheet) {
  ScrollControl& bar = m_window->ThumbnailBar();
  ASSERT_FALSE(bar.isOpenthum());
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    Send(*bar.ToggleButton(), type, QPointF(8, 8));
  }
  EXPECT_TRUE(bar.isOpenthum());
  EXPECT_TRUE(m_window->Sheet().isHidden());
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    Send(*bar.ToggleButton(), type, QPointF(8, 8));
  }
  EXPECT_FALSE(bar.isOpenthum());
  EXPECT_FALSE(m_window->Sheet().isHidden());
}
