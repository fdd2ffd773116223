#include "canvas/ToolCommit.h"

#include <numeric>
#include <set>

#include <QImage>
#include <QTransform>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/ToolModes.h"
#include "effects/ColorAdjust.h"
#include "effects/ModEffectsApply.h"
#include "effects/WholePictureFilters.h"
#include "foundation/CommandKeys.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestPictures.h"

namespace {

// Three by two with every pixel distinct, so any turn or mirror shows.
QImage Corners() {
  QImage image(3, 2, QImage::Format_ARGB32);
  const QRgb pixels[2][3] = {{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)},
                             {qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255)}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      image.setPixel(x, y, pixels[y][x]);
    }
  }
  return image;
}

QImage Argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

class CommitTest : public CanvasFixture {
 protected:
  void Open(const QImage& picture) {
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("corners.png", picture)));
  }
  QImage Shown() const { return Argb(m_canvas->ImgDIB.DIB()->Image()); }
  void Commit(int mode) {
    m_canvas->SetEffect(mode);
    m_canvas->SaveUndo();
  }
};

}  // namespace

TEST(ToolModes, TableRowsKeysAndBranches) {
  std::set<std::string_view> keys;
  for (int mode = 0; mode < ToolModes::kModeCount; ++mode) {
    const auto& row = ToolModes::Row(mode);
    if (!row.key.empty()) {
      EXPECT_TRUE(keys.insert(row.key).second) << "key of mode " << mode << " is not unique";
      EXPECT_EQ(ToolModes::ModeForKey(row.key), ToolModes::Mode(mode));
    }
    // Only a tool with a slider has the options or stamp buttons beside it.
    if (ToolModes::HasOptions(ToolModes::Mode(mode))) {
      EXPECT_TRUE(ToolModes::HasSlider(ToolModes::Mode(mode))) << mode;
    }
  }
  EXPECT_EQ(ToolModes::ModeForKey(CommandKeys::Filter_FreeSelect), ToolModes::Mode(41));
  EXPECT_EQ(ToolModes::ModeForKey(CommandKeys::Edit_Crcolockwise), ToolModes::Mode(40));
  EXPECT_EQ(ToolModes::ModeForKey(CommandKeys::Effect_Antialias), ToolModes::Mode(15));
  EXPECT_EQ(ToolModes::ModeForKey({}), std::nullopt);
  EXPECT_EQ(ToolModes::ModeForKey(CommandKeys::File_Open), std::nullopt);
  EXPECT_EQ(ToolModes::Row(54).group, ToolModes::PointerGroup::Pan);
  EXPECT_EQ(ToolModes::Row(-1).commit, ToolModes::Commit::NoBranch);

  // The modes whose commit draws here, and those that draw nothing at all.
  const std::set<int> built{1,  2,  3,  4,  5,  6,  10,  7,  8,  9,  11, 12, 13, 14, 15, 16, 18, 19, 20, 21, 25, 26, 27,
                            23, 24, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 53};
  const std::set<int> noBranch{0, 17, 22, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52};
  for (int mode = 0; mode < ToolModes::kModeCount; ++mode) {
    const auto branch = ToolModes::Row(mode).commit;
    EXPECT_EQ(ToolCommit::RendererFor(branch) != nullptr, built.count(mode) == 1) << mode;
    EXPECT_EQ(branch == ToolModes::Commit::NoBranch, noBranch.count(mode) == 1) << mode;
  }
}

TEST(ToolCommit, RedEyeTouchesOnlyItsCappedRectangle) {
  QImage red(200, 100, QImage::Format_ARGB32);
  red.fill(qRgb(220, 30, 30));
  const auto bitmap = Gdip::Bitmap::FromImage(red, Gdip::PixelFormat32bppARGB);
  // Shown at half size at (50, 20): canvas (60, 30)..(80, 40) is picture (20, 20)..(60, 40).
  ToolCommit::Input in{*bitmap};
  in.mode = ToolModes::Mode::RedEye;
  in.value = 100;
  in.displayed = QRectF(50, 20, 100, 50);
  in.press = QPointF(80, 40);
  in.current = QPointF(60, 30);
  EXPECT_EQ(ToolCommit::RedEyeRect(in), QRectF(20, 20, 40, 20));
  const QImage fixed = ToolCommit::RendererFor(ToolModes::Commit::RedEye)(in);
  int changed = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (fixed.pixel(x, y) != red.pixel(x, y)) {
        ++changed;
        // The rectangle holds its far edges too.
        EXPECT_TRUE(x >= 20 && x <= 60 && y >= 20 && y <= 40) << x << "," << y;
      }
    }
  }
  EXPECT_GT(changed, 0);
  // A long drag is cut to 100 canvas pixels each way.
  in.press = QPointF(50, 20);
  in.current = QPointF(400, 300);
  EXPECT_EQ(ToolCommit::RedEyeRect(in), QRectF(0, 0, 200, 200));
  EXPECT_FLOAT_EQ(ToolCommit::ContrastAmount(23), 2.3f);
}

