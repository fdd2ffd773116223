#include <set>

#include <gtest/gtest.h>

#include <QFile>

#include "foundation/ModqzReg.h"
#include "platform/Registry.h"
#include "support/FakeSettingsHost.h"
#include "support/TestFolder.h"

using namespace ModqzReg;
using TestSupport::FakeSettingsHost;

namespace {

SettingValue Scrambled(SettingType type) {
  return type == SettingType::Dword ? SettingValue{777} : SettingValue{QStringLiteral("scrambled")};
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Registry::SetFilePath(m_folder.File(QStringLiteral("config/registry.ini")));
    SkipSettingsLoad = false;
  }
  void TearDown() override { Registry::SetFilePath({}); }

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
  EXPECT_TRUE(LoadSettings(host));
  // No control is set: thumbnails stay 100 by 100, and the canvas keeps its fit mode.
  EXPECT_TRUE(host.Calls.isEmpty()) << host.Calls.join(u',').toStdString();
  EXPECT_TRUE(host.Fit);
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

TEST_F(SettingsTest, LoadSetsOnlyTheHostsStoredValues) {
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Fitmode", 1);
  SaveRegString(HKEY_CURRENT_USER, LorvaneKey, u"ArrangeString", QStringLiteral("View_Sortsize"));
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Textcolor", 0x0000FF);
  FakeSettingsHost host;
  LoadSettings(host);
  const QStringList expected{"FitMode 1", "TextColor 255"};
  EXPECT_EQ(host.Calls, expected) << host.Calls.join(u',').toStdString();
  EXPECT_EQ(ArrangeString, QStringLiteral("View_Sortsize"));
}

TEST_F(SettingsTest, SecondLoadAfterResizeChangesNothing) {
  FakeSettingsHost host;
  LoadSettings(host);
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"ThumWidth", 64);
  SaveRegDword(HKEY_CURRENT_USER, LorvaneKey, u"Quilaty", 3);
  SkipSettingsLoad = true;  // what the main window's resize handler does
  JpegQuality = 9;
  SelectionCombineMode = 1;
  EXPECT_FALSE(LoadSettings(host));
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
