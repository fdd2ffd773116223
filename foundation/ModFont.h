#pragma once
// The font list of the text tool.

#include <QStringList>

class QComboBox;

namespace ModFont {

// The installed scalable font families (private ones left out), sorted by name; a
// family offered by more than one foundry may appear as "Family [Foundry]".
QStringList TrueTypeFamilies();

// Adds each of those families as a new last item of the list.
void AddFontFamilyItems(QComboBox& cbFont);

}  // namespace ModFont
