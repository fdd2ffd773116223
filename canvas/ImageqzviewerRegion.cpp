// The selection and region tools on the canvas: members of Imageqzviewer kept apart from
// its layout and painting. The geometry is ToolRect's, the drawing RegionTools', the cut
// SelectionCut's; these members take the canvas's state to them.

#include "canvas/Imageqzviewer.h"

#include <QPainter>

#include "canvas/ToolCommit.h"
#include "canvas/ToolModes.h"
#include "canvas/tools/RegionTools.h"
#include "canvas/tools/SelectionCut.h"
#include "canvas/tools/ToolRect.h"
#include "effects/ClsSelect.h"
#include "effects/RedEye.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModDraw.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"

namespace {

using ToolModes::Mode;

const QColor kOutline(255, 255, 255, 150);

// The magnifier of the red-eye preview: its corner this far in from the bottom right.
constexpr float kMagnifierInset = 130;

QPen OutlinePen(Mode mode) {
  QPen pen(kOutline, 1);
  if (mode == Mode::RedEye) {
    pen.setStyle(Qt::DotLine);
  } else if (mode == Mode::CropAlike || mode == Mode::CircularFill || mode == Mode::RectangleFill) {
    pen.setDashPattern({3, 3});
  }
  return pen;
}

bool ShadedDark(Mode mode) {
  return mode == Mode::Crop || mode == Mode::RedEye || mode == Mode::Select || mode == Mode::EllipseSelect;
}

}  // namespace

void Imageqzviewer::UpdateToolRect() {
  if (m_mode == Mode::Colorize) {
    // The colour tool tints the whole picture: it has no rectangle.
    m_rects.Handles[0] = {};
    return;
  }
  if (m_hit.BarShown || !m_ptr.leftDown) {
    return;
  }
  QRectF rect = m_hit.HandleHit ? ToolRect::Dragged(m_hit.HandleIndex, m_ptr.rectAtPress, m_ptr.press, m_ptr.current)
                                : ToolRect::FromCorners(m_ptr.press, m_ptr.current, m_rects.Handles[0]);
  if (m_ptr.shift == 1) {
    rect = m_mode == Mode::FloatingStamp ? ToolRect::InProportion(rect, QSizeF(m_stamp.picture.size()))
                                        : ToolRect::Squared(rect);
  }
  if (m_mode == Mode::RedEye) {
    rect = ToolRect::Capped(rect, ToolCommit::kRedEyeMaxSide);
  }
  m_rects.Handles[0] = rect;
}

void Imageqzviewer::PaintToolOverlay(Gdip::Graphics& graphics) {
  const Mode mode = m_mode;
  UpdateToolRect();
  const QRectF rect = m_rects.Handles[0];
  if (mode == Mode::Crop || mode == Mode::Colorize) {
    ModqzReg::SelectionCombineMode = RegionTools::kInside;
  }
  QPainter& p = graphics.Painter();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QPainterPath shape = RegionTools::ShapeOf(mode, rect);
  const QPainterPath marked = RegionTools::Marked(m_view.fitRect, shape, ModqzReg::SelectionCombineMode);
  if (ShadedDark(mode)) {
    p.fillPath(marked, m_kit.DarkPanel);
  } else if (mode == Mode::Card || mode == Mode::Colorize) {
    p.fillPath(marked, RegionTools::Tint(m_pickColor2, Value()));
  }
  if (ToolModes::Row(mode).group == ToolModes::PointerGroup::GradientRect) {
    RegionTools::Fill fill{mode, rect, m_ptr.gradientPoint, m_pickColor2, m_pickColor1, Value(),
                           ModPublic::VectorFillStyle};
    RegionTools::DrawFill(graphics, fill);
  }
  if (mode == Mode::RedEye) {
    PaintRedEyePreview(graphics);
  }
  if (!rect.isEmpty() && mode != Mode::Card && mode != Mode::Colorize) {
    p.setPen(OutlinePen(mode));
    p.setBrush(Qt::NoBrush);
    if (mode == Mode::EllipseSelect) {
      p.drawEllipse(rect);
    }
    p.drawRect(rect);
  }
  p.restore();
  if (!m_hit.BarShown) {
    const auto handles = ToolRect::Handles(rect);
    std::copy(handles.begin(), handles.end(), m_rects.Handles.begin() + 1);
  }
}

void Imageqzviewer::PaintRedEyePreview(Gdip::Graphics& graphics) {
  const QRect area = m_rects.Handles[0].toRect() & m_backBuffer.rect();
  if (area.isEmpty()) {
    return;
  }
  QImage part = m_backBuffer.copy(area);
  ModEffects::RemoveRedEye(part, 0, 0, float(part.width()), float(part.height()), Value(),
                           ToolCommit::kRedEyeDarkening);
  graphics.Painter().drawImage(area.topLeft(), part);
  const Gdip::SolidBrush panel(m_kit.DarkPanel.rgba());
  const QPointF centre = m_rects.Handles[0].center();
  ModGDI::DrawMagnifier(graphics, m_backBuffer.copy(), float(width()) - kMagnifierInset,
                        float(height()) - kMagnifierInset, 100, 110, 10, 10, panel, float(centre.x()),
                        float(centre.y()), 20);
}

