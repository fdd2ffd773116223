#include "controls/SkinText.h"

#include <QColor>
#include <QPainter>

#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/StringFormat.h"
#include "platform/gdiplus/TextLayout.h"

namespace SkinText {

void Draw(Gdip::Graphics& g, const QString& text, const Gdip::Font& font, const QRectF& layout,
          const Gdip::StringFormat& format, Gdip::ARGB colour) {
  if (!font.IsAvailable()) {
    return;
  }
  const Gdip::TextLayout laidOut = Gdip::LayoutString(text, font, layout, format);
  if (laidOut.lines.empty()) {
    return;
  }
  QPainter& painter = g.Painter();
  painter.save();
  if (layout.width() > 0 && layout.height() > 0 && (format.GetFormatFlags() & Gdip::StringFormatFlagsNoClip) == 0) {
    painter.setClipRect(layout, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
  }
  painter.setFont(font.ToQFont());
  painter.setPen(QColor::fromRgba(colour));
  for (const Gdip::TextLayout::Line& line : laidOut.lines) {
    painter.drawText(line.origin, line.text);
  }
  painter.restore();
}

}  // namespace SkinText
