#pragma once
// Recording stand-ins for the skinned controls, keeping the rules callers rely on
// (ranges that are ignored, menu keys that match ignoring case).

#include <algorithm>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include <QRect>
#include <QString>
#include <QStringList>

#include "foundation/SkinnedControlServices.h"

namespace Fakes {

class FakeSidePanel final : public SidePanelServices {
 public:
  int SelEffect() const override { return selEffect; }
  void SetSelEffect(int value) override { selEffect = value; }
  void EnabledDays(int Index, bool Enabled) override {
    if (Index >= 0 && Index < int(dayEnabled.size())) {
      dayEnabled[std::size_t(Index)] = Enabled;
    }
  }
  void RefreshCalender() override { ++calendarRefreshes; }
  int CalenderDay() const override { return day; }
  int CalenderMonth() const override { return month; }
  int CalenderYear() const override { return year; }
  int Toolselect() const override { return toolselect; }
  void SetToolselect(int section) override { toolselect = section; }
  void ResizePaint() override { ++resizePaints; }
  void ResetPaint() override { ++resetPaints; }
  void StartPaint() override { ++startPaints; }
  int lngVisible() const override { return toolHit; }
  void RefreshFav() override { ++favRefreshes; }
  void Import(const QString& Path, const QString& NewItem) override { imported.emplace_back(Path, NewItem); }
  QString StampFilename() const override { return stampFilename; }
  int StampEnter() const override { return stampEnter; }
  void RefreshProperties() override { ++propertyRefreshes; }

  int selEffect = 0;
  int toolHit = 0;
  int favRefreshes = 0;
  int propertyRefreshes = 0;
  std::vector<std::pair<QString, QString>> imported;
  QString stampFilename;
  int stampEnter = 0;
  std::array<bool, 31> dayEnabled = MakeAllTrue();
  int calendarRefreshes = 0;
  int day = 1;
  int month = 1;
  int year = 2000;
  int toolselect = 0;
  int resizePaints = 0;
  int resetPaints = 0;
  int startPaints = 0;

 private:
  static std::array<bool, 31> MakeAllTrue() {
    std::array<bool, 31> days{};
    days.fill(true);
    return days;
  }
};

class FakeImageToolbar final : public ImageToolbarServices {
 public:
  void PressDownID(int new_PressID, bool new_Press) override {
    if (InRange(new_PressID)) {
      pressed[std::size_t(new_PressID)] = new_Press;
      ++paints;
    }
  }
  void EnabledID(int ID, bool Enabled) override {
    if (InRange(ID)) {
      enabled[std::size_t(ID)] = Enabled;
    }
  }
  bool Rpressdown(int ID) const override { return InRange(ID) && pressed[std::size_t(ID)]; }
  void StartPaint() override { ++paints; }

  std::array<bool, 12> pressed{};
  std::array<bool, 12> enabled{true, true, true, true, true, true, true, true, true, true, true, true};
  int paints = 0;

 private:
  static bool InRange(int id) { return id >= 0 && id < 12; }
};

class FakeSkinMenu final : public SkinMenuServices {
 public:
  struct Row {
    QString key;
    bool visible = false;
    bool checked = false;
  };

  bool MemFirst() const override { return memFirst; }
  void SetMemFirst(bool value) override { memFirst = value; }
  int CurrentlyMenu() const override { return currentlyMenu; }
  void SetCurrentlyMenu(int value) override { currentlyMenu = value; }
  void MenuVisible(const QString& KeyName, bool Visible) override {
    if (Row* row = Find(KeyName)) {
      row->visible = Visible;
    }
  }
  void SetInitializemenu(int group) override { initializemenu = group; }
  void MenuChecked(const QString& KeyName, bool Checked) override {
    if (Row* row = Find(KeyName)) {
      row->checked = Checked;
    }
  }
  int Initializemenu() const override { return initializemenu; }
  float New_Height() const override { return newHeight; }
  void MenuPainting(bool) override { ++paints; }
  QString PressMenuID() const override { return pressMenuID; }
  void SetPressMenuID(const QString& key) override { pressMenuID = key; }
  int PressMenuEnabled() const override { return pressMenuEnabled; }
  int lngVisible() const override { return pressMenuEnabled; }
  QString Caption() const override { return caption; }
  void HistoryCreate(const QString& path) override {
    history.erase(std::remove(history.begin(), history.end(), path), history.end());
    history.insert(history.begin(), path);
  }
  void Move(int left, int top, int width, int height) override { geometry = QRect(left, top, width, height); }
  bool Visible() const override { return visible; }
  void SetVisible(bool value) override { visible = value; }

  // The rows of each menu number, as the command table would give them.
  std::map<int, std::vector<Row>> menus;
  bool memFirst = false;
  int currentlyMenu = 0;
  int initializemenu = 0;
  float newHeight = 0;
  int paints = 0;
  QString pressMenuID;
  int pressMenuEnabled = 0;
  QString caption;
  std::vector<QString> history;
  QRect geometry;
  bool visible = false;

 private:
  Row* Find(const QString& key) {
    auto& rows = menus[currentlyMenu];
    auto it = std::find_if(rows.begin(), rows.end(),
                           [&](const Row& row) { return row.key.compare(key, Qt::CaseInsensitive) == 0; });
    return it == rows.end() ? nullptr : &*it;
  }
};

class FakeTextStrip final : public TextStripServices {
 public:
  void SetTextFontColor(std::uint32_t rgb) override { textFontColor = rgb; }
  void SetVisible(bool value) override { visible = value; }
  void StartPaint(int, int, int, int) override { ++paints; }
  void SetHideText(bool hide) override { hideText = hide; }
  void AddFontMode(const QStringList& names) override { fonts = names; }

  std::uint32_t textFontColor = 0;
  int paints = 0;
  bool visible = false;
  bool hideText = false;
  QStringList fonts;
};

}  // namespace Fakes
