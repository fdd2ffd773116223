#include "effects/GradientDisc.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QRadialGradient>

#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/Pen.h"

namespace ModEffects {

namespace {

// A focal radial gradient laid over one ellipse, in the same coordinates as its path.
class EllipseGradientBrush final : public Gdip::Brush {
 public:
  EllipseGradientBrush(const QRectF& box, QPointF focal, float focus, std::uint32_t centre, std::uint32_t surround)
      : m_box(box) {
    const double a = box.width() / 2;
    const double b = box.height() / 2;
    QPointF unit((focal.x() - box.center().x()) / a, (focal.y() - box.center().y()) / b);
    // A gradient centre on or beyond the rim (a bubble's highlight) is pulled just inside it.
    const double length = std::hypot(unit.x(), unit.y());
    if (length > 0.999) {
      unit *= 0.999 / length;
    }
    m_gradient = QRadialGradient(QPointF(0, 0), 1.0, unit);
    const QColor inner = QColor::fromRgba(centre);
    const float f = std::clamp(focus, 0.0f, 1.0f);
    m_gradient.setColorAt(0, inner);
    m_gradient.setColorAt(1, f >= 1.0f ? inner : QColor::fromRgba(surround));
    if (f > 0 && f < 1) {
      m_gradient.setColorAt(f, inner);
    }
  }

  void Fill(QPainter& painter, const QPainterPath& area) const override {
    QBrush brush(m_gradient);
    brush.setTransform(QTransform(m_box.width() / 2, 0, 0, m_box.height() / 2, m_box.center().x(), m_box.center().y()));
    painter.fillPath(area, brush);
  }

 private:
  QRectF m_box;
  QRadialGradient m_gradient;
};

float Whole(double value) { return static_cast<float>(Numbers::RoundHalfEven(value)); }

}  // namespace

void FillGradientDisc(Gdip::Graphics& g, float cx, float cy, float rx, float ry, float gx, float gy, float focus,
                      std::uint32_t centre, std::uint32_t surround, bool noOutline) {
  const QRectF box(Whole(cx - rx), Whole(cy - ry), Whole(2 * rx), Whole(2 * ry));
  if (rx <= 0 || ry <= 0 || box.width() <= 0 || box.height() <= 0) {
    return;
  }
  g.SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  Gdip::Path path(Gdip::FillMode::Winding);
  path.AddEllipse(float(box.x()), float(box.y()), float(box.width()), float(box.height()));
  g.FillPath(EllipseGradientBrush(box, QPointF(Whole(gx), Whole(gy)), focus, centre, surround), path);
  if (!noOutline) {
    g.DrawPath(Gdip::Pen(ModGDI::SetARGBAlpha(surround, 60), 1), path);
  }
}

}  // namespace ModEffects
