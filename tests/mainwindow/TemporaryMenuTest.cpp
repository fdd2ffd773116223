// The editing commands a pick in the drawn menu runs until the command dispatcher exists.
#include "mainwindow/TemporaryMenu.h"

#include <set>

#include <gtest/gtest.h>

#include <QDir>

#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "effects/WholePictureFilters.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeMainWindow.h"

namespace {

// Left half red, right half green, a little grey in the middle so a blur shows.
QImage Halves() {
  QImage image(40, 20, QImage::Format_ARGB32);
  image.fill(qRgb(30, 200, 40));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      image.setPixel(x, y, qRgb(210, 30, 30));
    }
  }
  return image;
}

class TemporaryMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ModPublic::SetProgramFolder(m_folder.Path());
    ModPublic::DataFolderPath = ModPublic::ProgramFolder() + "Datas/";
    QDir().mkpath(ModPublic::DataFolderPath);
    ModPublic::MainForm = &m_main;
    m_canvas = std::make_unique<Imageqzviewer>();
    m_canvas->resize(300, 200);
    const QString path = m_folder.File("halves.png");
    Halves().save(path);
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Import(path));
  }
  void TearDown() override {
    m_canvas.reset();
    ModPublic::MainForm = nullptr;
  }
  void Choose(const QString& caption) {
    for (const TemporaryMenu::Row& row : TemporaryMenu::Rows()) {
      if (caption == QLatin1String(row.caption)) {
        ASSERT_TRUE(TemporaryMenu::Run(QString::fromLatin1(row.key.data(), qsizetype(row.key.size())), *m_canvas,
                                       m_main));
        return;
      }
    }
    FAIL() << "no row " << caption.toStdString();
  }
  QImage Shown() const { return m_canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32); }

  TestSupport::TestFolder m_folder;
  Fakes::FakeMainWindow m_main;
  std::unique_ptr<Imageqzviewer> m_canvas;
};

}  // namespace

TEST(TemporaryMenuRows, CaptionsAndKeysAreTheMenuTables) {
  std::set<std::string_view> keys;
  QStringList captions;
  for (const auto& row : TemporaryMenu::Rows()) {
    EXPECT_TRUE(keys.insert(row.key).second) << row.caption;
    EXPECT_NE(row.action, nullptr) << row.caption;
    // Every row but undo, redo, the selection commands and the fill styles is a tool
    // mode of the canvas.
    static const std::set<std::string_view> kNoMode{
        CommandKeys::Edit_Undo,  CommandKeys::Edit_Redo,  CommandKeys::Edit_Deselect, CommandKeys::Edit_Clearselect,
        CommandKeys::Edit_Inverse, CommandKeys::Edit_Copy, CommandKeys::Edit_Paste,  CommandKeys::Vector_Single,
        CommandKeys::Vector_Radial};
    if (kNoMode.count(row.key) == 0) {
      EXPECT_GE(ToolModes::ModeForKey(row.key), 0) << row.caption;
    }
    captions << QString::fromLatin1(row.caption);
  }
  EXPECT_EQ(captions.join('|'),
            "Undo|Redo|Cancel Selection|Clear Selection|Invert Selection|Copy|Paste|Resize Image|Flip Horizintal|"
            "Flip Vertical|Rotate Clockwise|Rotate Counterclockwise|Browse Image|Rectangular Marquee|"
            "Elliptical Marquee|Polygonal Lasso|Crop Image|Fill Rectangle|Fill Circular|Single Color|"
            "Radial Gradient|Red Eye|Straighten...|Irradiation...|Adjust Color|Card Style|Adjust Gamma|Contrast...|"
            "Grey...|Blur|Sharpe|Soften|Ripple|Bubbles|Fireflys|Rains|Snows|Clouds|Moon|Lens Flare|Mists|Flowers");
}

TEST_F(TemporaryMenuTest, FlipAndBlurChangeThePictureAndTwoUndosRestoreIt) {
  const QImage original = Shown();
  Choose("Flip Horizintal");
  const QImage flipped = Shown();
  EXPECT_EQ(flipped, original.mirrored(true, false));
  Choose("Blur");
  EXPECT_EQ(Shown(), ModEffects::Blur(flipped));
  EXPECT_EQ(m_canvas->UndoIndex(), 2);
  Choose("Undo");
  Choose("Undo");
  EXPECT_EQ(Shown(), original);
  Choose("Redo");
  EXPECT_EQ(Shown(), flipped);
  Choose("Rotate Clockwise");
  EXPECT_EQ(Shown().size(), QSize(20, 40));
}

TEST_F(TemporaryMenuTest, ToolsArmWithTheirRangeAndASecondChoiceReturnsToBrowsing) {
  Choose("Adjust Gamma");
  EXPECT_EQ(m_canvas->Effect(), 7);
  EXPECT_EQ(m_canvas->Max(), 3);
  EXPECT_EQ(m_canvas->Value(), 1);
  EXPECT_TRUE(m_canvas->FitMode());
  EXPECT_EQ(ModPublic::CurrentToolKey, "Effect_Gamma");
  Choose("Adjust Gamma");
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_FALSE(m_canvas->FitMode());
  EXPECT_EQ(ModPublic::CurrentToolKey, "Filter_Browse");

  Choose("Straighten...");
  EXPECT_EQ(m_canvas->Min(), -10);
  Choose("Resize Image");
  EXPECT_EQ(m_canvas->Effect(), 21);
  EXPECT_EQ(m_canvas->Value(), 52);
  Choose("Browse Image");
  EXPECT_EQ(m_canvas->Effect(), 0);

  // Grey and the at-once effects commit and leave the canvas browsing.
  Choose("Grey...");
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  const QRgb grey = Shown().pixel(0, 0);
  EXPECT_EQ(qRed(grey), qGreen(grey));
  Choose("Moon");
  EXPECT_EQ(m_canvas->UndoIndex(), 2);
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_FALSE(TemporaryMenu::Run("Edit_Rasterize", *m_canvas, m_main)) << "a key without a row runs nothing";
  EXPECT_EQ(m_canvas->UndoIndex(), 2);
}
