#include "foundation/ModqzReg.h"

#include <algorithm>
#include <array>
#include <vector>

#include "foundation/Numbers.h"
#include "foundation/SettingsHost.h"

namespace ModqzReg {
namespace {

using Host = SettingsHost;

std::int32_t Number(const SettingValue& value) { return std::get<std::int32_t>(value); }
const QString& Text(const SettingValue& value) { return std::get<QString>(value); }
// Positions and sizes are stored as whole numbers, halves going to the even neighbour.
SettingValue Rounded(double value) { return Numbers::RoundToInt(value); }

const std::array<SettingEntry, 19> Table{{
    {ValueName::CurrentDirectory, SettingType::String,
     [](const Host&) -> SettingValue { return CurrentDirectory; }, nullptr, std::nullopt},
    {ValueName::SplitlvTop, SettingType::Dword, [](const Host& h) { return Rounded(h.SplitLVTop()); },
     [](Host& h, const SettingValue& v) { h.SetSplitLVTop(Number(v)); }, std::nullopt},
    {ValueName::SplitVTop, SettingType::Dword, [](const Host& h) { return Rounded(h.SplitVTop()); },
     [](Host& h, const SettingValue& v) { h.SetSplitVTop(Number(v)); }, std::nullopt},
    {ValueName::SplitHLeft, SettingType::Dword, [](const Host& h) { return Rounded(h.SplitHLeft()); },
     [](Host& h, const SettingValue& v) { h.SetSplitHLeft(Number(v)); }, std::nullopt},
    {ValueName::IsMax, SettingType::Dword, [](const Host&) -> SettingValue { return IsMaximized ? 1 : 0; },
     [](Host&, const SettingValue& v) { IsMaximized = Number(v) != 0; }, SettingValue{0}},
    {ValueName::OldX, SettingType::Dword, [](const Host& h) { return Rounded(h.WindowGeometry().left()); },
     nullptr, std::nullopt},
    {ValueName::OldY, SettingType::Dword, [](const Host& h) { return Rounded(h.WindowGeometry().top()); },
     nullptr, std::nullopt},
    {ValueName::OldW, SettingType::Dword, [](const Host& h) { return Rounded(h.WindowGeometry().width()); },
     nullptr, std::nullopt},
    {ValueName::OldH, SettingType::Dword, [](const Host& h) { return Rounded(h.WindowGeometry().height()); },
     nullptr, std::nullopt},
    {ValueName::SlideSpeed, SettingType::Dword, [](const Host&) -> SettingValue { return SlideSpeed; },
     [](Host&, const SettingValue& v) { SlideSpeed = Number(v); }, SettingValue{0}},
    // Only a stored 1 turns fit mode on; 2 or -1 leave it off.
    {ValueName::Fitmode, SettingType::Dword, [](const Host& h) -> SettingValue { return h.FitMode() ? 1 : 0; },
     [](Host& h, const SettingValue& v) { h.SetFitMode(Number(v) == 1); }, std::nullopt},
    {ValueName::ArrangeString, SettingType::String, [](const Host&) -> SettingValue { return ArrangeString; },
     [](Host&, const SettingValue& v) { ArrangeString = Text(v); }, SettingValue{QString()}},
    {ValueName::OldThumTop, SettingType::Dword, [](const Host&) -> SettingValue { return OldThumTop; },
     [](Host&, const SettingValue& v) { OldThumTop = Number(v); }, SettingValue{0}},
    {ValueName::Quilaty, SettingType::Dword, [](const Host&) -> SettingValue { return JpegQuality; },
     [](Host&, const SettingValue& v) { JpegQuality = Number(v); }, SettingValue{DefaultJpegQuality}},
    // The colour's 32 bits are kept as they are in the signed number.
    {ValueName::Textcolor, SettingType::Dword,
     [](const Host& h) -> SettingValue { return static_cast<std::int32_t>(h.TextColor()); },
     [](Host& h, const SettingValue& v) { h.SetTextColor(static_cast<std::uint32_t>(Number(v))); }, std::nullopt},
    {ValueName::ThumSizeMenu, SettingType::String, [](const Host&) -> SettingValue { return ThumSizeMenu; },
     [](Host&, const SettingValue& v) { ThumSizeMenu = Text(v); }, SettingValue{QString()}},
    {ValueName::ThumWidth, SettingType::Dword, [](const Host& h) { return Rounded(h.ThumWidth()); },
     [](Host& h, const SettingValue& v) { h.SetThumWidth(Number(v)); }, std::nullopt},
    {ValueName::ThumHeight, SettingType::Dword, [](const Host& h) { return Rounded(h.ThumHeight()); },
     [](Host& h, const SettingValue& v) { h.SetThumHeight(Number(v)); }, std::nullopt},
    {ValueName::LineMenu, SettingType::String, [](const Host&) -> SettingValue { return LineMenu; },
     [](Host&, const SettingValue& v) { LineMenu = Text(v); }, SettingValue{QString()}},
}};

// Only called with the value names above, all of which are in the table.
const SettingEntry& Entry(QStringView name) {
  return *std::find_if(Table.begin(), Table.end(), [name](const SettingEntry& entry) { return entry.Name == name; });
}

// A value never stored leaves a control's own starting value; a global gets its default.
void LoadValue(Host& host, QStringView name) {
  const SettingEntry& entry = Entry(name);
  if (entry.Type == SettingType::Dword) {
    if (const std::optional<std::int32_t> number = QueryRegDword(HKEY_CURRENT_USER, LorvaneKey, entry.Name)) {
      entry.Apply(host, SettingValue(std::in_place_type<std::int32_t>, *number));
      return;
    }
  } else if (const std::optional<QString> text = GetRegString(HKEY_CURRENT_USER, LorvaneKey, entry.Name)) {
    entry.Apply(host, SettingValue(std::in_place_type<QString>, *text));
    return;
  }
  if (entry.Default) {
    entry.Apply(host, *entry.Default);
  }
}

}  // namespace

std::optional<QString> GetRegString(Registry::RootKey root, QStringView subKey, QStringView name) {
  const std::optional<Registry::Value> value = Registry::QueryValue(root, subKey, name);
  if (!value || value->Type != Registry::ValueType::Sz) {
    return std::nullopt;
  }
  const qsizetype nul = value->Text.indexOf(QChar(u'\0'));
  return nul < 0 ? value->Text : value->Text.left(nul);
}

bool SaveRegString(Registry::RootKey root, QStringView subKey, QStringView name, const QString& text) {
  return Registry::SetValue(root, subKey, name, Registry::Value::Sz(text));
}

std::optional<std::int32_t> QueryRegDword(Registry::RootKey root, QStringView subKey, QStringView name) {
  const std::optional<Registry::Value> value = Registry::QueryValue(root, subKey, name);
  if (!value || value->Type != Registry::ValueType::Dword) {
    return std::nullopt;
  }
  return value->Number;
}

std::int32_t GetRegDword(Registry::RootKey root, QStringView subKey, QStringView name) {
  return QueryRegDword(root, subKey, name).value_or(0);
}

bool SaveRegDword(Registry::RootKey root, QStringView subKey, QStringView name, std::int32_t number) {
  return Registry::SetValue(root, subKey, name, Registry::Value::Dword(number));
}

std::span<const SettingEntry> SettingsTable() { return Table; }

bool LoadSettings(SettingsHost& host) {
  if (SkipSettingsLoad) {
    return false;
  }
  LoadValue(host, ValueName::IsMax);
  LoadValue(host, ValueName::SplitlvTop);
  LoadValue(host, ValueName::SplitVTop);
  LoadValue(host, ValueName::SplitHLeft);
  LoadValue(host, ValueName::SlideSpeed);
  LoadValue(host, ValueName::Fitmode);
  LoadValue(host, ValueName::ArrangeString);
  LoadValue(host, ValueName::OldThumTop);
  LoadValue(host, ValueName::Quilaty);
  LoadValue(host, ValueName::Textcolor);
  LoadValue(host, ValueName::ThumSizeMenu);
  LoadValue(host, ValueName::ThumWidth);
  LoadValue(host, ValueName::ThumHeight);
  LoadValue(host, ValueName::LineMenu);
  SelectionCombineMode = 4;
  return true;
}

void SaveSettings(const SettingsHost& host) {
  // All values go in one replacement of the file: quicker at exit, and never half saved.
  std::vector<Registry::NamedValue> values;
  values.reserve(Table.size());
  for (const SettingEntry& entry : Table) {
    const SettingValue value = entry.Read(host);
    if (const std::int32_t* number = std::get_if<std::int32_t>(&value)) {
      values.push_back({entry.Name.toString(), Registry::Value::Dword(*number)});
    } else {
      values.push_back({entry.Name.toString(), Registry::Value::Sz(std::get<QString>(value))});
    }
  }
  Registry::SetValues(HKEY_CURRENT_USER, LorvaneKey, values);
}

}  // namespace ModqzReg
