#include <set>

#include <gtest/gtest.h>

#include <QFile>

#include "foundation/MainWindowServices.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SkinnedControlServices.h"
#include "platform/Registry.h"
#include "support/FakeSettingsHost.h"
#include "support/TestFolder.h"

using namespace ModqzReg;
using TestSupport::FakeSettingsHost;

namespace {

// The main window and the controls LoadSettings reaches through it, noting each call in
// the same list as the host so the order across both can be checked.
class RecordingMainWindow : public MainWindowServices,
                            public SidePanelServices,
                            public ImageToolbarServices,
                            public SkinMenuServices,
                            public TextStripServices {
 public:
  explicit RecordingMainWindow(QStringList& log) : m_log(log) {}

  CanvasSaveServices* SingleqzPreview() override { return nullptr; }
  ThumbnailSheetServices* ThumqzViewer() override { return nullptr; }
  SidePanelServices* UserqzProcess1() override { return this; }
  ImageToolbarServices* ImageToolbar() override { return this; }
  SkinMenuServices* SkinMenu() override { return this; }
  TextStripServices* YDSTextControl1() override { return this; }
  QWidget* FolderView() override { return nullptr; }
  TaskDialogFactory* TaskDialogs() override { return nullptr; }
  QString Label1Caption() const override { return {}; }
  void SetLabel1Caption(const QString&) override {}
  void FormOption(bool& isAutoProcess, bool& MenuClick) override {
    Note(QStringLiteral("FormOption %1 %2").arg(isAutoProcess).arg(MenuClick));
  }
  void SettingArrange_Menu(const QString& PressMenuID) override { Note("SettingArrange_Menu " + PressMenuID); }
  void FileImport(const QString&) override {}
  void LeftSkinstyle() override {}
  void UseStamp(bool, bool) override {}
  void ProcessShortcutKey(int, int) override {}
  void ArrangeMainPanes(bool) override {}

  int SelEffect() const override { return 0; }
  void SetSelEffect(int value) override { Note(QStringLiteral("SelEffect %1").arg(value)); }
  void EnabledDays(int, bool) override {}
  void RefreshCalender() override {}
  int CalenderDay() const override { return 1; }
  int CalenderMonth() const override { return 1; }
  int CalenderYear() const override { return 2000; }
  int Toolselect() const override { return 0; }
  void SetToolselect(int) override {}
  void ResizePaint() override {}
  void ResetPaint() override {}
  void RefreshFav() override {}
  void Import(const QString&, const QString&) override {}
  QString StampFilename() const override { return {}; }
  int StampEnter() const override { return 0; }
  void RefreshProperties() override {}

  void PressDownID(int id, bool pressed) override { Note(QStringLiteral("PressDownID %1 %2").arg(id).arg(pressed)); }
  void EnabledID(int, bool) override {}
  bool Rpressdown(int) const override { return false; }
  void StartPaint() override {}

  bool MemFirst() const override { return false; }
  void SetMemFirst(bool value) override { Note(QStringLiteral("MemFirst %1").arg(value)); }
  int CurrentlyMenu() const override { return 0; }
  void SetCurrentlyMenu(int value) override { Note(QStringLiteral("CurrentlyMenu %1").arg(value)); }
  void MenuVisible(const QString& key, bool visible) override {
    Note(QStringLiteral("MenuVisible %1 %2").arg(key).arg(visible));
  }
  void SetInitializemenu(int) override {}
  void MenuChecked(const QString&, bool) override {}
  int Initializemenu() const override { return 0; }
  float New_Height() const override { return 0; }
  void MenuPainting(bool) override {}
  QString PressMenuID() const override { return {}; }
  void SetPressMenuID(const QString&) override {}
  int PressMenuEnabled() const override { return 0; }
  int lngVisible() const override { return 0; }
  QString Caption() const override { return {}; }
  void HistoryCreate(const QString&) override {}
  void Move(int, int, int, int) override {}
  bool Visible() const override { return false; }
  void SetVisible(bool) override {}

  void SetTextFontColor(std::uint32_t rgb) override { Note(QStringLiteral("textFontColor %1").arg(rgb)); }
  void StartPaint(int, int, int, int) override {}
  void SetHideText(bool) override {}
  void AddFontMode(const QStringList&) override {}

 private:
  void Note(const QString& call) { m_log << call; }
  QStringList& m_log;
};

SettingValue Scrambled(SettingType type) {
  return type == SettingType::Dword ? SettingValue{777} : SettingValue{QStringLiteral("scrambled")};
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Registry::SetFilePath(m_folder.File(QStringLiteral("config/registry.ini")));
    SkipSettingsLoad = false;
    ModPublic::MainForm = nullptr;
  }
  void TearDown() override {
    Registry::SetFilePath({});
    ModPublic::MainForm = nullptr;
  }

