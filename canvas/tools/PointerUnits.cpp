#include "canvas/tools/PointerUnits.h"

namespace PointerTools {

const PointerUnit& UnitFor(ToolModes::PointerGroup group) {
  using G = ToolModes::PointerGroup;
  switch (group) {
    case G::DragRect:
      return DragRectUnit();
    case G::GradientRect:
      return GradientRectUnit();
    case G::Marquee:
      return MarqueeUnit();
    case G::RotatePreview:
      return RotatePreviewUnit();
    case G::ColourPreview:
      return ColourPreviewUnit();
    case G::Layer:
      return LayerUnit();
    case G::Resize:
      return ResizeUnit();
    case G::Shape:
      return ShapeUnit();
    case G::Point:
      return PointUnit();
    case G::Stamp:
      return StampUnit();
    case G::StampPoint:
      return StampPointUnit();
    case G::Polygon:
      return PolygonUnit();
    case G::Pan:
    case G::None:
      return PanUnit();
  }
  return PanUnit();
}

}  // namespace PointerTools
