#include "platform/gdiplus/PathGradientBrush.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "platform/gdiplus/Path.h"

namespace Gdip {

namespace {

double Cross(QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); }

// Straight colour channels as floats, for blending without rounding at each step.
struct Channels {
  float a, r, g, b;
};

Channels Split(ARGB c) {
  return {float(c >> 24), float((c >> 16) & 0xFFu), float((c >> 8) & 0xFFu), float(c & 0xFFu)};
}

Channels Minus(const Channels& x, const Channels& y) { return {x.a - y.a, x.r - y.r, x.g - y.g, x.b - y.b}; }

// from + step * t
Channels Along(const Channels& from, const Channels& step, float t) {
  return {from.a + step.a * t, from.r + step.r * t, from.g + step.g * t, from.b + step.b * t};
}

QRgb ToPremultiplied(const Channels& c) {
  const auto byte = [](float v) { return static_cast<int>(std::clamp(v + 0.5f, 0.0f, 255.0f)); };
  return qPremultiply(qRgba(byte(c.r), byte(c.g), byte(c.b), byte(c.a)));
}

// The x range [low, high] of a row where s * (k * (x - cx) + m) >= 0, k and m fixed for the row.
void ClipHalfLine(double k, double m, double cx, double& low, double& high) {
  constexpr double kTiny = 1e-12;
  if (std::abs(k) < kTiny) {
    if (m < 0) {
      low = 1;
      high = 0;
    }
    return;
  }
  const double x = cx - m / k;
  if (k > 0) {
    low = std::max(low, x);
  } else {
    high = std::min(high, x);
  }
}

// The weights of a pixel in its cone: u and v (the point is centre + u a + v b) and the
// same sum measured against the focus-scaled edge. All three change linearly along a row.
struct RowWeights {
  double u, v, inner;
  double du, dv, dinner;
};

// One triangle of the fan: the cone from the centre through edge a -> b (relative to the centre).
class Cone {
 public:
  Cone(QPointF a, QPointF b, float focusX, float focusY)
      : m_a(a),
        m_b(b),
        m_sa(a.x() * focusX, a.y() * focusY),
        m_sb(b.x() * focusX, b.y() * focusY),
        m_det(Cross(a, b)),
        m_innerDet(Cross(m_sa, m_sb)) {}
  bool Degenerate() const { return std::abs(m_det) < 1e-9; }
  bool HasFocus() const { return std::abs(m_innerDet) > 1e-9; }

  // The pixel centres of row y (relative to the centre) inside the cone, as an x range.
  void RowSpan(double dy, double& low, double& high) const {
    const double s = m_det > 0 ? 1.0 : -1.0;
    // cross(a, d) >= 0 and cross(d, b) >= 0 for a counter-clockwise pair (s flips them).
    ClipHalfLine(-m_a.y() * s, m_a.x() * dy * s, 0.0, low, high);
    ClipHalfLine(m_b.y() * s, -m_b.x() * dy * s, 0.0, low, high);
  }

  // The weights at d = (x, dy) and their steps per pixel to the right.
  RowWeights At(double x, double dy) const {
    const QPointF d(x, dy);
    RowWeights w{Cross(d, m_b) / m_det, Cross(m_a, d) / m_det, 0.0, m_b.y() / m_det, -m_a.y() / m_det, 0.0};
    if (HasFocus()) {
      w.inner = (Cross(d, m_sb) + Cross(m_sa, d)) / m_innerDet;
      w.dinner = (m_sb.y() - m_sa.y()) / m_innerDet;
    }
    return w;
  }

  // Blend position 0 (centre colour) to 1 (boundary), and the place along the edge.
  void Blend(const RowWeights& w, float& blend, float& along) const {
    const double u = std::max(0.0, w.u);
    const double v = std::max(0.0, w.v);
    const double outer = u + v;
    along = outer > 0 ? float(v / outer) : 0.0f;
    double g = outer;
    if (HasFocus()) {
      // The ray from the centre meets the shrunk boundary at 1 / inner of the way out.
      g = w.inner <= 1.0 ? 0.0 : outer * (w.inner - 1.0) / (w.inner - outer);
    }
    blend = float(std::clamp(g, 0.0, 1.0));
  }