  // Sets every value that LoadSettings restores to something no default or fixture uses.
  static void ScrambleAll(SettingsHost& host) {
    for (const SettingEntry& entry : SettingsTable()) {
      if (entry.Apply != nullptr) {
        entry.Apply(host, Scrambled(entry.Type));
      }
    }
  }

  TestSupport::TestFolder m_folder;
};

TEST(SettingsTable, NamesAreExactUniqueAndInWritingOrder) {
  const QStringList expected{"CurrentDirectory", "SplitlvTop", "SplitVTop", "SplitHLeft", "isMax", "OldX", "OldY",
                             "OldW", "OldH", "SlideSpeed", "Fitmode", "ArrangeString", "oldThumTop", "Quilaty",
                             "Textcolor", "ThumSizeMenu", "ThumWidth", "ThumHeight", "LineMenu"};
  const QStringList strings{"CurrentDirectory", "ArrangeString", "ThumSizeMenu", "LineMenu"};
  const QStringList neverReadBack{"CurrentDirectory", "OldX", "OldY", "OldW", "OldH"};
  QStringList names;
  std::set<QString> folded;
  const FakeSettingsHost host;
  for (const SettingEntry& entry : SettingsTable()) {
    const QString name = entry.Name.toString();
    names << name;
    // Stored names ignore case, so two names differing only in case would be one value.
    EXPECT_TRUE(folded.insert(name.toLower()).second) << name.toStdString();
    EXPECT_EQ(entry.Type == SettingType::String, strings.contains(name)) << name.toStdString();
    EXPECT_EQ(std::holds_alternative<QString>(entry.Read(host)), entry.Type == SettingType::String);
    EXPECT_EQ(entry.Apply == nullptr, neverReadBack.contains(name)) << name.toStdString();
    if (entry.Default) {
      EXPECT_EQ(std::holds_alternative<QString>(*entry.Default), entry.Type == SettingType::String);
    }
  }
  EXPECT_EQ(names, expected);
}

TEST_F(SettingsTest, RoundTripKeepsAllNineteenValues) {
  FakeSettingsHost saved;
  saved.SplitLV = 301.5;  // halves go to the even neighbour
  saved.SplitV = 402.5;
  saved.SplitH = 155.4;
  saved.Geometry = QRectF(10.5, -4, 800.6, 600);
  saved.Fit = true;
  saved.Color = 0x00C88C64u;
  saved.ThumW = 160;
  saved.ThumH = 120;
  const QString folder = QStringLiteral("/home/anna/Bilder/Sommer – Ærø 写真/") + QString(300, QChar(u'ß'));
  CurrentDirectory = folder;
  IsMaximized = true;
  SlideSpeed = 3000;
  ArrangeString = QStringLiteral("View_Sortmodify");
  OldThumTop = 2250;
  JpegQuality = 12;
  ThumSizeMenu = QStringLiteral("View_ThumLarge");
  LineMenu = QStringLiteral("Line_25");
  SaveSettings(saved);

  EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"CurrentDirectory"), folder);
  EXPECT_EQ(GetRegDword(HKEY_CURRENT_USER, LorvaneKey, u"OldX"), 10);
  EXPECT_EQ(GetRegDword(HKEY_CURRENT_USER, LorvaneKey, u"OldY"), -4);
  EXPECT_EQ(GetRegDword(HKEY_CURRENT_USER, LorvaneKey, u"OldW"), 801);
  EXPECT_EQ(GetRegDword(HKEY_CURRENT_USER, LorvaneKey, u"OldH"), 600);

  FakeSettingsHost loaded;
  ScrambleAll(loaded);
  LoadSettings(loaded);
  EXPECT_EQ(loaded.SplitLV, 302);
  EXPECT_EQ(loaded.SplitV, 402);
  EXPECT_EQ(loaded.SplitH, 155);
  EXPECT_TRUE(loaded.Fit);
  EXPECT_EQ(loaded.Color, 0x00C88C64u);
  EXPECT_EQ(loaded.ThumW, 160);
  EXPECT_EQ(loaded.ThumH, 120);
  EXPECT_TRUE(IsMaximized);
  EXPECT_EQ(SlideSpeed, 3000);
  EXPECT_EQ(ArrangeString, QStringLiteral("View_Sortmodify"));
  EXPECT_EQ(OldThumTop, 2250);
  EXPECT_EQ(JpegQuality, 12);
  EXPECT_EQ(ThumSizeMenu, QStringLiteral("View_ThumLarge"));
  EXPECT_EQ(LineMenu, QStringLiteral("Line_25"));
  EXPECT_EQ(SelectionCombineMode, 4);
}

