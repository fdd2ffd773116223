// What the canvas previews for a tool armed from the window's menus is what Apply commits,
// and the preview follows the choices made for it: text applied without a drag, the
// calendar's month, the fill style.
#include <QPlainTextEdit>
#include <QtCore/qtestsupport_core.h>

#include "canvas/tools/ToolRect.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "mainwindow/FrmMainFixture.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/TestPictures.h"

namespace {

namespace K = CommandKeys;
using TestSupport::Changed;

class ToolPreviewsTest : public FrmMainTest {
 protected:
  // A window showing a white picture of that size, with a tool armed from the menu.
  Imageqzviewer& Armed(QSize size, const QString& name, std::string_view tool) {
    CopyShippedPictures();
    FrmMain& window = Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return PanesShown(); }, 5000));
    QImage white(size, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(white.save(m_folder.File(name)));
    window.FileImport(m_folder.File(name));
    window.RunMenuCommand(CommandKeyText(tool));
    return window.Canvas();
  }
  static QImage Surface(const Imageqzviewer& canvas) { return canvas.BackBuffer().convertToFormat(QImage::Format_RGB32); }
  static void Click(Imageqzviewer& canvas, QPointF at) {
    for (const QEvent::Type type : {QEvent::MouseMove, QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      Send(canvas, type, at);
    }
  }
  // Presses Apply as the user does, the pointer coming to it first, and expects the
  // picture changed where the canvas showed the layer's ink.
  static void ExpectAppliedWhereShown(Imageqzviewer& canvas, const QRect& inkOnCanvas) {
    const QSizeF picture(canvas.ImgDIB.Width(), canvas.ImgDIB.Height());
    const QRectF expected = ToolRect::ToPicture(QRectF(inkOnCanvas), canvas.DisplayedRect(), picture);
    const double scale = picture.width() / canvas.DisplayedRect().width();
    const QImage before = canvas.ImgDIB.DIB()->Image().convertToFormat(QImage::Format_RGB32);
    Click(canvas, canvas.HitRectangles().Buttons[1].center());
    ASSERT_EQ(canvas.CurrentMode(), ToolModes::Mode::Browse);
    const QRectF burnt(Changed(before, canvas.ImgDIB.DIB()->Image().convertToFormat(QImage::Format_RGB32)));
    ASSERT_FALSE(burnt.isEmpty()) << "Apply burnt nothing into the picture";
    // Anti-aliasing may touch a pixel more or less at each edge, at either scale.
    const double slack = 2 * scale + 2;
    EXPECT_NEAR(burnt.left(), expected.left(), slack);
    EXPECT_NEAR(burnt.top(), expected.top(), slack);
    EXPECT_NEAR(burnt.right(), expected.right(), slack);
    EXPECT_NEAR(burnt.bottom(), expected.bottom(), slack);
  }
};

}  // namespace

TEST_F(ToolPreviewsTest, TextAppliedWithoutADragLandsWhereThePreviewShowedIt) {
  // One picture shown at its own size, one fitted into the canvas.
  for (const auto& [size, name] : {std::pair{QSize(300, 200), "small.bmp"}, std::pair{QSize(3000, 2000), "large.png"}}) {
    SCOPED_TRACE(name);
    Imageqzviewer& canvas = Armed(size, name, K::Filter_Text);
    canvas.SetFontSizeA(24);
    canvas.Text1()->setPlainText("");
    canvas.Painting();
    const QImage bare = Surface(canvas);
    canvas.Text1()->setPlainText("Lorvane");
    ExpectAppliedWhereShown(canvas, Changed(bare, Surface(canvas)));
  }
}

TEST_F(ToolPreviewsTest, TheCalendarsMonthStartsOnAFittedPhotoAndLandsWhereItWasShown) {
  Imageqzviewer& canvas = Armed(QSize(4000, 3000), "photo.png", K::Filter_Cal);
  const QRectF shown = canvas.DisplayedRect();
  const QRectF layer = canvas.HitRectangles().Layer;
  EXPECT_GE(layer.left(), shown.left()) << "the month starts on the picture, not over the canvas beside it";
  EXPECT_GE(layer.top(), shown.top());
  // The month's ink, drawn in red over the white picture.
  canvas.SetTextColor(0x0000FF);
  canvas.Painting();
  const QImage shownMonth = Surface(canvas);
  QRect ink;
  const QRect area = layer.toAlignedRect() & shownMonth.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb pixel = shownMonth.pixel(x, y);
      if (qRed(pixel) > 150 && qGreen(pixel) < 100) {
        ink |= QRect(x, y, 1, 1);
      }
    }
  }
  ExpectAppliedWhereShown(canvas, ink);
}

TEST_F(ToolPreviewsTest, ChoosingAFillStyleRepaintsTheFillAtOnce) {
  Imageqzviewer& canvas = Armed(QSize(300, 200), "small.png", K::Filter_Circular);
  const QPointF corner = canvas.DisplayedRect().topLeft();
  Send(canvas, QEvent::MouseMove, corner + QPointF(20, 20));
  Send(canvas, QEvent::MouseButtonPress, corner + QPointF(20, 20));
  Send(canvas, QEvent::MouseMove, corner + QPointF(160, 120));
  Send(canvas, QEvent::MouseButtonRelease, corner + QPointF(160, 120));
  // A pick from the swatch while the fill blends sets its surround: the two colours differ.
  m_window->RunMenuCommand(CommandKeyText(K::Vector_Radial));
  Click(canvas, canvas.HitRectangles().Buttons[3].center());
  ASSERT_NE(canvas.PickColor1(), canvas.PickColor2());

  const QImage picked = Surface(canvas);
  m_window->RunMenuCommand(CommandKeyText(K::Vector_Single));
  const QImage single = Surface(canvas);
  EXPECT_NE(single, picked) << "the single colour shows without another pick";
  m_window->RunMenuCommand(CommandKeyText(K::Vector_Radial));
  EXPECT_NE(Surface(canvas), single) << "and the blend again";
}
