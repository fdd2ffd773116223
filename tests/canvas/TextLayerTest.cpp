// The text layer on the canvas (preview, drag, burn-in at the previewed place and size)
// and Rasterize, which turns the text, fill and shape layers into the floating stamp.

#include <QFile>
#include <QImage>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/tools/ToolRect.h"
#include "foundation/ModClipboard.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestFolder.h"
#include "support/TestPictures.h"

namespace {

using CanvasTesting::CanvasFixture;

constexpr int kText = 4;
constexpr int kRadialFill = 19;
constexpr int kLine = 25;

using TestSupport::Changed;

int MaxAlphaInColumn(const QImage& image, int x) {
  int most = 0;
  for (int y = 0; y < image.height(); ++y) {
    most = std::max(most, qAlpha(image.pixel(x, y)));
  }
  return most;
}

int MaxAlphaInRow(const QImage& image, int y) {
  int most = 0;
  for (int x = 0; x < image.width(); ++x) {
    most = std::max(most, qAlpha(image.pixel(x, y)));
  }
  return most;
}

class TextLayerTest : public CanvasFixture {
 protected:
  void Arm(int mode) {
    m_canvas->SetMax(255);
    m_canvas->SetMin(10);
    m_canvas->SetValue(10);
    m_canvas->SetEffect(mode);
    m_canvas->SetFitMode(true);
    m_canvas->Relayout();
  }
  void Type(const QString& text) { m_canvas->Text1()->setPlainText(text); }
  QImage Shown() const { return m_canvas->ImgDIB.DIB()->Image().convertToFormat(QImage::Format_ARGB32); }
  QImage Stamp() const { return QImage(ModGDI::StampTempPath()).convertToFormat(QImage::Format_ARGB32); }
  QImage RasterizedText(const QString& text, int style) {
    Type(text);
    m_canvas->SetFontStyleA(style);
    m_canvas->Rasterize();
    return Stamp();
  }
  void PlantOldStamp() {
    QImage old(40, 40, QImage::Format_ARGB32);
    old.fill(Qt::red);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(ModGDI::StampTempPath()).path()));
    ASSERT_TRUE(old.save(ModGDI::StampTempPath(), "PNG"));
  }
  double Scale() const { return m_canvas->ImgDIB.Width() / m_canvas->FitRect().width(); }
};

}  // namespace

TEST_F(TextLayerTest, TheLayerFollowsTypingAndADragThatBeganOnIt) {
  OpenWhite({400, 300});
  Arm(kText);
  m_canvas->SetFontSizeA(30);
  Type("Hi");
  const QRectF shortLayer = m_canvas->HitRectangles().Layer;
  Type("Hello there");
  const QRectF longLayer = m_canvas->HitRectangles().Layer;
  EXPECT_GT(longLayer.width(), shortLayer.width() + 30);
  EXPECT_EQ(longLayer.topLeft(), shortLayer.topLeft());

  // The first press places the text; a drag that starts on the layer carries it along.
  Click(QPointF(60, 80));
  const QRectF placed = m_canvas->HitRectangles().Layer;
  EXPECT_EQ(placed.topLeft(), QPointF(60, 80));
  Drag(placed.center(), placed.center() + QPointF(25, 15));
  EXPECT_EQ(m_canvas->HitRectangles().Layer.topLeft(), QPointF(85, 95));
  // A drag that starts off the layer leaves it where it is.
  Drag(QPointF(350, 280), QPointF(300, 250));
  EXPECT_EQ(m_canvas->HitRectangles().Layer.topLeft(), QPointF(85, 95));
}

TEST_F(TextLayerTest, ApplyBurnsTheTextInWhereAndAsLargeAsThePreviewShowedIt) {
  for (const QSize size : {QSize(400, 300), QSize(800, 600)}) {
    SCOPED_TRACE(size.width());
    OpenWhite(size);
    Arm(kText);
    m_canvas->SetFontSizeA(24);
    Click(QPointF(70, 60));
    Type("");
    const QImage bare = m_canvas->BackBuffer().copy();
    Type("Lorvane");
    const QRect preview = Changed(bare, m_canvas->BackBuffer());
    ASSERT_FALSE(preview.isEmpty());
    const QRectF fit = m_canvas->FitRect();
    const QRectF expected = ToolRect::ToPicture(QRectF(preview), fit, QSizeF(size));
    const double r = size.width() / fit.width();
    const QImage before = Shown();
    ClickBarButton(1);
    ASSERT_EQ(m_canvas->Effect(), 0);
    EXPECT_FALSE(m_canvas->TextBoxShown());
    const QRectF burnt = QRectF(Changed(before, Shown()));
    // Anti-aliasing may touch a pixel more or less at each edge, at either scale.
    const double slack = r + 1;
    EXPECT_NEAR(burnt.left(), expected.left(), slack);
    EXPECT_NEAR(burnt.top(), expected.top(), slack);
    EXPECT_NEAR(burnt.right(), expected.right(), slack);
    EXPECT_NEAR(burnt.bottom(), expected.bottom(), slack);
  }
  EXPECT_EQ(m_events.layersCommitted, 2) << "each apply lets the text strip go";
  // Undo steps back to the picture without the text.
  m_canvas->UndoAndRedo(true);
  EXPECT_TRUE(Changed(Shown(), QImage(m_folder.File("white.png")).convertToFormat(QImage::Format_ARGB32)).isEmpty());
}