TEST_F(SettingsTest, FirstRunKeepsEveryReceiversDefault) {
  FakeSettingsHost host;
  ScrambleAll(host);
  host = FakeSettingsHost();
  host.Fit = true;
  RecordingMainWindow main(host.Calls);
  ModPublic::MainForm = &main;
  LoadSettings(host);
  // No control is set: thumbnails stay 100 by 100, and the fit marks follow the canvas.
  const QStringList expected{"SelEffect 0", "FormOption 0 1", "PressDownID 5 1", "MemFirst 1", "CurrentlyMenu 2",
                             "MenuVisible View_Fitmode 1", "SettingArrange_Menu ", "textFontColor 0"};
  EXPECT_EQ(host.Calls, expected) << host.Calls.join(u',').toStdString();
  EXPECT_EQ(JpegQuality, DefaultJpegQuality);
  EXPECT_FALSE(QFile::exists(Registry::FilePath()));  // loading writes nothing
}

TEST_F(SettingsTest, EveryDefaultSurvivesSaveAndReload) {
  FakeSettingsHost host;
  ScrambleAll(host);
  host = FakeSettingsHost();
  LoadSettings(host);  // nothing stored: every global at its default
  std::vector<SettingValue> before;
  for (const SettingEntry& entry : SettingsTable()) {
    before.push_back(entry.Read(host));
    if (entry.Default) {
      EXPECT_EQ(before.back(), *entry.Default) << entry.Name.toString().toStdString();
    }
  }
  SaveSettings(host);
  ScrambleAll(host);
  LoadSettings(host);
  for (std::size_t i = 0; i < SettingsTable().size(); ++i) {
    const SettingEntry& entry = SettingsTable()[i];
    if (entry.Apply != nullptr) {
      EXPECT_EQ(entry.Read(host), before[i]) << entry.Name.toString().toStdString();
    }
  }
}

TEST_F(SettingsTest, CorruptFileGivesDefaultsAndIsRewrittenOnSave) {
  m_folder.Write(QStringLiteral("config/registry.ini"),
                 QByteArray("[SOFTWARE\\Vesk Lorvane]\nQuilaty=dword:00000003\nThumWidth=dword:\xff\xfe\n"));
  FakeSettingsHost host;
  JpegQuality = 5;
  LoadSettings(host);
  EXPECT_EQ(JpegQuality, DefaultJpegQuality);
  EXPECT_EQ(host.ThumW, 100);

  JpegQuality = 7;
  SaveSettings(host);
  JpegQuality = 0;
  LoadSettings(host);
  EXPECT_EQ(JpegQuality, 7);
  EXPECT_EQ(GetRegDword(HKEY_CURRENT_USER, LorvaneKey, u"ThumWidth"), 100);
}

