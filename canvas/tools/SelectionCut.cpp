#include "canvas/tools/SelectionCut.h"

#include <QFile>
#include <QImage>

#include "canvas/tools/RegionTools.h"
#include "canvas/tools/ToolRect.h"
#include "effects/ClsSelect.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModqzReg.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"

namespace SelectionCut {

namespace {

// ClsSelect's cut modes: the inside of the shape, or the picture outside it.
constexpr int kCutInside = 4;
constexpr int kCutOutside = 5;

}  // namespace

bool Cut(ClsSelect& select, const Request& request) {
  QFile::remove(ModGDI::StampTempPath());
  const QImage& image = request.picture.Image();
  if (request.fit.width() <= 0 || request.fit.height() <= 0 || image.isNull()) {
    return false;
  }
  select.SetPattenMode(ModqzReg::SelectionCombineMode == RegionTools::kInside ? kCutInside : kCutOutside);
  const SelectionPoints kept = SharedSelectionPoints();
  QImage unused;
  bool written = false;
  if (request.mode == ToolModes::Mode::FreeSelect) {
    const double sx = image.width() / request.fit.width();
    const double sy = image.height() / request.fit.height();
    written = select.FreeSelect(unused, 0, 0, 0, 0, &request.picture, image.width(), image.height(), false, false,
                                float(request.fit.x()), float(request.fit.y()), float(sx), float(sy), true, 0);
  } else {
    const QRectF r = ToolRect::ToPicture(request.area, request.fit, QSizeF(image.size()));
    written = select.OtherSelect(unused, request.mode == ToolModes::Mode::EllipseSelect ? 1 : 2, float(r.x()), float(r.y()), float(r.width()),
                                 float(r.height()), &request.picture, image.width(), image.height(), false, true);
  }
  SharedSelectionPoints() = kept;
  return written;
}

QRectF PolygonBounds() {
  const SelectionPoints& points = SharedSelectionPoints();
  return QRectF(points.SelectPoints2[1], points.SelectPoints2[0]).normalized();
}

}  // namespace SelectionCut
