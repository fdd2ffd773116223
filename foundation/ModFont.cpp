#include "foundation/ModFont.h"

#include <algorithm>

#include <QComboBox>
#include <QFontDatabase>

namespace ModFont {

QStringList TrueTypeFamilies() {
  QStringList families;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family)) {
      families.append(family);
    }
  }
  std::sort(families.begin(), families.end(),
            [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
  return families;
}

void AddFontFamilyItems(QComboBox& cbFont) { cbFont.addItems(TrueTypeFamilies()); }

}  // namespace ModFont
