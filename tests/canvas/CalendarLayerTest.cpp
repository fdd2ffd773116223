// The calendar layer on the canvas: where it is first shown and how it is dragged, the
// month from the slider, the burn-in at the place and size the preview showed, and the
// picture of the layer alone. Fonts come through fontconfig, so drawn extents are
// compared with one another, never with fixed metrics.

#include <limits>

#include <QImage>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/ClsCalendar.h"
#include "canvas/tools/CalendarLayer.h"
#include "foundation/ModDraw.h"
#include "foundation/ModClipboard.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestFolder.h"
#include "support/TestPictures.h"

namespace {

constexpr int kCalendar = int(ToolModes::Mode::Calendar);

bool Dark(QRgb pixel) { return qAlpha(pixel) > 128 && qGray(pixel) < 128; }

// The box of the dark pixels inside an area of an image.
QRect DarkBox(const QImage& image, const QRect& area) {
  QRect box;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (Dark(image.pixel(x, y))) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

void ExpectNear(const QRect& actual, const QRect& expected, int tolerance) {
  EXPECT_NEAR(actual.left(), expected.left(), tolerance);
  EXPECT_NEAR(actual.top(), expected.top(), tolerance);
  EXPECT_NEAR(actual.right(), expected.right(), tolerance);
  EXPECT_NEAR(actual.bottom(), expected.bottom(), tolerance);
}

class CalendarLayerTest : public CanvasFixture {
 protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    m_canvas->resize(800, 600);
    m_canvas->SetFontA("Tahoma");
    m_canvas->SetFontSizeA(15);
    m_canvas->SetFontRenderA(2);
  }
  void Open(const QImage& picture) {
    m_canvas->SetFirstL(true);
    ASSERT_TRUE(m_canvas->Open(Picture("picture.png", picture)));
  }
  void Arm(int month) {
    m_canvas->SetMax(12);
    m_canvas->SetMin(1);
    m_canvas->SetValue(month);
    m_canvas->SetEffect(kCalendar);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
  }
  QRectF Layer() const { return m_canvas->HitRectangles().Layer; }
  QImage Shown() const { return m_canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32); }
  // The preview's dark pixels on the picture, above the command bar.
  QRect PreviewBox() const {
    const QRect fit = m_canvas->FitRect().toRect();
    return DarkBox(m_canvas->BackBuffer(), QRect(fit.x(), fit.y(), fit.width(), fit.height() - 60));
  }
};

QImage White(QSize size) {
  QImage picture(size, QImage::Format_ARGB32);
  picture.fill(Qt::white);
  return picture;
}

}  // namespace

TEST_F(CalendarLayerTest, StartsOnThePictureAndFollowsADragThatBeginsOnIt) {
  Open(White({1600, 1200}));
  Arm(3);
  const QRectF fit = m_canvas->FitRect();
  const QRectF layer = Layer();
  EXPECT_EQ(layer.topLeft(), fit.topLeft());
  EXPECT_GT(layer.width(), 100);
  EXPECT_GT(layer.height(), 100);
  EXPECT_EQ(QRectF(ModGDI::LayerLeft, ModGDI::LayerTop, ModGDI::LayerWidth, ModGDI::LayerHeight), layer);
  // The month's numbers lie inside the rectangle the drag grabs.
  EXPECT_TRUE(layer.adjusted(-2, -2, 2, 2).contains(QRectF(PreviewBox())));

  Drag(layer.center(), layer.center() + QPointF(40, 25));
  EXPECT_EQ(Layer().topLeft(), layer.topLeft() + QPointF(40, 25));
  EXPECT_EQ(Layer().size(), layer.size());

  // A drag that begins off the layer leaves it where it is.
  const QRectF moved = Layer();
  Drag(QPointF(fit.right() - 20, fit.bottom() - 80), QPointF(fit.right() - 60, fit.bottom() - 120));
  EXPECT_EQ(Layer(), moved);
}

TEST_F(CalendarLayerTest, TheSliderChoosesTheMonthAndTheTextSettingsItsLook) {
  Open(White({1600, 1200}));
  Arm(2);
  const QRect february = PreviewBox();
  const QImage februaryPicture = m_canvas->BackBuffer().copy(february);
  m_canvas->SetValue(5);
  m_canvas->Painting();
  // May 2026 needs a sixth row; every year's February but 2015's needs five at most.
  EXPECT_NE(m_canvas->BackBuffer().copy(february), februaryPicture);

  const float smallWidth = float(Layer().width());
  m_canvas->SetFontSizeA(30);
  EXPECT_GT(Layer().width(), smallWidth * 1.5f);
  EXPECT_GT(Layer().height(), 0);

  m_canvas->SetTextColor(0x0000FF);  // red, as an RGB reference
  const QImage shown = m_canvas->BackBuffer();
  const QRect box = PreviewBox();
  int red = 0;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      const QColor c = shown.pixelColor(x, y);
      red += c.red() > 200 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
    }
  }
  EXPECT_GT(red, 100);
}

