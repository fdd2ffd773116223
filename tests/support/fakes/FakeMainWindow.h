#pragma once
// A recording stand-in for the main window with its canvas, thumbnail sheet and
// controls, for testing the code that calls the main window before it exists.

#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

#include "foundation/MainWindowServices.h"
#include "support/fakes/FakeSkinnedControls.h"

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
  bool HasFileOfItsOwn() const override { return hasFileOfItsOwn; }
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
  bool hasFileOfItsOwn = true;
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
  SkinMenuServices* SkinMenu() override { return &menu; }
  QWidget* FolderView() override { return nullptr; }

  QString Label1Caption() const override { return label1; }
  void SetLabel1Caption(const QString& caption) override { label1 = caption; }
  void LeftSkinstyle() override { captionShown = label1.isEmpty() ? QStringLiteral("...") : label1; }
  void ProcessShortcutKey(int KeyCode, int Shift) override { shortcutKeys.emplace_back(KeyCode, Shift); }
  void SaveAsDialog() override { ++saveAsDialogs; }

  FakeCanvas canvas;
  FakeThumbnailSheet sheet;
  FakeSkinMenu menu;

  QString label1;
  QString captionShown;
  std::vector<std::pair<int, int>> shortcutKeys;
  int saveAsDialogs = 0;
};

}  // namespace Fakes
