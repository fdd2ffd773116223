// The start-up of Lorvane: checks the imaging layer, sets the program-wide values, shows
// the main window and runs the program's one event loop until the main window unloads.
#include <cstdio>

#include <QApplication>
#include <QByteArray>
#include <QDir>

#include "app/DisplayCheck.h"
#include "browse/ModFolderView.h"
#include "canvas/ToolHint.h"
#include "foundation/ModPublic.h"
#include "mainwindow/FrmMain.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Codecs.h"

namespace {

// Set in the environment, makes the start-up behave as if the image codecs were missing,
// so the failure path can be tested on a machine that has them.
constexpr const char* kFailCodecsSeam = "LORVANE_TEST_FAIL_CODECS";

// Qt aborts when it cannot reach a display; saying why and leaving is kinder.
bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Whether Qt will connect to the X server DISPLAY names: it does unless another
// platform is asked for, or a Wayland session is there without an X display.
bool UsesX11() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty()) {
    return platform.startsWith("xcb");
  }
  return !qEnvironmentVariableIsEmpty("DISPLAY");
}

int NoDisplay(const char* why) {
  std::fprintf(stderr,
               "lorvane: no display to show the window on (%s). Start it from a desktop session, or under a "
               "virtual display such as: xvfb-run build/bin/lorvane\n",
               why);
  return 2;
}

bool StartImaging() {
  if (!Gdip::CodecsAvailable() || qEnvironmentVariableIsSet(kFailCodecsSeam)) {
    return false;
  }
  ModPublic::GdiplusToken = 1;
  return true;
}

int SubMain() {
  if (!StartImaging()) {
    std::fputs("lorvane: Error loading GDI+! (the image readers and writers are missing)\n", stderr);
    Forms::MsgBox(QStringLiteral("Error loading GDI+!"), Forms::vbOKOnly | Forms::vbCritical);
    return 1;
  }
  ModPublic::DataFolderPath = ModPublic::ProgramFolder() + QStringLiteral("Datas/");
  QDir().mkpath(ModPublic::DataFolderPath);
  ToolHint::CreateHintResources();
  ModPublic::ThemeColorAlpha = 255;
  ModPublic::ThemeColorRed = 100;
  ModPublic::ThemeColorGreen = 140;
  ModPublic::ThemeColorBlue = 200;

  FrmMain mainWindow;
  ModPublic::MainForm = &mainWindow;
  mainWindow.Form_Load();
  mainWindow.show();
  ModFolderView::ShowFolderView(mainWindow);
  // The program ends when the main window has unloaded, however it was closed.
  QObject::connect(&mainWindow, &FrmMain::Unloaded, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
  const int result = QApplication::exec();
  // The window has unloaded; whatever runs while it is torn down finds no main window.
  ModPublic::MainForm = nullptr;
  // The unload let the kit go; a run that ended otherwise must not keep it past the application.
  ToolHint::DeleteHintResources();
  ModPublic::GdiplusToken = 0;
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    return NoDisplay("DISPLAY is not set");
  }
  if (UsesX11() && !DisplayAnswers()) {
    return NoDisplay("no X server answers on DISPLAY");
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lorvane"));
  return SubMain();
}
