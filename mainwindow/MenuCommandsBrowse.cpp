// The Browse menu's commands: the full view and the fit of the canvas, stepping through
// the sheet, its sort order and star marks, the slideshow and the properties window.
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SkinnedControlServices.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Bitmap.h"
#include "windows/FrmProp.h"

namespace MenuCommands::Handlers {

// The sort key is kept in the settings, so the next start sorts the same way.
void Sort(FrmMain& window, std::string_view key) {
  ModqzReg::ArrangeString = CommandKeyText(key);
  window.SettingArrange_Menu(ModqzReg::ArrangeString);
}

// Stars or unstars the files selected on the sheet.
void Star(FrmMain& window, std::string_view key) { window.Sheet().QrFileCreate(key == CommandKeys::View_Removestar); }

void FullView(FrmMain& window, std::string_view) { window.ShowFullView(); }

void Fit(FrmMain& window, std::string_view) { window.ToggleFit(); }

// Next and Previous open the neighbouring picture of the sheet; the table says they ask
// about unsaved changes first.
void Step(FrmMain& window, std::string_view key) { window.StepSheet(key == CommandKeys::View_Zoomin); }

void ThumbnailPane(FrmMain& window, std::string_view) { window.ToggleThumbnailPane(); }

void Slideshow(FrmMain& window, std::string_view) { window.StartSlideshowWindow(); }

void Properties(FrmMain& window, std::string_view) {
  Imageqzviewer& canvas = window.Canvas();
  if (!canvas.hasImage()) {
    return;
  }
  window.ShowProperties(canvas.ImgDIB.DIB()->Image());
}

}  // namespace MenuCommands::Handlers