TEST_F(SettingsTest, WrongTypedValuesReadAsMissing) {
  SaveRegString(HKEY_CURRENT_USER, LorvaneKey, u"Quilaty", QStringLiteral("5"));
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"ArrangeString", 3);
  Registry::SetValue(Registry::RootKey::CurrentUser, LorvaneKey, u"LineMenu",
                     {Registry::ValueType::ExpandSz, QStringLiteral("Line_3"), 0, {}});
  Registry::SetValue(Registry::RootKey::CurrentUser, LorvaneKey, u"ThumSizeMenu",
                     {Registry::ValueType::Binary, {}, 0, QByteArray("View")});
  EXPECT_EQ(GetRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Quilaty"), 0);
  EXPECT_FALSE(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"ArrangeString"));
  EXPECT_FALSE(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"LineMenu"));
  EXPECT_FALSE(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"ThumSizeMenu"));

  FakeSettingsHost host;
  JpegQuality = 2;
  ArrangeString = QStringLiteral("old");
  LoadSettings(host);
  EXPECT_EQ(JpegQuality, DefaultJpegQuality);
  EXPECT_TRUE(ArrangeString.isEmpty());
}

TEST_F(SettingsTest, StringsEndAtTheFirstNul) {
  SaveRegString(HKEY_CURRENT_USER, LorvaneKey, u"CurrentDirectory",
                QStringLiteral("/home/anna") + QChar(u'\0') + QString(250, u' '));
  SaveRegString(HKEY_CURRENT_USER, LorvaneKey, u"LineMenu", QStringLiteral("Line_5"));
  SaveRegString(HKEY_CURRENT_USER, LorvaneKey, u"ArrangeString", QString());
  EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"CurrentDirectory"), QStringLiteral("/home/anna"));
  EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"LineMenu"), QStringLiteral("Line_5"));
  // A stored empty string is a value, unlike one never stored.
  EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"ArrangeString"), QString());
  EXPECT_FALSE(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"ThumSizeMenu"));
}

TEST_F(SettingsTest, OnlyAStoredOneTurnsFitModeOn) {
  for (const std::int32_t stored : {1, 2, -1, 0}) {
    SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Fitmode", stored);
    FakeSettingsHost host;
    host.Fit = stored != 1;
    LoadSettings(host);
    EXPECT_EQ(host.Fit, stored == 1) << stored;
  }
}

TEST_F(SettingsTest, LoadReachesTheMainWindowsControlsInOrder) {
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Fitmode", 1);
  SaveRegString(HKEY_CURRENT_USER, LorvaneKey, u"ArrangeString", QStringLiteral("View_Sortsize"));
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Textcolor", 0x0000FF);
  FakeSettingsHost host;
  RecordingMainWindow main(host.Calls);
  ModPublic::MainForm = &main;
  LoadSettings(host);
  const QStringList expected{"SelEffect 0",
                             "FormOption 0 1",
                             "FitMode 1",
                             "PressDownID 5 1",
                             "MemFirst 1",
                             "CurrentlyMenu 2",
                             "MenuVisible View_Fitmode 1",
                             "SettingArrange_Menu View_Sortsize",
                             "TextColor 255",
                             "textFontColor 255"};
  EXPECT_EQ(host.Calls, expected) << host.Calls.join(u',').toStdString();
}

TEST_F(SettingsTest, SecondLoadAfterResizeChangesNothing) {
  FakeSettingsHost host;
  LoadSettings(host);
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"ThumWidth", 64);
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Quilaty", 3);
  SkipSettingsLoad = true;  // what the main window's resize handler does
  RecordingMainWindow main(host.Calls);
  ModPublic::MainForm = &main;
  JpegQuality = 9;
  SelectionCombineMode = 1;
  LoadSettings(host);
  EXPECT_TRUE(host.Calls.isEmpty());
  EXPECT_EQ(host.ThumW, 100);
  EXPECT_EQ(JpegQuality, 9);
  EXPECT_EQ(SelectionCombineMode, 1);
}

TEST_F(SettingsTest, SaveKeepsTheScreensaversValues) {
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"ScrInterval", 12);
  SaveRegString(HKEY_CURRENT_USER, LorvaneKey, u"Apppath", QStringLiteral("/opt/lorvane"));
  SaveSettings(FakeSettingsHost());
  EXPECT_EQ(GetRegDword(HKEY_CURRENT_USER, LorvaneKey, u"ScrInterval"), 12);
  EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, LorvaneKey, u"Apppath"), QStringLiteral("/opt/lorvane"));
}

}  // namespace
