#include <QComboBox>
#include <QFont>

#include <gtest/gtest.h>

#include "foundation/ModFont.h"
#include "platform/gdiplus/Font.h"

TEST(FontList, SortedScalableFamiliesWithTheSubstitutes) {
  const QStringList families = ModFont::TrueTypeFamilies();
  ASSERT_FALSE(families.isEmpty());
  for (qsizetype i = 1; i < families.size(); ++i) {
    EXPECT_LE(QString::compare(families[i - 1], families[i], Qt::CaseInsensitive), 0) << families[i].toStdString();
  }
  // The families the Windows names are mapped to are offered in the list.
  Gdip::InstallFontSubstitutions();
  for (const char* name : {"Tahoma", "Microsoft Sans Serif", "Arial"}) {
    const QString first = QFont::substitutes(QString::fromLatin1(name)).value(0);
    EXPECT_TRUE(families.contains(first, Qt::CaseInsensitive)) << name << " -> " << first.toStdString();
  }
  QComboBox cbFont;
  cbFont.addItem("already there");
  ModFont::AddFontFamilyItems(cbFont);
  EXPECT_EQ(cbFont.count(), families.size() + 1);
  EXPECT_EQ(cbFont.itemText(1), families.first());
}