 private:
  QPointF m_a, m_b, m_sa, m_sb;
  double m_det;
  double m_innerDet;
};

void PaintCone(QImage& target, QPointF center, const Cone& cone, const Channels& centerColor,
               const Channels& colorA, const Channels& colorB) {
  const int width = target.width();
  const Channels edgeStep = Minus(colorB, colorA);
  for (int y = 0; y < target.height(); ++y) {
    const double dy = y + 0.5 - center.y();
    // Pixel-centre x relative to the centre.
    double low = 0.5 - center.x();
    double high = width - 0.5 - center.x();
    cone.RowSpan(dy, low, high);
    if (low > high) {
      continue;
    }
    // Only the pixels whose centres lie in the cone (give or take rounding): outside it
    // the weights of a thin cone are far off, and the neighbouring cone paints them.
    const int first = std::max(0, static_cast<int>(std::ceil(low + center.x() - 0.5 - 1e-6)));
    const int last = std::min(width - 1, static_cast<int>(std::floor(high + center.x() - 0.5 + 1e-6)));
    auto* row = reinterpret_cast<QRgb*>(target.scanLine(y));
    RowWeights w = cone.At(first + 0.5 - center.x(), dy);
    for (int x = first; x <= last; ++x) {
      float blend = 0;
      float along = 0;
      cone.Blend(w, blend, along);
      const Channels edge = Along(colorA, edgeStep, along);
      row[x] = ToPremultiplied(Along(centerColor, Minus(edge, centerColor), blend));
      w.u += w.du;
      w.v += w.dv;
      w.inner += w.dinner;
    }
  }
}

}  // namespace

void RasterisePathGradient(QImage& target, const GradientFan& fan) {
  const std::size_t n = fan.ring.size();
  if (n < 2 || fan.surround.size() < n || target.format() != QImage::Format_ARGB32_Premultiplied) {
    return;
  }
  const Channels center = Split(fan.centerColor);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t j = (i + 1) % n;
    const Cone cone(fan.ring[i] - fan.center, fan.ring[j] - fan.center, fan.focusX, fan.focusY);
    if (!cone.Degenerate()) {
      PaintCone(target, fan.center, cone, center, Split(fan.surround[i]), Split(fan.surround[j]));
    }
  }
}

PathGradientBrush::PathGradientBrush(const Path& path) : m_ellipse(path.SingleEllipse()) {
  for (QPolygonF ring : path.Flatten()) {
    // A closed figure repeats its first point at the end; the fan needs each point once.
    if (ring.size() > 1 && ring.first() == ring.last()) {
      ring.removeLast();
    }
    if (ring.size() > 1) {
      m_rings.push_back(std::move(ring));
    }
  }
  m_center = path.GetBounds().center();
}

int PathGradientBrush::GetPointCount() const {
  std::size_t count = 0;
  for (const QPolygonF& ring : m_rings) {
    count += ring.size();
  }
  return static_cast<int>(count);
}

Status PathGradientBrush::SetSurroundColors(std::span<const ARGB> colors) {
  if (colors.empty() || colors.size() > static_cast<std::size_t>(GetPointCount())) {
    return Status::InvalidParameter;
  }
  m_surround.assign(colors.begin(), colors.end());
  return Status::Ok;
}

void PathGradientBrush::SetFocusScales(float xScale, float yScale) {
  m_focusX = xScale;
  m_focusY = yScale;
}

ARGB PathGradientBrush::SurroundColorAt(std::size_t index) const {
  return m_surround[std::min(index, m_surround.size() - 1)];
}

