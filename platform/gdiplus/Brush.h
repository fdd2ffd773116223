#pragma once

#include <QBrush>

#include "platform/gdiplus/GdipTypes.h"

class QPainter;
class QPainterPath;

namespace Gdip {

// Something that fills areas. A fill is one call per area, never per pixel.
class Brush {
 public:
  virtual ~Brush() = default;
  // Fills the area, given in the painter's coordinates, honouring its transform and hints.
  virtual void Fill(QPainter& painter, const QPainterPath& area) const = 0;

 protected:
  Brush() = default;
  Brush(const Brush&) = default;
  Brush& operator=(const Brush&) = default;
};

class SolidBrush final : public Brush {
 public:
  explicit SolidBrush(ARGB color) : m_color(color) {}
  ARGB GetColor() const { return m_color; }
  void SetColor(ARGB color) { m_color = color; }
  void Fill(QPainter& painter, const QPainterPath& area) const override;

 private:
  ARGB m_color;
};

}  // namespace Gdip
