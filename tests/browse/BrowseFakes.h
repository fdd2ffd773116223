#pragma once
// Small recording stand-ins for the main window and its side panel, enough for the
// browser's calls into them.

#include <set>
#include <utility>
#include <vector>

#include "foundation/MainWindowServices.h"
#include "foundation/ModPublic.h"
#include "foundation/SkinnedControlServices.h"

namespace BrowseFakes {

class SidePanel : public SidePanelServices {
 public:
  int SelEffect() const override { return 0; }
  void SetSelEffect(int) override {}
  void EnabledDays(int Index, bool Enabled) override {
    if (Enabled) {
      enabledDays.insert(Index);
    } else {
      enabledDays.erase(Index);
    }
  }
  void RefreshCalender() override { ++refreshes; }
  int CalenderDay() const override { return day; }
  int CalenderMonth() const override { return month; }
  int CalenderYear() const override { return year; }

  std::set<int> enabledDays;
  int refreshes = 0;
  int day = 1;
  int month = 1;
  int year = 2000;
};

class MainWindow : public MainWindowServices {
 public:
  CanvasSaveServices* SingleqzPreview() override { return nullptr; }
  ThumbnailSheetServices* ThumqzViewer() override { return nullptr; }
  SidePanelServices* UserqzProcess1() override { return &panel; }
  ImageToolbarServices* ImageToolbar() override { return nullptr; }
  SkinMenuServices* SkinMenu() override { return nullptr; }
  TextStripServices* YDSTextControl1() override { return nullptr; }
  QWidget* FolderView() override { return nullptr; }
  QString Label1Caption() const override { return {}; }
  void SetLabel1Caption(const QString&) override {}
  void FormOption(bool&, bool&) override {}
  void SettingArrange_Menu(const QString&) override {}
  void FileImport(const QString&) override {}
  void LeftSkinstyle() override {}
  void UseStamp(bool, bool) override {}
  void ProcessShortcutKey(int KeyCode, int Shift) override { keys.emplace_back(KeyCode, Shift); }
  void ArrangeMainPanes(bool) override {}

  SidePanel panel;
  std::vector<std::pair<int, int>> keys;
};

// Installs a fake main window as ModPublic::MainForm for the life of the object.
class InstalledMainWindow : public MainWindow {
 public:
  InstalledMainWindow() { ModPublic::MainForm = this; }
  ~InstalledMainWindow() override { ModPublic::MainForm = nullptr; }
  InstalledMainWindow(const InstalledMainWindow&) = delete;
  InstalledMainWindow& operator=(const InstalledMainWindow&) = delete;
};

}  // namespace BrowseFakes
