// The Browse menu's commands: the sheet's sort order and its star marks.
#include "browse/ThumViewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"

namespace MenuCommands::Handlers {

void Sort(FrmMain& window, std::string_view key) { window.SettingArrange_Menu(CommandKeyText(key)); }

// Stars or unstars the files selected on the sheet.
void Star(FrmMain& window, std::string_view key) { window.Sheet().QrFileCreate(key == CommandKeys::View_Removestar); }

}  // namespace MenuCommands::Handlers
