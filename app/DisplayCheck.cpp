#include "app/DisplayCheck.h"

// Xlib's macros (None, Status, Bool) stay inside this file.
#include <X11/Xlib.h>

bool DisplayAnswers() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return false;
  }
  XCloseDisplay(display);
  return true;
}
