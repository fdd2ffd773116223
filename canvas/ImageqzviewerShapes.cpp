// The shape tools' members of Imageqzviewer: the line width, the preview and export
// drawing of the dragged shape, and the pattern image.

#include "canvas/Imageqzviewer.h"

#include "canvas/tools/ShapeDrawing.h"
#include "platform/gdiplus/Bitmap.h"

void Imageqzviewer::LineWidthValue(int LineWidth) { m_lineWidth = float(LineWidth); }

void Imageqzviewer::LineDrawing(int DrawType, bool isExport, Gdip::Graphics& MGraphics) {
  const QRectF displayed = DisplayedRect();
  ShapeDrawing::Shape shape{.drawType = DrawType,
                            .start = m_ptr.shapeStart,
                            .end = m_ptr.shapeEnd,
                            .colour = m_pickColor2,
                            .alpha = ShapeDrawing::AlphaOf(m_slider.max, m_slider.value),
                            .width = m_lineWidth,
                            .shift = m_ptr.shift};
  if (isExport) {
    const QSizeF picture(ImgDIB.Width(), ImgDIB.Height());
    shape.start = ShapeDrawing::ToPicture(shape.start, displayed, picture);
    shape.end = ShapeDrawing::ToPicture(shape.end, displayed, picture);
  } else {
    // The points stay inside the picture for the commit as well.
    m_ptr.shapeStart = shape.start = ShapeDrawing::ClampInto(shape.start, m_view.fitRect);
    m_ptr.shapeEnd = shape.end = ShapeDrawing::ClampInto(shape.end, m_view.fitRect);
    // The pen shows the width the commit draws in picture pixels.
    if (ImgDIB.Width() > 0 && displayed.width() > 0) {
      shape.width = float(m_lineWidth * displayed.width() / ImgDIB.Width());
    }
  }
  ShapeDrawing::Draw(MGraphics, shape);
}

void Imageqzviewer::CreatePattenImg(const QString& Filename) {
  // A file that cannot be read leaves no pattern, not the previous one.
  m_patternImage = QImage(Filename);
}