TEST_F(CommitTest, FlipsAndTurnsMoveEveryPixelWhereItBelongs) {
  const QImage corners = Corners();
  Open(corners);
  Commit(23);
  EXPECT_EQ(Shown(), corners.mirrored(true, false));
  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_FALSE(m_canvas->SaveState());
  EXPECT_TRUE(m_canvas->AppliedEffect());
  Commit(24);
  EXPECT_EQ(Shown(), corners.mirrored(true, true));

  Open(corners);
  Commit(39);
  const QImage turned = Shown();
  ASSERT_EQ(turned.size(), QSize(2, 3));
  EXPECT_EQ(turned.pixel(1, 0), corners.pixel(0, 0));  // top-left goes to top-right
  EXPECT_EQ(turned.pixel(0, 0), corners.pixel(0, 1));  // bottom-left comes up to top-left
  Commit(40);
  EXPECT_EQ(Shown(), corners);
  for (int i = 0; i < 4; ++i) {
    Commit(39);
  }
  EXPECT_EQ(Shown(), corners);
  EXPECT_EQ(m_canvas->UndoIndex(), 6);
}

TEST_F(CommitTest, ColourAdjustmentsEqualTheirCommitRoutine) {
  const QImage corners = Corners();
  const auto source = Gdip::Bitmap::FromImage(corners, Gdip::PixelFormat32bppARGB);
  struct Case {
    int mode;
    int value;
    int adjust;
    float gamma;
    float amount;
  };
  for (const Case& c : {Case{8, 0, ModEffects::kGreyAdjust, 1.0f, 0.0f}, Case{7, 2, ModEffects::kGammaAdjust, 2.0f, 0.0f},
                        Case{11, 3, ModEffects::kContrastAdjust, 1.0f, 0.3f}}) {
    SCOPED_TRACE(c.mode);
    Open(corners);
    m_canvas->SetMax(10);
    m_canvas->SetMin(0);
    m_canvas->SetValue(c.value);
    m_canvas->SetEffect(c.mode);
    m_canvas->GreyEffect();
    EXPECT_EQ(Shown(), Argb(ModEffects::ColorAdjusted(*source, c.adjust, c.gamma, c.amount)->Image()));
    EXPECT_FALSE(m_canvas->FitMode());
  }
}

TEST_F(CommitTest, ResizeTakesTheZoomedSizeAndAnEmptyTargetCommitsNothing) {
  Open(Corners());
  m_canvas->SetFitMode(false);
  m_canvas->SetEffect(21);
  m_canvas->Relayout();
  m_canvas->SetZoomFromSlider(110);  // 200 %
  ASSERT_EQ(m_canvas->DisplaySize(), QSize(6, 4));
  m_canvas->SaveUndo();
  EXPECT_EQ(Shown().size(), QSize(6, 4));
  EXPECT_FLOAT_EQ(m_canvas->Zoom(), 1.0f);

  // Zoomed down to nothing there is no picture to make: nothing changes.
  Open(Corners());
  m_canvas->SetFitMode(false);
  m_canvas->SetEffect(21);
  m_canvas->Relayout();
  m_canvas->SetZoomFromSlider(1);
  ASSERT_TRUE(m_canvas->DisplaySize().isEmpty());
  m_canvas->SaveUndo();
  EXPECT_EQ(Shown(), Corners());
  EXPECT_EQ(m_canvas->UndoIndex(), 0);
  EXPECT_TRUE(m_canvas->SaveState());
  EXPECT_EQ(m_canvas->Effect(), 21);
}

