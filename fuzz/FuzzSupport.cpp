#include "fuzz/FuzzSupport.h"

#include <QGuiApplication>

// libFuzzer calls this once before the first input. The metafile player draws text, and
// fonts need an application object; the offscreen platform needs no display.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}
