#pragma once

#include <QPen>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {

// A solid-colour pen, its width in pixels. The defaults are flat caps and miter joins,
// where Qt's own pens start with square caps and bevel joins.
class Pen {
 public:
  explicit Pen(ARGB color, float width = 1.0f);

  ARGB GetColor() const { return m_color; }
  void SetColor(ARGB color) { m_color = color; }
  float GetWidth() const { return m_width; }
  void SetWidth(float width) { m_width = width; }
  void SetStartCap(LineCap cap) { m_startCap = cap; }
  void SetEndCap(LineCap cap) { m_endCap = cap; }
  void SetLineCap(LineCap start, LineCap end);
  LineCap GetStartCap() const { return m_startCap; }
  LineCap GetEndCap() const { return m_endCap; }
  void SetLineJoin(LineJoin join) { m_join = join; }
  LineJoin GetLineJoin() const { return m_join; }
  void SetDashStyle(DashStyle style) { m_dash = style; }
  DashStyle GetDashStyle() const { return m_dash; }

  // The Qt pen for the stroke. Qt has one cap for both ends; a round cap at either end
  // wins, as the round-capped lines are the ones callers ask for.
  QPen ToQPen() const;

 private:
  ARGB m_color;
  float m_width;
  LineCap m_startCap = LineCap::Flat;
  LineCap m_endCap = LineCap::Flat;
  LineJoin m_join = LineJoin::Miter;
  DashStyle m_dash = DashStyle::Solid;
};

}  // namespace Gdip
