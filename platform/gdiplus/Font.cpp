#include "platform/gdiplus/Font.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include <QFontDatabase>
#include <QStringList>

namespace Gdip {

namespace {

constexpr float kDpi = 96.0f;

struct Substitution {
  const char* windowsName;
  const char* freeNames;
};

// Liberation fonts share the advance widths of the fonts they stand for; DejaVu Sans
// has the wide, open shapes of the Windows interface faces.
constexpr Substitution kSubstitutions[] = {
    {"Tahoma", "DejaVu Sans,Liberation Sans"},
    {"Verdana", "DejaVu Sans,Liberation Sans"},
    {"Segoe UI", "DejaVu Sans,Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans,DejaVu Sans"},
    {"MS Sans Serif", "Liberation Sans,DejaVu Sans"},
    {"Arial", "Liberation Sans,DejaVu Sans"},
    {"Times New Roman", "Liberation Serif,DejaVu Serif"},
    {"Courier New", "Liberation Mono,DejaVu Sans Mono"},
};

}  // namespace

void InstallFontSubstitutions() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const Substitution& s : kSubstitutions) {
      QFont::insertSubstitutions(QString::fromLatin1(s.windowsName), QString::fromLatin1(s.freeNames).split(','));
    }
  });
}

FontFamily::FontFamily(const QString& name) : m_name(name) {
  InstallFontSubstitutions();
  const QStringList substitutes = QFont::substitutes(name);
  m_available = !name.isEmpty() && (QFontDatabase::hasFamily(name) ||
                                    std::any_of(substitutes.begin(), substitutes.end(),
                                                [](const QString& s) { return QFontDatabase::hasFamily(s); }));
}

float ToPixels(float size, Unit unit) {
  switch (unit) {
    case Unit::Point:
      return size * kDpi / 72.0f;
    case Unit::Inch:
      return size * kDpi;
    case Unit::Document:
      return size * kDpi / 300.0f;
    case Unit::Millimeter:
      return size * kDpi / 25.4f;
    case Unit::World:
    case Unit::Display:
    case Unit::Pixel:
      break;
  }
  return size;
}

Font::Font(const FontFamily& family, float emSize, int style, Unit unit)
    : m_pixelSize(ToPixels(emSize, unit)), m_style(style), m_available(family.IsAvailable() && emSize > 0) {
  m_font.setFamily(family.GetFamilyName());
  // Qt takes whole pixel sizes; the fraction of a point size is lost to the nearest pixel.
  m_font.setPixelSize(std::max(1, static_cast<int>(std::lround(m_pixelSize))));
  m_font.setBold((style & FontStyleBold) != 0);
  m_font.setItalic((style & FontStyleItalic) != 0);
  m_font.setUnderline((style & FontStyleUnderline) != 0);
  m_font.setStrikeOut((style & FontStyleStrikeout) != 0);
}

}  // namespace Gdip
