#include "canvas/tools/ToolRect.h"

#include <algorithm>

namespace ToolRect {

namespace {

// Which edges each handle moves: left, top, right, bottom.
struct Edges {
  bool left, top, right, bottom;
};
constexpr std::array<Edges, 9> kEdges{{
    {true, true, true, true},      // 0 the inside: every edge, so the rectangle moves
    {true, true, false, false},    // 1 top-left
    {false, true, false, false},   // 2 top
    {false, true, true, false},    // 3 top-right
    {false, false, true, false},   // 4 right
    {false, false, true, true},    // 5 bottom-right
    {false, false, false, true},   // 6 bottom
    {true, false, false, true},    // 7 bottom-left
    {true, false, false, false},   // 8 left
}};

QPointF Scale(const QRectF& fit, QSizeF picture) {
  return {picture.width() / fit.width(), picture.height() / fit.height()};
}

}  // namespace

QRectF FromCorners(QPointF press, QPointF current, const QRectF& previous) {
  if (press.x() == current.x() || press.y() == current.y()) {
    return previous;
  }
  return QRectF(press, current).normalized();
}

QRectF Dragged(int handle, const QRectF& atPress, QPointF press, QPointF current) {
  if (handle < 0 || handle >= int(kEdges.size())) {
    return atPress;
  }
  const Edges& e = kEdges[std::size_t(handle)];
  const QPointF d = current - press;
  const double left = atPress.left() + (e.left ? d.x() : 0);
  const double top = atPress.top() + (e.top ? d.y() : 0);
  const double right = atPress.right() + (e.right ? d.x() : 0);
  const double bottom = atPress.bottom() + (e.bottom ? d.y() : 0);
  return QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
}

QRectF Squared(const QRectF& rect) {
  const double side = std::min(rect.width(), rect.height());
  return {rect.topLeft(), QSizeF(side, side)};
}

QRectF InProportion(const QRectF& rect, QSizeF stamp) {
  if (stamp.width() <= 0 || stamp.height() <= 0) {
    return rect;
  }
  const double width = rect.height() / stamp.height() * stamp.width();
  return {rect.topLeft(), QSizeF(width, width / stamp.width() * stamp.height())};
}

QRectF Capped(const QRectF& rect, double maxSide) {
  return {rect.topLeft(), QSizeF(std::min(rect.width(), maxSide), std::min(rect.height(), maxSide))};
}

std::array<QRectF, 8> Handles(const QRectF& r) {
  const double s = kHandleSide;
  const double h = s / 2;
  const double x = r.x();
  const double y = r.y();
  const double w = r.width();
  const double ht = r.height();
  return {{{x - h, y - h, s, s},
           {x + h, y - h, w - s, s},
           {x + w - h, y - h, s, s},
           {x + w - h, y + h, s, ht - s},
           {x + w - h, y + ht - h, s, s},
           {x + h, y + ht - h, w - s, s},
           {x - h, y + ht - h, s, s},
           {x - h, y + h, s, ht - s}}};
}

QRectF ToPicture(const QRectF& canvas, const QRectF& fit, QSizeF picture) {
  if (fit.width() <= 0 || fit.height() <= 0) {
    return {};
  }
  const QPointF s = Scale(fit, picture);
  return {(canvas.x() - fit.x()) * s.x(), (canvas.y() - fit.y()) * s.y(), canvas.width() * s.x(),
          canvas.height() * s.y()};
}

QRectF ToCanvas(const QRectF& inPicture, const QRectF& fit, QSizeF picture) {
  if (fit.width() <= 0 || fit.height() <= 0 || picture.isEmpty()) {
    return {};
  }
  const QPointF s = Scale(fit, picture);
  return {inPicture.x() / s.x() + fit.x(), inPicture.y() / s.y() + fit.y(), inPicture.width() / s.x(),
          inPicture.height() / s.y()};
}

}  // namespace ToolRect
