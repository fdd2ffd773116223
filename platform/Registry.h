#pragma once
// The per-user settings store both programs share. It keeps the shape of a registry: keys
// named with backslash paths, values typed as strings, numbers or bytes, keys made on the
// first write. Underneath it is one INI file in the user's configuration folder.

#include <cstdint>
#include <optional>
#include <span>

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace Registry {

// The only root the programs use: the current user's settings.
enum class RootKey : std::uint32_t { CurrentUser = 0x80000001u };

// Value types, numbered as the programs have always numbered them.
enum class ValueType : std::uint32_t { Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4 };

// One stored value: Text for the two string types, Number for Dword, Bytes for Binary.
struct Value {
  ValueType Type = ValueType::Sz;
  QString Text;
  std::int32_t Number = 0;
  QByteArray Bytes;

  static Value Sz(const QString& text) { return {ValueType::Sz, text, 0, {}}; }
  static Value Dword(std::int32_t number) { return {ValueType::Dword, {}, number, {}}; }
};

// The file that holds the store: "lorvane/registry.ini" in the user's configuration folder.
QString FilePath();
// Points the store at another file (tests); an empty path restores the usual one.
void SetFilePath(const QString& path);

// Reads one value. Key and value names ignore case, as the registry's do. A missing key or
// value, a bad name, or a store that cannot be read or parsed all give no value.
std::optional<Value> QueryValue(RootKey root, QStringView subKey, QStringView name);

// Writes one value, creating the key when needed. The whole file is replaced atomically, so
// a failed write leaves the old file; a store that could not be parsed is started anew.
// Returns false when nothing was written.
bool SetValue(RootKey root, QStringView subKey, QStringView name, const Value& value);

struct NamedValue {
  QString Name;
  Value Data;
};
// Writes several values of one key in a single replacement of the file, in order.
// Nothing is written when a name is empty.
bool SetValues(RootKey root, QStringView subKey, std::span<const NamedValue> values);

}  // namespace Registry
