#include "canvas/tools/RegionCommit.h"

#include <QPainter>

#include "canvas/tools/FloatingStamp.h"
#include "canvas/tools/RegionTools.h"
#include "canvas/tools/SelectionCut.h"
#include "canvas/tools/ToolRect.h"
#include "effects/ClsSelect.h"
#include "foundation/DIBsave.h"
#include "foundation/ModqzReg.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/PictureTransforms.h"

namespace RegionCommit {

namespace {

using ToolCommit::Input;

QSizeF PictureSize(const Input& in) { return QSizeF(in.picture.Image().size()); }

QRectF InPicture(const Input& in, const QRectF& canvas) {
  return ToolRect::ToPicture(canvas, in.displayed, PictureSize(in));
}

QImage Editable(const Input& in) { return Gdip::EditableCopy(in.picture.Image()); }

QImage Crop(const Input& in) {
  const QRectF r = InPicture(in, in.selection);
  const QRect box = QRect(Numbers::RoundToInt(r.x()), Numbers::RoundToInt(r.y()), Numbers::RoundToInt(r.width()),
                          Numbers::RoundToInt(r.height())) &
                    in.picture.Image().rect();
  if (box.isEmpty()) {
    return {};
  }
  return in.picture.Image().copy(box);
}

QImage Filled(const Input& in) {
  QImage picture = Editable(in);
  auto graphics = Gdip::Graphics::FromSurface(picture);
  if (graphics == nullptr) {
    return {};
  }
  RegionTools::DrawFill(*graphics, FillOf(in));
  graphics.reset();
  return picture;
}

QImage Tinted(const Input& in, const QPainterPath& area) {
  QImage picture = Editable(in);
  if (picture.isNull()) {
    return {};
  }
  QPainter painter(&picture);
  painter.fillPath(area, RegionTools::Tint(in.pickedColour, Numbers::RoundToInt(in.value)));
  return picture;
}

bool SelectionEmpty(const Input& in) {
  if (!RegionTools::HasSelection(in.previousMode)) {
    return true;
  }
  if (in.previousMode == ToolModes::Mode::FreeSelect) {
    return SharedSelectionPoints().SelectPointCount < 3;
  }
  return in.selection.width() <= 0 || in.selection.height() <= 0;
}

}  // namespace

RegionTools::Fill FillOf(const Input& in) {
  RegionTools::Fill fill;
  fill.mode = in.mode;
  fill.rect = InPicture(in, in.selection);
  fill.focus = InPicture(in, QRectF(in.gradientPoint, QSizeF())).topLeft();
  fill.colour1 = in.pickedColour;
  fill.colour2 = in.pickedColour1;
  fill.value = Numbers::RoundToInt(in.value);
  fill.style = in.fillStyle;
  return fill;
}

QImage RenderRegion(const Input& in) {
  switch (in.mode) {
    case ToolModes::Mode::Crop:
    case ToolModes::Mode::CropAlike:
      return Crop(in);
    case ToolModes::Mode::CircularFill:
    case ToolModes::Mode::RectangleFill:
      return Filled(in);
    case ToolModes::Mode::FloatingStamp:
      return in.stamp == nullptr ? QImage()
                                 : FloatingStamp::BurnIn(in.picture.Image(), *in.stamp, InPicture(in, in.selection),
                                                         in.value);
    default:
      return {};
  }
}

QImage RenderCard(const Input& in) {
  const QRectF whole(QPointF(0, 0), PictureSize(in));
  const QPainterPath shape = RegionTools::ShapeOf(in.mode, InPicture(in, in.selection));
  return Tinted(in, RegionTools::Marked(whole, shape, ModqzReg::SelectionCombineMode));
}

QImage RenderColorize(const Input& in) {
  QPainterPath whole;
  whole.addRect(QRectF(QPointF(0, 0), PictureSize(in)));
  return Tinted(in, whole);
}

QImage RenderDelete(const Input& in) {
  if (in.select == nullptr || SelectionEmpty(in)) {
    return {};
  }
  // The delete keeps the part the selection leaves: with the inside selected, the outside
  // (the sense turns to 4); with the outside selected, the inside (the sense turns to 1).
  const bool insideSelected = ModqzReg::SelectionCombineMode == RegionTools::kInside;
  ModqzReg::SelectionCombineMode = insideSelected ? RegionTools::kOutside : RegionTools::kInside;
  // Cut at the picture's size with the content in place, whichever part is kept.
  in.select->SetClone(true);
  in.select->SetWritesStampFile(false);
  const bool cut =
      SelectionCut::Cut(*in.select, {in.picture, in.previousMode, in.displayed, in.selection});
  in.select->SetClone(false);
  in.select->SetWritesStampFile(true);
  QImage kept;
  if (cut && in.select->Mimg() != nullptr && in.select->Mimg()->new_Img != nullptr) {
    // Shared, not copied: the cut is let go just below.
    kept = in.select->Mimg()->new_Img->Image();
  }
  in.select->Destory();
  if (kept.isNull()) {
    ModqzReg::SelectionCombineMode = insideSelected ? RegionTools::kInside : RegionTools::kOutside;
  }
  return kept;
}

}  // namespace RegionCommit
