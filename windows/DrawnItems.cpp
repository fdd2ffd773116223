#include "windows/DrawnItems.h"

#include <cmath>
#include <memory>

#include <QImage>
#include <QPainter>

#include "foundation/ModDraw.h"
#include "foundation/SkinSurface.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/StringFormat.h"

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

float LabelWidth(const QString& text) {
  // Measured on a scratch surface, as it would be drawn.
  QImage scratch(1, 1, QImage::Format_ARGB32);
  const std::unique_ptr<Gdip::Graphics> graphics = Gdip::Graphics::FromSurface(scratch);
  const Gdip::Font font(Gdip::FontFamily(QStringLiteral("Tahoma")), 8, 0, Gdip::Unit::Point);
  return float(graphics->MeasureString(text, font, QRectF(), Gdip::StringFormat::GenericDefault()).width());
}

bool ItemHit(const QRectF& item, QPointF point) {
  return SkinShapes::HitRect(QRectF(item.left(), item.top(), item.width() + 25, item.height() + 10), point);
}

}  // namespace DrawnItems