// An affine map takes the ellipse to the unit circle and keeps proportions along every
// ray, so the blend that runs linearly from the centre point out to the rim is the focal
// radial gradient with its focus at the mapped centre point. The focus-scaled copy of the
// rim is the rim shrunk about that point, so it ends where the blend has come that
// fraction of the way: a stop of the centre colour there. Straight channels are blended,
// as in the rasterised fan.
std::optional<QBrush> PathGradientBrush::EllipseGradient() const {
  const bool oneSurround =
      std::all_of(m_surround.begin(), m_surround.end(), [this](ARGB c) { return c == m_surround.front(); });
  if (!m_ellipse || m_ellipse->isEmpty() || !oneSurround || m_focusX != m_focusY || m_focusX < 0) {
    return std::nullopt;
  }
  const QPointF middle = m_ellipse->center();
  const double a = m_ellipse->width() / 2;
  const double b = m_ellipse->height() / 2;
  QPointF focal((m_center.x() - middle.x()) / a, (m_center.y() - middle.y()) / b);
  // A centre point on or beyond the rim has no fan of rays to blend along; it is pulled
  // just inside, where Qt would also put it.
  const double reach = std::hypot(focal.x(), focal.y());
  if (reach > 0.999) {
    focal *= 0.999 / reach;
  }
  QRadialGradient gradient(QPointF(0, 0), 1.0, focal);
  gradient.setInterpolationMode(QGradient::ComponentInterpolation);
  const QColor centre = QColor::fromRgba(m_centerColor);
  gradient.setColorAt(0, centre);
  gradient.setColorAt(1, m_focusX >= 1.0f ? centre : QColor::fromRgba(m_surround.front()));
  if (m_focusX > 0 && m_focusX < 1) {
    gradient.setColorAt(m_focusX, centre);
  }
  QBrush brush(gradient);
  brush.setTransform(QTransform(a, 0, 0, b, middle.x(), middle.y()));
  return brush;
}

void PathGradientBrush::Fill(QPainter& painter, const QPainterPath& area) const {
  if (const std::optional<QBrush> gradient = EllipseGradient()) {
    painter.fillPath(area, *gradient);
  } else {
    FillRasterised(painter, area);
  }
}

void PathGradientBrush::FillRasterised(QPainter& painter, const QPainterPath& area) const {
  if (m_rings.empty() || painter.device() == nullptr) {
    return;
  }
  // Rasterise in device pixels, so the colours land on the pixels they are meant for
  // whatever the painter's transform (half-pixel offset, bottom-up flip).
  const QTransform toDevice = painter.transform();
  const QPainterPath deviceArea = toDevice.map(area);
  const QRect canvas(0, 0, painter.device()->width(), painter.device()->height());
  const QRect box = deviceArea.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1) & canvas;
  if (box.isEmpty()) {
    return;
  }
  QImage texture(box.size(), QImage::Format_ARGB32_Premultiplied);
  texture.fill(Qt::transparent);
  const QPointF origin = box.topLeft();
  std::size_t firstPoint = 0;
  for (const QPolygonF& ring : m_rings) {
    std::vector<QPointF> points;
    std::vector<ARGB> colors;
    for (qsizetype i = 0; i < ring.size(); ++i) {
      points.push_back(toDevice.map(ring[i]) - origin);
      colors.push_back(SurroundColorAt(firstPoint + static_cast<std::size_t>(i)));
    }
    firstPoint += static_cast<std::size_t>(ring.size());
    const GradientFan fan{toDevice.map(m_center) - origin, points, colors, m_centerColor, m_focusX, m_focusY};
    RasterisePathGradient(texture, fan);
  }
  QBrush brush(texture);
  brush.setTransform(QTransform::fromTranslate(origin.x(), origin.y()));
  painter.save();
  painter.resetTransform();
  painter.fillPath(deviceArea, brush);
  painter.restore();
}

}  // namespace Gdip
