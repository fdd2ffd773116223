#include "canvas/Imageqzviewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "foundation/ModPublic.h"
#include "platform/gdiplus/Codecs.h"
#include "support/BrokenFiles.h"
#include "support/TestFolder.h"
#include "support/TestPictures.h"
#include "CanvasFixture.h"

namespace {

using TestSupport::Quadrants;

using CanvasTest = CanvasFixture;
using CanvasTesting::kBackground;

}  // namespace

TEST_F(CanvasTest, FreshControlIsSavedUnchangedAndEmpty) {
  EXPECT_TRUE(m_canvas->SaveState());
  EXPECT_FALSE(m_canvas->AppliedEffect());
  EXPECT_TRUE(m_canvas->NoOpen());
  EXPECT_FALSE(m_canvas->hasImage());
  EXPECT_FLOAT_EQ(m_canvas->Zoom(), 1.0f);
  EXPECT_TRUE(m_canvas->FitMode());
  EXPECT_EQ(m_canvas->BrushSize(), 30);
  EXPECT_EQ(m_canvas->Max(), 10);
  EXPECT_EQ(m_canvas->Kit().Knob.width(), Imageqzviewer::KnobWidth);
  EXPECT_EQ(m_canvas->Kit().Picker.size(), QSize(125, 130));
  EXPECT_FALSE(m_canvas->SaveOnly());
}

TEST_F(CanvasTest, SmallPictureIsCentredNotEnlargedAndGrabbedAsPainted) {
  ASSERT_TRUE(m_canvas->Open(Picture("small.png", Quadrants(100, 50))));
  EXPECT_FALSE(m_canvas->NoOpen());
  EXPECT_EQ(m_canvas->FitRect(), QRectF(150, 125, 100, 50));
  EXPECT_EQ(m_canvas->ShowImgWidth(), "100");
  EXPECT_EQ(At(160, 130), QColor(Qt::red).rgb());
  EXPECT_EQ(At(240, 170), QColor(Qt::white).rgb());
  EXPECT_EQ(At(100, 150), kBackground);
  const QImage grabbed = m_canvas->grab().toImage();
  EXPECT_EQ(grabbed.pixel(160, 130), QColor(Qt::red).rgb());
  EXPECT_EQ(grabbed.pixel(100, 150), kBackground);
  m_canvas->grab().save(TestSupport::ArtifactsFolder() + "/canvas-fitted.png");
}

TEST_F(CanvasTest, ZoomedLargePictureShowsTheNavigatorAndKeepsTheCentre) {
  m_canvas->SetFitMode(false);
  ASSERT_TRUE(m_canvas->Open(Picture("large.png", Quadrants(2000, 1500))));
  EXPECT_EQ(m_canvas->DisplaySize(), QSize(2000, 1500));
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(-800, -600));
  EXPECT_EQ(m_canvas->HitRectangles().Nav[0], QRectF(290, 202, 100, 75));
  EXPECT_EQ(m_canvas->HorizontalScroll()->maximum(), 1600);
  // Centre of the view is the centre of the picture: four quadrants meet at (200, 150).
  EXPECT_EQ(At(150, 100), QColor(Qt::red).rgb());
  EXPECT_EQ(At(250, 100), QColor(Qt::green).rgb());

  m_canvas->SetZoomFromSlider(22);  // 0.4: 800 x 600
  EXPECT_EQ(m_canvas->DisplaySize(), QSize(800, 600));
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(-200, -150));
  EXPECT_EQ(At(150, 100), QColor(Qt::red).rgb());
  EXPECT_EQ(At(150, 200), QColor(Qt::blue).rgb());
  m_canvas->grab().save(TestSupport::ArtifactsFolder() + "/canvas-zoomed.png");

  // Dragging on the navigator: the outline centres on the pointer, kept inside the thumbnail.
  MoveMouse(QPointF(340, 239));
  ASSERT_TRUE(m_canvas->Hit().GripHit);
  PressLeft(QPointF(340, 239));
  MoveMouse(QPointF(291, 203), Qt::LeftButton);
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(0, 0));
  EXPECT_EQ(At(10, 10), QColor(Qt::red).rgb());
  MoveMouse(QPointF(395, 299), Qt::LeftButton);
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(-400, -300));
  PressLeft(QPointF(395, 299), true);

  m_canvas->SetZoomFromSlider(5);  // 0.12: fits, centred, no navigator
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(80, 60));
  EXPECT_TRUE(m_canvas->HitRectangles().Nav[0].isEmpty());

  m_canvas->SetZoomFromSlider(55);
  m_canvas->HorizontalScroll()->setValue(100);
  EXPECT_EQ(m_canvas->ViewOffset().x(), -100);
}

