#pragma once
// A recording stand-in for the main window with its canvas, thumbnail sheet and
// controls, for testing the code that calls the main window before it exists.

#include <array>
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

#include "foundation/MainWindowServices.h"
#include "support/fakes/FakeSkinnedControls.h"
#include "support/fakes/FakeTaskDialog.h"

namespace Fakes {

class FakeCanvas final : public CanvasSaveServices {
 public:
  bool SaveState() const override { return saveState; }
  void SetSaveState(bool value) override { saveState = value; }
  bool AppliedEffect() const override { return appliedEffect; }
  void SetAppliedEffect(bool value) override { appliedEffect = value; }
  bool SaveOnly() override {
    ++saves;
    return saveSucceeds;
  }
  void SetTextColor(std::uint32_t rgb) override { textColor = rgb; }
  int Effect() const override { return effect; }
  QString ShownFilename() const override { return filename; }
  QString ShowImgWidth() const override { return imageWidth; }
  QString ShowImgHeight() const override { return imageHeight; }
  double HorizontalResolution() const override { return resolution; }
  void DisposeImgDIB() override { ++disposals; }
  void ImportImage(const QString& Filename) override {
    imported.push_back(Filename);
    filename = Filename;
  }

  // Unsaved changes: the state the save prompt asks about.
  void MarkChanged() {
    saveState = false;
    appliedEffect = true;
  }

  std::uint32_t textColor = 0;
  bool saveState = true;
  bool appliedEffect = false;
  bool saveSucceeds = true;
  int saves = 0;
  int effect = 0;
  QString filename;
  QString imageWidth;
  QString imageHeight;
  double resolution = 0;
  int disposals = 0;
  QStringList imported;
};

class FakeThumbnailSheet final : public ThumbnailSheetServices {
 public:
  void RefreshThumSave() override { ++refreshes; }
  void Path(const QString& NewPath) override { path = NewPath; }
  void SetOnEventsEnabled(bool enabled) override { onEventsEnabled = enabled; }
  bool CreateThumbnail(int, bool, bool) override {
    ++drawings;
    return true;
  }
  void QrFileCreate(bool isDelete) override { starCommands.push_back(isDelete); }
  void RefreshThumbnail(bool isReAdd) override {
    ++listRefreshes;
    reAdds.push_back(isReAdd);
  }
  void SetImageFormats(const QString& value) override { imageFormats = value; }
  int SlideCount() const override { return int(listed.size()); }
  QString SlideFilename(int curI) const override { return listed.value(curI); }
  void SearchThumbnaillGO(const QString& KeyWords, bool isSearch) override { searches.push_back({KeyWords, isSearch}); }
  int refreshes = 0;
  QString path;
  QStringList listed;
  int listRefreshes = 0;
  std::vector<bool> reAdds;
  QString imageFormats;
  bool onEventsEnabled = false;
  int drawings = 0;
  std::vector<bool> starCommands;
  std::vector<std::pair<QString, bool>> searches;
};

class FakeMainWindow final : public MainWindowServices {
 public:
  CanvasSaveServices* SingleqzPreview() override { return &canvas; }
  ThumbnailSheetServices* ThumqzViewer() override { return &sheet; }
  SidePanelServices* UserqzProcess1() override { return &sidePanel; }
  ImageToolbarServices* ImageToolbar() override { return &toolbar; }
  SkinMenuServices* SkinMenu() override { return &menu; }
  TextStripServices* YDSTextControl1() override { return &textStrip; }
  QWidget* FolderView() override { return nullptr; }
  TaskDialogFactory* TaskDialogs() override { return &taskDialogs; }

  QString Label1Caption() const override { return label1; }
  void SetLabel1Caption(const QString& caption) override { label1 = caption; }

  void FormOption(bool& isAutoProcess, bool& MenuClick) override {
    formOptions.emplace_back(isAutoProcess, MenuClick);
  }
  void SettingArrange_Menu(const QString& PressMenuID) override {
    static const std::array<QString, 6> keys{"View_Sortname",   "View_Sorttype",   "View_Sortsize",
                                             "View_Sortcreate", "View_Sortmodify", "View_Sortstar"};
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == PressMenuID) {
        sortOrder = int(i);
      }
    }
  }
  void FileImport(const QString& Filename) override { imported.push_back(Filename); }
  void LeftSkinstyle() override { captionShown = label1.isEmpty() ? QStringLiteral("...") : label1; }
  void UseStamp(bool fromLibrary, bool sizeFlag) override { stampUses.emplace_back(fromLibrary, sizeFlag); }
  void ProcessShortcutKey(int KeyCode, int Shift) override { shortcutKeys.emplace_back(KeyCode, Shift); }
  void ArrangeMainPanes(bool flag) override { arrangedPanes.push_back(flag); }

  FakeCanvas canvas;
  FakeThumbnailSheet sheet;
  FakeSidePanel sidePanel;
  FakeImageToolbar toolbar;
  FakeSkinMenu menu;
  FakeTextStrip textStrip;
  FakeTaskDialogFactory taskDialogs;

  QString label1;
  QString captionShown;
  int sortOrder = -1;  // none set
  QStringList imported;
  std::vector<std::pair<bool, bool>> formOptions;
  std::vector<std::pair<bool, bool>> stampUses;
  std::vector<std::pair<int, int>> shortcutKeys;
  std::vector<bool> arrangedPanes;
};

}  // namespace Fakes