bool Imageqzviewer::SelectionShown() const {
  if (!RegionTools::HasSelection(m_mode)) {
    return false;
  }
  if (m_mode == Mode::FreeSelect) {
    return m_ptr.rightPress && SharedSelectionPoints().SelectPointCount >= 3;
  }
  return !m_rects.Handles[0].isEmpty();
}

void Imageqzviewer::HandOverSelection() {
  if (!hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  const QSizeF picture(ImgDIB.Width(), ImgDIB.Height());
  const bool inside = ModqzReg::SelectionCombineMode == RegionTools::kInside;
  // The floating frame in canvas pixels: the selection's bounds, or the whole picture
  // when the outside is selected.
  const QRectF frame =
      !inside ? m_view.fitRect : m_mode == Mode::FreeSelect ? SelectionCut::PolygonBounds() : m_rects.Handles[0];
  WaitForStampFiles();
  if (!SelectionCut::Cut(*m_select, {*ImgDIB.DIB(), m_mode, m_view.fitRect, m_rects.Handles[0]})) {
    return;
  }
  m_stamp.PlaceHanded(inside ? ToolRect::ToPicture(frame, m_view.fitRect, picture) : QRectF(QPointF(0, 0), picture));
  m_ptr.press = frame.topLeft();
  m_ptr.current = frame.bottomRight();
  m_rects.Handles[0] = frame;
  emit StampHandedOver();
}

void Imageqzviewer::CallDrawDeleteSelect() {
  if (!hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  m_previousMode = m_mode;
  m_mode = Mode::DeleteSelection;
  SaveUndo();
  if (m_mode == Mode::DeleteSelection) {
    // Nothing was selected, so nothing was deleted: the tool stays armed.
    m_mode = m_previousMode;
  }
}

void Imageqzviewer::DrawtoClipboard() {
  if (!hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  if (m_mode == Mode::FreeSelect && !m_ptr.rightPress) {
    return;  // the polygon is not closed yet
  }
  if (m_mode == Mode::FloatingStamp) {
    // The floating stamp is what is chosen: it goes as it is, edits included. An empty
    // stamp copies nothing.
    if (m_stamp.picture.isNull()) {
      return;
    }
    if (const auto stamp = Gdip::Bitmap::FromImage(m_stamp.picture, Gdip::PixelFormatOf(m_stamp.picture))) {
      ModGDI::CopyImageToClipboard(*stamp, 0, 0, m_stamp.picture.width(), m_stamp.picture.height());
    }
    return;
  }
  const Gdip::Bitmap& picture = *ImgDIB.DIB();
  if (!SelectionShown()) {
    ModGDI::CopyImageToClipboard(picture, 0, 0, picture.Image().width(), picture.Image().height());
    return;
  }
  WaitForStampFiles();
  if (!SelectionCut::Cut(*m_select, {picture, m_mode, m_view.fitRect, m_rects.Handles[0]})) {
    return;
  }
  GdiDIB cut;
  cut.Import(ModGDI::StampTempPath());
  if (cut.DIB() != nullptr) {
    ModGDI::CopyImageToClipboard(*cut.DIB(), 0, 0, Numbers::RoundToInt(cut.Width()), Numbers::RoundToInt(cut.Height()));
  }
}

void Imageqzviewer::CreateStampfromClipboard() {
  const Gdip::Bitmap* pasted = ModGDI::ClipboardImage().DIB();
  if (!hasImage() || pasted == nullptr) {
    return;
  }
  // Encoding a large picture takes seconds: the stamp is shown from memory while its
  // file is written in the background.
  const QImage stamp = pasted->Image().convertToFormat(QImage::Format_ARGB32);
  m_stampSnapshots.HandOver(ModGDI::StampTempPath(), stamp);
  m_mode = Mode::FloatingStamp;
  // A pasted stamp starts at the picture's origin at its own size.
  m_stamp.PlaceHanded(QRectF(QPointF(0, 0), QSizeF(stamp.size())));
  emit StampHandedOver();
}

void Imageqzviewer::EditingStampLib() {
  if (!hasImage() || m_view.fitRect.isEmpty()) {
    return;
  }
  ModqzReg::SelectionCombineMode = RegionTools::kInside;
  ModPublic::CurrentToolKey = QString::fromLatin1(CommandKeys::Filter_Select.data(),
                                                  qsizetype(CommandKeys::Filter_Select.size()));
  m_mode = Mode::Select;
  m_view.fit = true;
  CleanCroprect(true);
  HandOverSelection();
}
