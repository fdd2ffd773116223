// The File and Edit commands of the dispatcher.
#include <array>

#include <QFileInfo>

#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SelectedFiles.h"
#include "foundation/SkinnedControlServices.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/Printer.h"
#include "platform/forms/MsgBox.h"

namespace MenuCommands::Handlers {

namespace {

namespace K = CommandKeys;

constexpr std::array kPanelSections{K::Edit_Filter, K::Edit_Fav, K::Edit_Keyword, K::Edit_Prop};

}  // namespace

void Save(FrmMain& window, std::string_view) { window.SaveInPlace(); }

// Through closeEvent, which asks about unsaved changes.
void Exit(FrmMain& window, std::string_view) { window.close(); }

void Print(FrmMain& window, std::string_view) { window.PrintOrSayNoPrinters(); }

void Undo(FrmMain& window, std::string_view) { window.Canvas().UndoAndRedo(true); }
void Redo(FrmMain& window, std::string_view) { window.Canvas().UndoAndRedo(false); }
void SelectAll(FrmMain& window, std::string_view) { window.Canvas().CleanCroprect(true); }

void Deselect(FrmMain& window, std::string_view) {
  window.Canvas().CleanCroprect();
  window.Canvas().Painting(Imageqzviewer::PaintKind::Refit);
}

void ClearSelection(FrmMain& window, std::string_view) { window.Canvas().CallDrawDeleteSelect(); }
void Copy(FrmMain& window, std::string_view) {
  window.Canvas().DrawtoClipboard();
  window.Canvas().Painting();
}
void Paste(FrmMain& window, std::string_view) { window.PasteFromClipboard(); }

void Inverse(FrmMain& window, std::string_view) {
  ModqzReg::SelectionCombineMode = ModqzReg::SelectionCombineMode == 4 ? 1 : 4;
  window.Canvas().Painting();
}

void Rasterize(FrmMain& window, std::string_view) { window.Canvas().Rasterize(); }

void Delete(FrmMain& window, std::string_view) { window.DeleteSelectedFiles(); }

void ResizeImage(FrmMain& window, std::string_view key) {
  Imageqzviewer& canvas = window.Canvas();
  canvas.ArmTool(ToolModes::ModeForKey(key).value_or(ToolModes::Mode::Browse));
  canvas.Relayout();
  window.MarkBrowseRow();
  window.ReleaseToolRepaint();
}

void ResizeCanvas(FrmMain& window, std::string_view) { window.Canvas().ResizeCanvas(*window.TaskDialogs()); }

void PanelSection(FrmMain& window, std::string_view key) {
  SkinMenuServices* menu = window.SkinMenu();
  for (std::size_t section = 0; section < kPanelSections.size(); ++section) {
    const bool chosen = kPanelSections[section] == key;
    if (chosen && window.UserqzProcess1() != nullptr) {
      window.UserqzProcess1()->SetToolselect(int(section));
    }
    if (menu != nullptr) {
      menu->MenuChecked(CommandKeyText(kPanelSections[section]), chosen);
    }
  }
}

}  // namespace MenuCommands::Handlers