TEST_F(CalendarLayerTest, BurnInCoversThePicturePixelsThePreviewCovered) {
  Open(White({1600, 1200}));
  Arm(3);
  const QRectF fit = m_canvas->FitRect();
  ASSERT_NEAR(1600 / fit.width(), 2.0, 0.01);
  Drag(Layer().center(), Layer().center() + QPointF(60, 40));
  const QRect preview = PreviewBox();
  ASSERT_FALSE(preview.isEmpty());
  m_canvas->SaveUndo();
  m_canvas->WaitForSnapshot();

  EXPECT_EQ(m_canvas->Effect(), 0);
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_FALSE(m_canvas->SaveState());
  EXPECT_EQ(m_events.layersCommitted, 1);
  const QImage burnt = Shown();
  ASSERT_EQ(burnt.size(), QSize(1600, 1200));
  const QRect expected((preview.left() - int(fit.x())) * 2, (preview.top() - int(fit.y())) * 2,
                       preview.width() * 2, preview.height() * 2);
  ExpectNear(DarkBox(burnt, burnt.rect()), expected, 5);
}

TEST_F(CalendarLayerTest, AppliedBeforeItWasShownStillLandsOnThePicture) {
  Open(White({400, 300}));
  m_canvas->SetEffect(kCalendar);
  m_canvas->SetFitMode(true);
  m_canvas->SetMax(12);
  m_canvas->SetMin(1);
  m_canvas->SetValue(7);
  m_canvas->SaveUndo();
  m_canvas->WaitForSnapshot();
  const QRect box = DarkBox(Shown(), Shown().rect());
  ASSERT_FALSE(box.isEmpty());
  EXPECT_LT(box.left(), 40);
  EXPECT_LT(box.top(), 40);
}

TEST_F(CalendarLayerTest, PictureOfTheLayerAloneIsScaledFromThePreview) {
  EXPECT_TRUE(m_canvas->CalendarLayerPicture(1).isNull());
  Open(White({800, 600}));
  Arm(9);
  const QRectF layer = Layer();
  const QRect preview = PreviewBox();
  const QImage alone = m_canvas->CalendarLayerPicture(2);
  ASSERT_FALSE(alone.isNull());
  EXPECT_NEAR(alone.width(), layer.width() * 2, 1);
  EXPECT_NEAR(alone.height(), layer.height() * 2, 1);
  EXPECT_EQ(qAlpha(alone.pixel(alone.width() - 1, alone.height() - 1)), 0);
  const QRect expected((preview.left() - int(layer.x())) * 2, (preview.top() - int(layer.y())) * 2,
                       preview.width() * 2, preview.height() * 2);
  ExpectNear(DarkBox(alone, alone.rect()), expected, 5);
  EXPECT_TRUE(m_canvas->CalendarLayerPicture(0).isNull());
  EXPECT_TRUE(m_canvas->CalendarLayerPicture(std::numeric_limits<float>::infinity()).isNull());
  EXPECT_TRUE(m_canvas->CalendarLayerPicture(std::numeric_limits<float>::quiet_NaN()).isNull());
}

TEST_F(CalendarLayerTest, RasterizeFloatsTheCalendarWhereItLay) {
  Open(White({1600, 1200}));
  Arm(11);
  Drag(Layer().center(), Layer().center() + QPointF(50, 30));
  const QRectF layer = Layer();
  const QPointF fitCorner = m_canvas->FitRect().topLeft();
  m_canvas->Rasterize();
  EXPECT_EQ(m_events.stampsHandedOver, 1);
  const QImage stamp(ModGDI::StampTempPath());
  ASSERT_FALSE(stamp.isNull());
  EXPECT_NEAR(stamp.width(), layer.width() * 2, 1);
  EXPECT_NEAR(stamp.height(), layer.height() * 2, 1);
  EXPECT_FALSE(DarkBox(stamp, stamp.rect()).isEmpty());
  const QPointF place = (layer.topLeft() - fitCorner) * 2;
  EXPECT_NEAR(m_canvas->StampRect().x(), place.x(), 0.5);
  EXPECT_NEAR(m_canvas->StampRect().y(), place.y(), 0.5);
}

TEST_F(CalendarLayerTest, ScreenshotOfTheLayerOnAPicture) {
  const QImage sky = TestSupport::Sky(1200, 800);
  Open(sky);
  m_canvas->SetTextColor(0x402010);  // a dark blue, as an RGB reference
  m_canvas->SetFontStyleA(2);
  Arm(6);
  Drag(Layer().center(), Layer().center() + QPointF(30, 30));
  m_canvas->BackBuffer().save(TestSupport::ArtifactsFolder() + "/canvas-calendar-layer.png");
  m_canvas->SaveUndo();
  m_canvas->WaitForSnapshot();
  Shown().save(TestSupport::ArtifactsFolder() + "/canvas-calendar-burnt.png");
  EXPECT_NE(Shown(), sky);
}
