#include "windows/DrawnItems.h"

#include <cmath>

#include <QImage>
#include <QPainter>

#include "foundation/ModDraw.h"
#include "foundation/SkinSurface.h"

namespace DrawnItems {

void DrawItemBox(QImage& surface, const QRectF& item, Gradient colours) {
  QPainter(&surface).fillRect(QRectF(item.left() - 5, item.top() - 5, item.width() + 30, item.height() + 20),
                              QColor::fromRgba(kPanel));
  const double height = std::nearbyint(item.height());
  const int from = int(std::nearbyint(item.top()));
  const int to = int(std::nearbyint(item.height() * height));
  ModGDI::DrawRoundRectGradient(surface, 0, from, to, float(item.left()), float(item.top()), float(item.width()),
                                float(item.height()), 10, 10, colours.first, colours.second, false, 1, kOutline);
}

void DrawItemLabel(QImage& surface, const QString& text, float x, float y, std::uint32_t colour) {
  ModGDI::DrawTextGdip(surface, text, x, y, QStringLiteral("Tahoma"), 8, colour, 0, false, 200);
}

bool ItemHit(const QRectF& item, QPointF point) {
  return SkinShapes::HitRect(QRectF(item.left(), item.top(), item.width() + 25, item.height() + 10), point);
}

}  // namespace DrawnItems
