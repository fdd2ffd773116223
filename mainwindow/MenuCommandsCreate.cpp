// The Create and Help menus' commands: the wallpaper and its background colour, the
// screensaver export, the help page and the program's web pages.
#include <QGuiApplication>
#include <QScreen>

#include "canvas/Imageqzviewer.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModDialogCOlor.h"
#include "foundation/ModPublic.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/Desktop.h"
#include "platform/gdiplus/Bitmap.h"
#include "windows/Wallpaper.h"

namespace MenuCommands::Handlers {

namespace {

// The colour the background chooser opens with, whatever the current one: RGB(100, 140, 200).
constexpr std::uint32_t kChooserStart = 0x00C88C64;

}  // namespace

void DesktopWallpaper(FrmMain& window, std::string_view) {
  const Gdip::Bitmap* picture = window.Canvas().hasImage() ? window.Canvas().ImgDIB.DIB() : nullptr;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (picture == nullptr || screen == nullptr) {
    return;
  }
  const QSize size = (QSizeF(screen->geometry().size()) * screen->devicePixelRatio()).toSize();
  Wallpaper::SetAsWallpaper(picture->Image(), size, ModPublic::DataFolderPath, &Desktop::SetDesktopWallpaper);
}

void DesktopColour(FrmMain& window, std::string_view) {
  const std::int32_t chosen = ModDialogCOlor::ShowColorDialog(&window, kChooserStart, false);
  if (chosen == -1) {
    return;
  }
  ModDialogCOlor::ColorToRGBBytes(std::uint32_t(chosen), ModPublic::ThemeColorRed, ModPublic::ThemeColorGreen,
                                  ModPublic::ThemeColorBlue);
  ModPublic::ThemeColorAlpha = 255;
}

void ScreensaverExport(FrmMain& window, std::string_view) { window.ExportScreensaver(); }

// The help page; the program's home, forum and update pages are its help page for now.
void Help(FrmMain&, std::string_view) { ModPublic::ShowHelp(); }

}  // namespace MenuCommands::Handlers