TEST_F(CommitTest, WeatherCommitEqualsItsEffectRoutine) {
  QImage picture(60, 40, QImage::Format_ARGB32);
  picture.fill(qRgb(90, 120, 150));
  Open(picture);
  m_canvas->SetEffect(34);
  m_canvas->Relayout();
  ModEffects::EffectRun run;
  run.code = 34;
  run.fitRect = m_canvas->DisplayedRect();
  run.Max = float(m_canvas->Max());
  run.Value = float(m_canvas->Value());
  const QImage expected = ModEffects::CommitEffect(picture, run);
  m_canvas->SaveUndo();
  EXPECT_EQ(Shown(), expected);
}

TEST_F(CommitTest, ParticlesAppliedAreTheParticlesThePreviewShowed) {
  const QRgb ground = qRgb(20, 30, 60);
  QImage picture(800, 600, QImage::Format_ARGB32);
  picture.fill(ground);
  Open(picture);
  for (const int mode : {28, 30, 31}) {
    SCOPED_TRACE(mode);
    m_canvas->SetEffect(mode);
    m_canvas->SetMax(300);
    m_canvas->SetMin(50);
    m_canvas->SetValue(40);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
    const QRectF fit = m_canvas->FitRect();
    ASSERT_EQ(fit, QRectF(0, 0, 400, 300));
    // Inside the frame and above the command bar: what the user saw and what Apply
    // wrote, at the same size.
    const QRect seenArea(5, 5, 375, 225);
    const QImage preview = m_canvas->BackBuffer().copy(seenArea);
    ClickBarButton(1);
    ASSERT_EQ(m_canvas->Effect(), 0);
    const QImage applied = Shown().scaled(400, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).copy(seenArea);
    const auto seen = TestSupport::LightPerCell(preview, ground, 25);
    const auto written = TestSupport::LightPerCell(applied, ground, 25);
    const double seenTotal = std::accumulate(seen.begin(), seen.end(), 0.0);
    const double writtenTotal = std::accumulate(written.begin(), written.end(), 0.0);
    ASSERT_GT(seenTotal, 0);
    EXPECT_NEAR(writtenTotal / seenTotal, 1.0, 0.3) << "as many particles, as large";
    EXPECT_GT(TestSupport::Correlation(seen, written), 0.9) << "at the same places";
    m_canvas->UndoAndRedo(true);
  }
}

TEST_F(CommitTest, FiltersWorkOnThePictureShownAndTheHistoryStopsAtFifty) {
  Open(Corners());
  for (int i = 0; i < 51; ++i) {
    Commit(23);
  }
  EXPECT_EQ(m_canvas->UndoIndex(), 50);  // the 51st commit rewrote position 50
  EXPECT_EQ(m_canvas->UndoListCount(), 51);
  const QImage shown = Shown();
  EXPECT_EQ(shown, Corners().mirrored(true, false));  // an odd number of flips
  m_canvas->ThirdEffect(12);
  EXPECT_EQ(Shown(), ModEffects::Blur(shown));
  EXPECT_EQ(m_canvas->UndoIndex(), 50);
  m_canvas->UndoAndRedo(true);
  EXPECT_EQ(Shown(), shown);  // one step back is the picture the blur was made from
}

TEST_F(CommitTest, ModesWithoutABranchTakeNoPositionButMarkThePictureChanged) {
  Open(Corners());
  m_canvas->WaitForSnapshot();
  const int files = m_canvas->UndoListCount();
  for (const int mode : {45, 17, 41, 22}) {
    SCOPED_TRACE(mode);
    m_canvas->SetSaveState(true);
    m_canvas->SetAppliedEffect(false);
    m_events.toolsFinished = 0;
    m_canvas->ThirdEffect(mode);
    EXPECT_EQ(m_canvas->UndoIndex(), 0);
    EXPECT_EQ(m_canvas->UndoListCount(), files);
    EXPECT_EQ(Shown(), Corners());
    EXPECT_FALSE(m_canvas->SaveState());
    EXPECT_TRUE(m_canvas->AppliedEffect());
    EXPECT_EQ(m_events.toolsFinished, 1);
    EXPECT_EQ(m_canvas->Effect(), mode);  // the main window's FormOption returns it to browsing
  }
  // A branch whose tool is not built yet commits nothing and marks nothing.
  m_canvas->SetSaveState(true);
  m_canvas->SetAppliedEffect(false);
  m_canvas->ThirdEffect(1);
  EXPECT_TRUE(m_canvas->SaveState());
  EXPECT_EQ(m_canvas->UndoIndex(), 0);
}