TEST_F(CanvasTest, ALayoutKeepsTheZoomedViewAndAnOpenStartsItAgain) {
  m_canvas->SetFitMode(false);
  ASSERT_TRUE(m_canvas->Open(Picture("large.png", Quadrants(2000, 1500))));
  m_canvas->SetZoomFromSlider(22);  // 0.4: 800 x 600
  m_canvas->HorizontalScroll()->setValue(300);
  ASSERT_EQ(m_canvas->ViewOffset(), QPoint(-300, -150));
  m_canvas->Relayout();
  EXPECT_FLOAT_EQ(m_canvas->Zoom(), 0.4f);
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(-300, -150));
  EXPECT_EQ(At(10, 10), QColor(Qt::red).rgb());  // x 750 of the picture, still its red quarter
  EXPECT_EQ(At(210, 10), QColor(Qt::green).rgb());

  // A resize lays the picture out again and keeps the zoomed view where it was.
  m_canvas->resize(600, 300);
  EXPECT_FLOAT_EQ(m_canvas->Zoom(), 0.4f);
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(-300, -150));

  ASSERT_TRUE(m_canvas->Open(Picture("other.png", Quadrants(1000, 800))));
  EXPECT_FLOAT_EQ(m_canvas->Zoom(), 1.0f);
  EXPECT_EQ(m_canvas->DisplaySize(), QSize(1000, 800));
  EXPECT_EQ(m_canvas->ViewOffset(), QPoint(-200, -250));
}