TEST_F(TextLayerTest, RasterizedTextIsItsMeasuredBoxUnclippedWhereverTheStyle) {
  OpenWhite({800, 600});
  Arm(kText);
  m_canvas->SetFontSizeA(40);
  const QImage shortStamp = RasterizedText("Wolf", 0);
  const QImage longStamp = RasterizedText("Wolf pack", 0);
  ASSERT_FALSE(shortStamp.isNull());
  EXPECT_GT(longStamp.width(), shortStamp.width());
  EXPECT_EQ(longStamp.height(), shortStamp.height());
  EXPECT_EQ(m_events.stampsHandedOver, 2);

  // Italic, bold and bold italic keep the whole of their last letter; bold is measured
  // as bold, so its stamp is wider than the regular and the italic one.
  int widths[4] = {};
  for (int style = 0; style < 4; ++style) {
    SCOPED_TRACE(style);
    const QImage stamp = RasterizedText("Wolf", style);
    ASSERT_FALSE(stamp.isNull());
    widths[style] = stamp.width();
    EXPECT_LT(MaxAlphaInColumn(stamp, stamp.width() - 1), 128);
  }
  EXPECT_GT(widths[2], widths[0]);
  EXPECT_GT(widths[2], widths[1]);
  EXPECT_GT(widths[3], widths[1]);

  // The stamp is made at the size shown: twice the font size on a picture shown at half.
  EXPECT_NEAR(shortStamp.height(), 2 * 40 * 1.1, 40);
  EXPECT_GT(shortStamp.height(), 70);
  // It floats where the layer lies, in picture pixels.
  const QRectF layer = m_canvas->HitRectangles().Layer;
  const QRectF place = m_canvas->StampRect();
  const QRectF fit = m_canvas->FitRect();
  EXPECT_NEAR(place.x(), (layer.x() - fit.x()) * Scale(), 0.01);
  EXPECT_NEAR(place.y(), (layer.y() - fit.y()) * Scale(), 0.01);
}

TEST_F(TextLayerTest, AnEmptyLayerGivesAnEmptyStampNeverTheOldOne) {
  OpenWhite({400, 300});
  Arm(kText);
  PlantOldStamp();
  Type("");
  m_canvas->Rasterize();
  EXPECT_FALSE(QFile::exists(ModGDI::StampTempPath()));
  EXPECT_TRUE(m_canvas->StampCanvas().isNull());
  ASSERT_EQ(m_events.stampsHandedOver, 1);

  // A mode without a layer gives an empty stamp as well.
  PlantOldStamp();
  Arm(0);
  m_canvas->Rasterize();
  EXPECT_FALSE(QFile::exists(ModGDI::StampTempPath()));
  EXPECT_EQ(m_events.stampsHandedOver, 2);
}

TEST_F(TextLayerTest, RasterizedLinesKeepTheirWholeStrokeWhicheverWayTheyWereDrawn) {
  OpenWhite({800, 600});
  Arm(kLine);
  m_canvas->LineWidthValue(9);
  const QRectF fit = m_canvas->FitRect();
  struct Case {
    QPointF from;
    QPointF to;
  };
  // Right to left, level, upright.
  for (const Case& c : {Case{{300, 150}, {100, 200}}, Case{{100, 120}, {300, 120}}, Case{{200, 50}, {200, 250}}}) {
    SCOPED_TRACE(c.from.x());
    m_canvas->SetEffect(kLine);
    Drag(fit.topLeft() + c.from, fit.topLeft() + c.to);
    m_canvas->Rasterize();
    const QImage stamp = Stamp();
    ASSERT_FALSE(stamp.isNull());
    // Nothing of the pen or its round caps touches the stamp's edges.
    EXPECT_EQ(MaxAlphaInColumn(stamp, 0), 0);
    EXPECT_EQ(MaxAlphaInColumn(stamp, stamp.width() - 1), 0);
    EXPECT_EQ(MaxAlphaInRow(stamp, 0), 0);
    EXPECT_EQ(MaxAlphaInRow(stamp, stamp.height() - 1), 0);
    const double r = Scale();
    EXPECT_NEAR(stamp.width(), std::abs(c.to.x() - c.from.x()) * r + 9 + 2, 2);
    EXPECT_NEAR(stamp.height(), std::abs(c.to.y() - c.from.y()) * r + 9 + 2, 2);
    EXPECT_EQ(m_canvas->StampRect().size(), QSizeF(stamp.size()));
  }
}

