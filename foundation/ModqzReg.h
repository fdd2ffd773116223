#pragma once
// The settings store: the registry helpers, the program-wide view settings, and the load
// and save of the window and view settings under the program's key.

#include <cstdint>
#include <optional>
#include <span>
#include <variant>

#include <QString>
#include <QStringView>

#include "platform/Registry.h"

class SettingsHost;

namespace ModqzReg {

inline constexpr Registry::RootKey HKEY_CURRENT_USER = Registry::RootKey::CurrentUser;
// The key that holds the values of both programs.
inline constexpr QStringView LorvaneKey = u"SOFTWARE\\Vesk Lorvane";

// The value names, spelt exactly as stored; other programs and older files depend on them,
// the misspelt "Quilaty" included.
namespace ValueName {
inline constexpr QStringView CurrentDirectory = u"CurrentDirectory";
inline constexpr QStringView SplitlvTop = u"SplitlvTop";
inline constexpr QStringView SplitVTop = u"SplitVTop";
inline constexpr QStringView SplitHLeft = u"SplitHLeft";
inline constexpr QStringView IsMax = u"isMax";
inline constexpr QStringView OldX = u"OldX";
inline constexpr QStringView OldY = u"OldY";
inline constexpr QStringView OldW = u"OldW";
inline constexpr QStringView OldH = u"OldH";
inline constexpr QStringView SlideSpeed = u"SlideSpeed";
inline constexpr QStringView Fitmode = u"Fitmode";
inline constexpr QStringView ArrangeString = u"ArrangeString";
inline constexpr QStringView OldThumTop = u"oldThumTop";
inline constexpr QStringView Quilaty = u"Quilaty";
inline constexpr QStringView Textcolor = u"Textcolor";
inline constexpr QStringView ThumSizeMenu = u"ThumSizeMenu";
inline constexpr QStringView ThumWidth = u"ThumWidth";
inline constexpr QStringView ThumHeight = u"ThumHeight";
inline constexpr QStringView LineMenu = u"LineMenu";
}  // namespace ValueName

// The JPEG quality step (0 to 12) a first run saves with.
inline constexpr std::int32_t DefaultJpegQuality = 10;

// The program-wide view settings. The main window's commands change them while the program
// runs; LoadSettings fills them once and SaveSettings writes what they hold at unload.
inline bool IsMaximized = false;
// The slideshow interval in milliseconds.
inline std::int32_t SlideSpeed = 0;
// The thumbnail sort command key, such as "View_Sortname".
inline QString ArrangeString;
// The thumbnail pane's split remembered while the pane is collapsed.
inline std::int32_t OldThumTop = 0;
// The JPEG quality step of the save dialog, 0 to 12; encoders get ten times this.
inline std::int32_t JpegQuality = DefaultJpegQuality;
// The chosen thumbnail size and line width command keys.
inline QString ThumSizeMenu;
inline QString LineMenu;
// How selections combine with their shape: 1 keeps the inside, 4 the outside.
inline std::int32_t SelectionCombineMode = 4;
// Set by the main window's first resize; LoadSettings then does nothing.
inline bool SkipSettingsLoad = false;
// The folder the browser shows, as a clean path (no NUL, no padding, no length limit).
// The folder tree writes it; it is saved with the settings but never read back.
inline QString CurrentDirectory;

// Reads a string value; nothing when the key or value is missing or the value is not a
// plain string. The text ends at the first NUL character.
std::optional<QString> GetRegString(Registry::RootKey root, QStringView subKey, QStringView name);
// Writes a string value, creating the key when needed; false when nothing was written.
bool SaveRegString(Registry::RootKey root, QStringView subKey, QStringView name, const QString& text);
// Reads a 32-bit number; nothing when the key or value is missing or is not a number.
std::optional<std::int32_t> QueryRegDword(Registry::RootKey root, QStringView subKey, QStringView name);
// Reads a 32-bit number; 0 when it is missing or is not a number.
std::int32_t GetRegDword(Registry::RootKey root, QStringView subKey, QStringView name);
// Writes a 32-bit number, creating the key when needed; false when nothing was written.
bool SaveRegDword(Registry::RootKey root, QStringView subKey, QStringView name, std::int32_t number);

enum class SettingType { Dword, String };
using SettingValue = std::variant<std::int32_t, QString>;

// One saved setting. The table lists them in the order they are written.
struct SettingEntry {
  QStringView Name;
  SettingType Type;
  // The value to save, taken from a global or from the host.
  SettingValue (*Read)(const SettingsHost& host);
  // Applies a loaded value; null for values that are saved but never read back.
  void (*Apply)(SettingsHost& host, const SettingValue& value);
  // What a first run gets when nothing was stored. Values kept by the main window's
  // controls have none: those controls keep their own starting values.
  std::optional<SettingValue> Default;
};

// Every setting, in the order SaveSettings writes them.
std::span<const SettingEntry> SettingsTable();

// Reads the settings into the globals and the host, once: it does nothing and returns
// false when SkipSettingsLoad is set. A value never stored leaves the receiver's own
// default. Ends with SelectionCombineMode set to 4. The host shows the values it applies
// in its controls itself.
bool LoadSettings(SettingsHost& host);
// Writes every setting of the table, in its order.
void SaveSettings(const SettingsHost& host);

}  // namespace ModqzReg
