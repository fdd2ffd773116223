#pragma once
// Text of the drawn controls: laid out exactly as the imaging layer lays out a string
// (padding, trimming, ellipsis), but drawn through the font's glyph cache. The menus
// repaint dozens of captions per pointer move, and outlining every glyph anew was
// about forty times slower.

#include <QRectF>
#include <QString>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {
class Font;
class Graphics;
class StringFormat;
}  // namespace Gdip

namespace SkinText {

// Draws the text in one solid colour within the layout rectangle; nothing when the
// font's family is not installed.
void Draw(Gdip::Graphics& g, const QString& text, const Gdip::Font& font, const QRectF& layout,
          const Gdip::StringFormat& format, Gdip::ARGB colour);

}  // namespace SkinText
