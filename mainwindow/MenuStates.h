#pragma once
// Which rows of the drawn menu are enabled and ticked for the program's state: set before
// a menu of the menu-bar strip opens, and after a tool, sort or side panel section
// changes. The menu applies MenuVisible and MenuChecked to the menu set up last, so a
// call naming a row of another menu changes nothing.

#include <QString>

#include "canvas/ToolModes.h"

class SkinMenuServices;

namespace MenuStates {

// What the enable states depend on.
struct Facts {
  // The canvas shows a picture.
  bool hasImage = false;
  // The canvas's tool mode.
  ToolModes::Mode mode = ToolModes::Mode::Browse;
  // The thumbnail sheet has no folder listed (its NoOpen).
  bool sheetNoOpen = true;
  bool clipboardHasImage = false;
  // The image toolbar's fit button is pressed.
  bool fitPressed = false;
  // The side panel's section.
  int toolselect = 0;
  QString currentToolKey;
};

// Unticks every tool and effect row; with setDefault, ticks "Browse Image".
void CancelMenuChecked(SkinMenuServices& menu, bool setDefault);
// Enables the tool and effect rows by enabled. While a stamp floats only the brushes and
// the effects a stamp takes are enabled, and enabled ends false.
void EnabledVMenu(SkinMenuServices& menu, ToolModes::Mode mode, bool& enabled);
// Ticks the row of the side panel's section (0-3); any other section ticks none.
void ProperPanelSel(SkinMenuServices& menu, int toolselect);
// The enable and check states of the strip's menu pressID (0-5), set up last.
void MenuSetting(SkinMenuServices& menu, int pressID, const Facts& facts);

}  // namespace MenuStates
