#pragma once
// The recording main window, installed as ModPublic::MainForm for as long as it lives.

#include "foundation/ModPublic.h"
#include "support/fakes/FakeMainWindow.h"

namespace BrowseFakes {

class InstalledMainWindow {
 public:
  InstalledMainWindow() { ModPublic::MainForm = &window; }
  ~InstalledMainWindow() { ModPublic::MainForm = nullptr; }
  InstalledMainWindow(const InstalledMainWindow&) = delete;
  InstalledMainWindow& operator=(const InstalledMainWindow&) = delete;

  Fakes::FakeMainWindow window;
};

}  // namespace BrowseFakes
