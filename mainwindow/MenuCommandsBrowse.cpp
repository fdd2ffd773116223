// The Browse menu's commands: the full view and the fit of the canvas, stepping through
// the sheet, its sort order and star marks, the slideshow and the properties window.
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/SkinnedControlServices.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Bitmap.h"
#include "windows/FrmProp.h"

namespace MenuCommands::Handlers {

namespace {

// The fit button of the image toolbar.
constexpr int kFitButton = 5;

}  // namespace

void Sort(FrmMain& window, std::string_view key) { window.SettingArrange_Menu(CommandKeyText(key)); }

// Stars or unstars the files selected on the sheet.
void Star(FrmMain& window, std::string_view key) { window.Sheet().QrFileCreate(key == CommandKeys::View_Removestar); }

void FullView(FrmMain& window, std::string_view) { window.ShowFullView(); }

void Fit(FrmMain& window, std::string_view) {
  Imageqzviewer& canvas = window.Canvas();
  ImageToolbarServices* toolbar = window.ImageToolbar();
  const bool fit = toolbar != nullptr ? !toolbar->Rpressdown(kFitButton) : !canvas.FitMode();
  canvas.SetFitMode(fit);
  if (toolbar != nullptr) {
    toolbar->PressDownID(kFitButton, fit);
  }
  canvas.Painting(false, false, true);
}

// Next and Previous open the neighbouring picture of the sheet; unsaved changes are asked
// about first, and Cancel stays.
void Step(FrmMain& window, std::string_view key) {
  if (ModPublic::AskSaveChanges() == Forms::vbCancel) {
    return;
  }
  ThumViewer& sheet = window.Sheet();
  if (key == CommandKeys::View_Zoomin) {
    sheet.PreviewNext();
  } else {
    sheet.PreviewBack();
  }
  window.Canvas().Import(sheet.SelectFile);
}

void Slideshow(FrmMain& window, std::string_view) {
  SlideshowServices& slideshow = window.Slideshow();
  slideshow.Show();
  slideshow.Start();
}

void Properties(FrmMain& window, std::string_view) {
  Imageqzviewer& canvas = window.Canvas();
  if (!canvas.hasImage()) {
    return;
  }
  window.ShowProperties(canvas.ImgDIB.DIB()->Image());
}

}  // namespace MenuCommands::Handlers