TEST_F(TextLayerTest, ARasterizedFillIsTheSelectionRectangleInPicturePixels) {
  OpenWhite({800, 600});
  Arm(kRadialFill);
  m_canvas->SetMin(0);
  m_canvas->SetValue(0);
  const QRectF fit = m_canvas->FitRect();
  Drag(fit.topLeft() + QPointF(40, 30), fit.topLeft() + QPointF(140, 110));
  const QRectF selection = ToolRect::ToPicture(m_canvas->HitRectangles().Handles[0], fit, QSizeF(800, 600));
  m_canvas->Rasterize();
  const QImage stamp = Stamp();
  EXPECT_EQ(QRectF(stamp.rect()).size(), selection.size());
  EXPECT_EQ(m_canvas->StampRect(), selection);
  EXPECT_EQ(qAlpha(stamp.pixel(stamp.width() / 2, stamp.height() / 2)), 255);
  EXPECT_EQ(qAlpha(stamp.pixel(0, 0)), 0);  // the ellipse leaves the corners clear
}

TEST_F(TextLayerTest, PicturesOfTheTextLayerForAPersonToLookAt) {
  m_canvas->SetFirstL(true);
  ASSERT_TRUE(m_canvas->Open(Picture("sky.png", CanvasTesting::Sky({800, 600}))));
  Arm(kText);
  m_canvas->SetFontSizeA(36);
  m_canvas->SetFontStyleA(3);
  m_canvas->SetTextColor(0x802020);
  m_canvas->ShowHidetext(0, 0, 300, 200);
  Type("Summer by the sea");
  Click(QPointF(40, 230));
  const QString folder = TestSupport::ArtifactsFolder();
  EXPECT_TRUE(m_canvas->grab().save(folder + "/canvas-text-layer.png"));
  m_canvas->HideText1();
  m_canvas->Rasterize();
  // What the main window's UseStamp does with the stamp file.
  m_canvas->CreateStampImg(ModGDI::StampTempPath(), true, false);
  m_canvas->ResetStampsize(true);
  m_canvas->SetMax(100);
  m_canvas->SetValue(0);
  m_canvas->SetEffect(38);
  m_canvas->Relayout();
  EXPECT_FALSE(m_canvas->StampCanvas().isNull());
  EXPECT_NEAR(m_canvas->StampFrame().x(), 40, 1);
  EXPECT_NEAR(m_canvas->StampFrame().y(), 230, 1);
  EXPECT_TRUE(m_canvas->BackBuffer().save(folder + "/canvas-text-rasterized-stamp.png"));
}

TEST_F(TextLayerTest, AfterTheTextToolNothingOfItsBoxStaysOnTheCanvas) {
  OpenWhite({400, 300});
  m_canvas->show();
  Arm(kText);
  Type(QStringLiteral("Hello"));
  // The box opens as the text strip's text button opens it.
  m_canvas->ShowHidetext(0, 0, 300, 200);
  ASSERT_TRUE(m_canvas->TextBackground()->isVisible());
  ClickBarButton(1);
  ASSERT_EQ(m_canvas->UndoIndex(), 1);
  const QRect corner(0, 0, 300, 200);
  EXPECT_EQ(m_canvas->grab(corner).toImage().convertToFormat(QImage::Format_RGB32),
            m_canvas->BackBuffer().copy(corner).convertToFormat(QImage::Format_RGB32));

  // Opened and closed again with its button, it leaves nothing either.
  Arm(kText);
  m_canvas->ShowHidetext(0, 0, 300, 200);
  m_canvas->ShowHidetext(0, 0, 300, 200);
  EXPECT_FALSE(m_canvas->TextBackground()->isVisible());
}
