#include "canvas/tools/LayerRaster.h"

#include <cmath>

#include "canvas/tools/CalendarLayer.h"
#include "canvas/tools/RegionCommit.h"
#include "canvas/tools/RegionTools.h"
#include "canvas/tools/ShapeDrawing.h"
#include "canvas/tools/TextLayer.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

namespace LayerRaster {

namespace {

QSizeF PictureSize(const ToolCommit::Input& in) { return QSizeF(in.picture.Image().size()); }

// Draws onto a transparent picture of the box's size, the box's corner at its origin.
template <class DrawFn>
Raster Cut(const QRect& box, DrawFn draw) {
  Raster raster{ToolCommit::Blank(box.size()), QRectF(box)};
  if (raster.picture.isNull()) {
    return {};
  }
  if (auto graphics = Gdip::Graphics::FromSurface(raster.picture)) {
    draw(*graphics, QPointF(box.topLeft()));
  }
  return raster;
}

}  // namespace

Raster Fill(const ToolCommit::Input& in) {
  RegionTools::Fill fill = RegionCommit::FillOf(in);
  const QRectF& r = fill.rect;
  const QRect box = QRect(Numbers::RoundToInt(r.x()), Numbers::RoundToInt(r.y()), Numbers::RoundToInt(r.width()),
                          Numbers::RoundToInt(r.height())) &
                    in.picture.Image().rect();
  return Cut(box, [&fill](Gdip::Graphics& graphics, QPointF origin) {
    fill.rect.translate(-origin);
    fill.focus -= origin;
    RegionTools::DrawFill(graphics, fill);
  });
}

Raster Shape(const ToolCommit::Input& in) {
  ShapeDrawing::Shape shape = ShapeDrawing::InPicture(in);
  if (shape.drawType == 0 || shape.start == shape.end) {
    return {};
  }
  // A level or upright line has an empty rectangle between its points: the pen's width
  // and the round caps give it its height.
  const double grow = shape.width / 2.0 + 1.0;
  const QRectF around = QRectF(shape.start, shape.end).normalized().adjusted(-grow, -grow, grow, grow);
  const QRect box = QRect(QPoint(int(std::floor(around.left())), int(std::floor(around.top()))),
                          QPoint(int(std::ceil(around.right())) - 1, int(std::ceil(around.bottom())) - 1)) &
                    in.picture.Image().rect();
  return Cut(box, [&shape](Gdip::Graphics& graphics, QPointF origin) {
    shape.start -= origin;
    shape.end -= origin;
    ShapeDrawing::Draw(graphics, shape);
  });
}

Raster Text(const ToolCommit::Input& in) {
  if (in.text == nullptr) {
    return {};
  }
  const TextLayer::Text text = TextLayer::InPicture(*in.text, in.displayed, PictureSize(in));
  QImage picture = TextLayer::Rasterized(text);
  const QRectF place(text.anchor, QSizeF(picture.size()));
  return {std::move(picture), place};
}

Raster Calendar(const ToolCommit::Input& in) {
  if (in.calendar == nullptr) {
    return {};
  }
  const QPointF r = ToolCommit::Ratios(in);
  const QPointF at = in.calendarAnchor - in.displayed.topLeft();
  QImage picture = CalendarLayer::Picture(*in.calendar, float(r.x()));
  const QRectF place(QPointF(at.x() * r.x(), at.y() * r.y()), QSizeF(picture.size()));
  return {std::move(picture), place};
}

Raster Render(const ToolCommit::Input& in) {
  const ToolModes::ToolMode& row = ToolModes::Row(in.mode);
  if (row.strip == ToolModes::Strip::Text) {
    return Text(in);
  }
  if (row.strip == ToolModes::Strip::Calendar) {
    return Calendar(in);
  }
  if (row.group == ToolModes::PointerGroup::GradientRect) {
    return Fill(in);
  }
  return ShapeDrawing::DrawTypeOf(in.mode) != 0 ? Shape(in) : Raster{};
}

QImage BurnInLayer(const ToolCommit::Input& in) {
  const ToolModes::Strip strip = ToolModes::Row(in.mode).strip;
  if (strip == ToolModes::Strip::Calendar) {
    return CalendarLayer::RenderCalendar(in);
  }
  if (strip != ToolModes::Strip::Text || in.text == nullptr) {
    return {};
  }
  return TextLayer::BurnIn(in.picture.Image(), TextLayer::InPicture(*in.text, in.displayed, PictureSize(in)));
}

}  // namespace LayerRaster
