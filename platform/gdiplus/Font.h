#pragma once

#include <QFont>
#include <QString>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {

// Maps the Windows font names the program asks for ("Tahoma", "Microsoft Sans Serif",
// "Arial" and the like) to installed free fonts of the same or close metrics. Safe to
// call more than once; the font classes call it before their first look-up.
void InstallFontSubstitutions();

// A font family by name; unavailable when neither the name nor a substitute for it is
// installed, and a font of an unavailable family draws nothing.
class FontFamily {
 public:
  explicit FontFamily(const QString& name);
  const QString& GetFamilyName() const { return m_name; }
  bool IsAvailable() const { return m_available; }

 private:
  QString m_name;
  bool m_available;
};

// A font of a family at a size. Sizes are fixed at 96 dots per inch whatever the screen,
// so a size in points becomes size * 96 / 72 pixels and layouts match on every display.
class Font {
 public:
  Font(const FontFamily& family, float emSize, int style = FontStyleRegular, Unit unit = Unit::Point);

  bool IsAvailable() const { return m_available; }
  // The em size in pixels.
  float GetPixelSize() const { return m_pixelSize; }
  int GetStyle() const { return m_style; }
  const QFont& ToQFont() const { return m_font; }

 private:
  QFont m_font;
  float m_pixelSize;
  int m_style;
  bool m_available;
};

// The size in pixels of a size given in a unit, at 96 dots per inch.
float ToPixels(float size, Unit unit);

}  // namespace Gdip