TEST_F(CanvasTest, NewFileResetsUndoAndKeepsPositionZeroOfThePictureAsLoaded) {
  ASSERT_TRUE(m_canvas->Open(Picture("before.png", Quadrants(40, 20))));
  m_canvas->CommitUndoStep(Quadrants(20, 40));
  m_canvas->WaitForSnapshot();
  ASSERT_TRUE(m_canvas->UndoE());
  for (int i = 0; i < 3; ++i) {
    QFile f(Imageqzviewer::UndoFilePath(i));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  m_canvas->SetSaveState(false);
  m_canvas->SetAppliedEffect(true);
  ASSERT_TRUE(m_canvas->Open(Picture("a.png", Quadrants(40, 20))));
  EXPECT_TRUE(m_canvas->SaveState());
  EXPECT_FALSE(m_canvas->AppliedEffect());
  EXPECT_FALSE(m_canvas->UndoE());
  ASSERT_FALSE(m_events.undoStates.empty());
  EXPECT_EQ(m_events.undoStates.back(), std::make_pair(false, false));
  // The old files are gone and position 0 waits in memory for the first edit.
  EXPECT_EQ(m_canvas->UndoListCount(), 0);

  // A refresh keeps the file and the undo steps; a reload after saving keeps the steps.
  m_canvas->Relayout();
  EXPECT_TRUE(m_canvas->CurFilename.endsWith("a.png"));
  m_canvas->ReloadSaved(Picture("b.png", Quadrants(10, 10)));
  m_canvas->CommitUndoStep(Quadrants(10, 10));
  EXPECT_EQ(m_canvas->UndoListCount(), 2);
  const QImage snapshot(Imageqzviewer::UndoFilePath(0), "PNG");
  EXPECT_EQ(snapshot.size(), QSize(40, 20));
  EXPECT_EQ(snapshot.pixel(30, 15), QColor(Qt::white).rgb());
}

TEST_F(CanvasTest, AFileThatCannotBeOpenedEmptiesTheCanvasAndSaysWhy) {
  std::vector<TestSupport::BrokenFile> files = TestSupport::WriteBrokenFiles(m_folder);
  files.push_back({"missing.png", Gdip::LoadFailure::Missing});
  m_folder.MakeFolder("folder.png");
  files.push_back({"folder.png", Gdip::LoadFailure::Unreadable});
  for (const TestSupport::BrokenFile& file : files) {
    SCOPED_TRACE(file.Name.toStdString());
    ASSERT_TRUE(m_canvas->Open(Picture("good.png", Quadrants(100, 50))));
    EXPECT_TRUE(m_canvas->OpenFailureText().isEmpty());
    EXPECT_FALSE(m_canvas->Open(m_folder.File(file.Name)));
    EXPECT_TRUE(m_canvas->NoOpen());
    EXPECT_EQ(At(160, 130), kBackground);
    EXPECT_EQ(m_canvas->OpenFailureText(), "This file could not be opened: " + Gdip::FailureReason(file.Failure) + ".");
  }
  // The message stands in the middle of the empty canvas, also after a resize.
  m_canvas->resize(420, 300);
  const QImage shot = m_canvas->grab().toImage();
  shot.save(TestSupport::ArtifactsFolder() + "/canvas-file-not-opened.png");
  bool ink = false;
  for (int x = 20; x < 400 && !ink; ++x) {
    ink = qGray(shot.pixel(x, 150)) < 120;
  }
  EXPECT_TRUE(ink);
  m_canvas->SetFitMode(false);
  m_canvas->SetZoomFromSlider(80);
  EXPECT_EQ(At(50, 50), kBackground);
  ASSERT_TRUE(m_canvas->Open(Picture("good.png", Quadrants(100, 50))));
  EXPECT_TRUE(m_canvas->OpenFailureText().isEmpty());
}

TEST_F(CanvasTest, NewImageLoadsABlankOfTheColour) {
  ASSERT_TRUE(m_canvas->NewImage(64.4f, 32, 0x0000FFu));  // RGB reference: red
  EXPECT_EQ(m_canvas->CurFilename, ModPublic::ProgramFolder() + "Tempnewimage.png");
  EXPECT_EQ(m_canvas->ShowImgWidth(), "64");
  EXPECT_EQ(At(200, 150), QColor(Qt::red).rgb());
  EXPECT_FALSE(m_canvas->NewImage(0, 10, 0));
}

TEST_F(CanvasTest, ValueShadeAlphaIsClampedButTheValueKept) {
  m_canvas->SetValue(-10);
  EXPECT_EQ(m_canvas->Value(), -10);
  EXPECT_EQ(m_canvas->Kit().Shade.alpha(), 0);
  m_canvas->SetValue(300);
  EXPECT_EQ(m_canvas->Kit().Shade.alpha(), 255);
}

TEST_F(CanvasTest, CommandBarRectanglesBelongToTheToolThatDrewThem) {
  ASSERT_TRUE(m_canvas->Open(Picture("p.png", Quadrants(100, 50))));
  m_canvas->resize(600, 300);
  m_canvas->SetEffect(38);
  m_canvas->Painting();
  const QRectF stampUndo = m_canvas->HitRectangles().Buttons[5];
  ASSERT_FALSE(stampUndo.isEmpty());
  m_canvas->grab().save(TestSupport::ArtifactsFolder() + "/canvas-stamp-bar.png");
  m_canvas->SetEffect(1);
  m_canvas->Painting();
  EXPECT_TRUE(m_canvas->HitRectangles().Buttons[5].isEmpty());
  EXPECT_TRUE(m_canvas->HitRectangles().Buttons[3].isEmpty());
  MoveMouse(stampUndo.center());
  EXPECT_FALSE(m_canvas->ScreenButtonEnabled());

  m_canvas->SetEffect(2);
  m_canvas->SetMin(3);
  m_canvas->SetMax(3);
  m_canvas->SetValue(9);
  m_canvas->Painting();
  EXPECT_EQ(m_canvas->Value(), 3);
  EXPECT_EQ(m_canvas->HitRectangles().Buttons[0].x(), (600 - 200) / 2 - 50 + 4);
}

TEST_F(CanvasTest, PickerTakesTheSwatchColourUnderThePointer) {
  ASSERT_TRUE(m_canvas->Open(Picture("p.png", Quadrants(100, 50))));
  m_canvas->SetEffect(19);
  m_canvas->Painting();
  const QRectF swatch = m_canvas->HitRectangles().Buttons[3];
  ASSERT_EQ(swatch, QRectF(315, 5, 80, 70));
  const QPointF at(swatch.x() + 10, swatch.y() + 30);
  MoveMouse(at);
  EXPECT_TRUE(m_canvas->ScreenButtonEnabled());
  m_canvas->ColorControl();
  const QRgb expected = m_canvas->BackBuffer().pixel(at.toPoint());
  EXPECT_EQ(m_canvas->PickColor2(), std::uint32_t(qRed(expected) | qGreen(expected) << 8 | qBlue(expected) << 16));
  EXPECT_NE(m_canvas->PickColor2(), 0u);
}

TEST_F(CanvasTest, TextBoxShowsThenHides) {
  m_canvas->ShowHidetext(10, 20, 120, 40);
  EXPECT_TRUE(m_canvas->TextBoxShown());
  EXPECT_EQ(m_canvas->TextBackground()->geometry(), QRect(10, 20, 120, 40));
  EXPECT_EQ(m_canvas->Text1()->geometry(), QRect(3, 3, 114, 34));
  m_canvas->ShowHidetext(10, 20, 120, 40);
  EXPECT_FALSE(m_canvas->TextBoxShown());
  EXPECT_EQ(m_canvas->TextBackground()->y(), -100);
}

TEST_F(CanvasTest, EndOfLifeDeletesOnlyTheCanvasOwnFiles) {
  ASSERT_TRUE(m_canvas->Open(Picture("p.png", Quadrants(10, 10))));
  const QString data = ModPublic::DataFolderPath;
  const QString own = QFileInfo(Imageqzviewer::UndoFilePath(0)).path() + "/";
  const QStringList names{own + "Undo1.udo", own + "StampUndo0.sudo", own + "StampUndo3.SUDO", own + "Tempdelete.tmp",
                          data + "bgtemp.tmp", data + "Other.tmp"};
  for (const QString& name : names) {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  m_canvas.reset();
  QStringList left = QDir(data).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
  left.removeIf([](const QString& name) { return name.endsWith(".png"); });
  EXPECT_EQ(left, QStringList{"Other.tmp"});
  // With nothing on disk, ending raises nothing.
  Imageqzviewer{}.CleanCroprect(true);
}

TEST_F(CanvasTest, IrradiationPreviewDarkensTowardsTheRimAwayFromThePointer) {
  QImage white(200, 100, QImage::Format_RGB32);
  white.fill(Qt::white);
  ASSERT_TRUE(m_canvas->Open(Picture("white.png", white)));
  m_canvas->SetEffect(37);
  m_canvas->SetMin(0);
  m_canvas->SetMax(255);
  m_canvas->SetValue(0);
  MoveMouse(QPointF(200, 150));
  m_canvas->Painting();
  EXPECT_EQ(m_canvas->FitRect(), QRectF(100, 100, 200, 100));
  EXPECT_LT(qRed(At(102, 102)), qRed(At(200, 150)));
}

TEST_F(CanvasTest, DraggedKnobSetsTheValueAndKeepsTheBarHot) {
  ASSERT_TRUE(m_canvas->Open(Picture("p.png", Quadrants(100, 50))));
  m_canvas->SetEffect(2);
  m_canvas->SetMin(0);
  m_canvas->SetMax(100);
  m_canvas->SetValue(0);
  m_canvas->Painting();
  ASSERT_EQ(m_canvas->HitRectangles().Buttons[0], QRectF(56, 265, 15, 26));
  MoveMouse(QPointF(60, 270));
  PressLeft(QPointF(60, 270));
  MoveMouse(QPointF(150, 270), Qt::LeftButton);
  m_canvas->Painting();  // the mouse tools repaint while the knob is dragged
  EXPECT_EQ(m_canvas->Value(), 49);
  EXPECT_TRUE(m_canvas->ScreenButtonEnabled());
  MoveMouse(QPointF(5000, 270), Qt::LeftButton);
  m_canvas->Painting();
  EXPECT_EQ(m_canvas->Value(), 100);
  EXPECT_EQ(m_canvas->HitRectangles().Buttons[0].x(), 50 + 174);
}
