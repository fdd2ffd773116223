#include "platform/Registry.h"

#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

// The store is read and written whole on every call, as a registry key is opened and closed
// per value. The file is small INI text in UTF-8:
//
//   [SOFTWARE\Vesk Lorvane]
//   isMax=dword:00000001
//   CurrentDirectory=sz:/home/someone/Pictures
//
// QSettings is not used: it keeps a process-wide cache of whatever it half-parsed from a
// damaged file and writes that back, and it cannot report a failed write after a parse
// error, so a corrupt store could neither be trusted to read as empty nor to be rewritten.

namespace Registry {
namespace {

// The INI format keeps no types, so every entry carries its type as a prefix. An entry
// without a known prefix (edited by hand, or left by something else) has no type and so
// reads as missing under every type.
const QString SzPrefix = QStringLiteral("sz:");
const QString ExpandSzPrefix = QStringLiteral("expand_sz:");
const QString BinaryPrefix = QStringLiteral("hex:");
const QString DwordPrefix = QStringLiteral("dword:");

struct Entry {
  QString Name;
  QString Data;  // the typed, unescaped text after "="
};

struct Section {
  QString Key;
  std::vector<Entry> Entries;
};

using Store = std::vector<Section>;

QString& FilePathOverride() {
  static QString path;
  return path;
}

// Characters that would break a line apart, or the escape itself, are written as %XX.
QString Escape(const QString& text, QStringView special) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == u'%' || c == u'\0' || c == u'\n' || c == u'\r' || special.contains(c)) {
      out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<QString> Unescape(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != u'%') {
      out += text[i];
      continue;
    }
    bool ok = false;
    const uint code = text.mid(i + 1, 2).size() == 2 ? text.mid(i + 1, 2).toUInt(&ok, 16) : 0;
    if (!ok) {
      return std::nullopt;
    }
    out += QChar(static_cast<char16_t>(code));
    i += 2;
  }
  return out;
}

constexpr QStringView NameSpecials = u"=[];";
constexpr QStringView KeySpecials = u"]";

// Parses the whole file; nothing when any line cannot be understood, since a store that is
// partly damaged cannot be told apart from one that is wholly so.
std::optional<Store> Parse(const QByteArray& bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder(bytes);
  if (decoder.hasError()) {
    return std::nullopt;
  }
  Store store;
  for (const QStringView line : QStringView(text).split(u'\n')) {
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u';')) {
      continue;
    }
    if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
      const std::optional<QString> key = Unescape(trimmed.mid(1, trimmed.size() - 2));
      if (!key) {
        return std::nullopt;
      }
      store.push_back({*key, {}});
      continue;
    }
    // Values keep their blanks; only the carriage return of a file edited elsewhere goes.
    const QStringView raw = line.endsWith(u'\r') ? line.chopped(1) : line;
    const qsizetype equals = raw.indexOf(u'=');
    if (equals <= 0 || store.empty()) {
      return std::nullopt;
    }
    const std::optional<QString> name = Unescape(raw.left(equals));
    const std::optional<QString> data = Unescape(raw.mid(equals + 1));
    if (!name || !data) {
      return std::nullopt;
    }
    store.back().Entries.push_back({*name, *data});
  }
  return store;
}

QByteArray Serialize(const Store& store) {
  QString text;
  for (const Section& section : store) {
    text += u'[' + Escape(section.Key, KeySpecials) + QStringLiteral("]\n");
    for (const Entry& entry : section.Entries) {
      text += Escape(entry.Name, NameSpecials) + u'=' + Escape(entry.Data, {}) + u'\n';
    }
    text += u'\n';
  }
  return text.toUtf8();
}

// A missing file is an empty store; an unreadable or damaged one gives nothing.
std::optional<Store> ReadStore(const QString& path) {
  QFile file(path);
  if (!file.exists()) {
    return Store{};
  }
  if (!file.open(QIODevice::ReadOnly)) {
    return std::nullopt;
  }
  return Parse(file.readAll());
}

// Written to a temporary file beside the store and renamed over it, so a failed write
// leaves the old file whole.
bool WriteStore(const QString& path, const Store& store) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return false;
  }
  file.write(Serialize(store));
  return file.commit();
}

// Registry key paths ignore doubled or trailing separators and case.
QString NormalKey(QStringView subKey) {
  return subKey.toString().split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

Section* FindSection(Store& store, const QString& key) {
  for (Section& section : store) {
    if (section.Key.compare(key, Qt::CaseInsensitive) == 0) {
      return &section;
    }
  }
  return nullptr;
}

Entry* FindEntry(Section& section, QStringView name) {
  for (Entry& entry : section.Entries) {
    if (entry.Name.compare(name, Qt::CaseInsensitive) == 0) {
      return &entry;
    }
  }
  return nullptr;
}

QString Encode(const Value& value) {
  switch (value.Type) {
    case ValueType::Sz:
      return SzPrefix + value.Text;
    case ValueType::ExpandSz:
      return ExpandSzPrefix + value.Text;
    case ValueType::Binary:
      return BinaryPrefix + QString::fromLatin1(value.Bytes.toHex(','));
    case ValueType::Dword:
      return DwordPrefix +
             QStringLiteral("%1").arg(static_cast<std::uint32_t>(value.Number), 8, 16, QLatin1Char('0'));
  }
  return {};
}

std::optional<Value> DecodeDword(QStringView digits) {
  bool ok = false;
  const std::uint32_t bits = digits.size() <= 8 ? digits.toUInt(&ok, 16) : 0;
  if (!ok) {
    return std::nullopt;
  }
  return Value::Dword(static_cast<std::int32_t>(bits));
}

// Bytes as two hex digits each, separated by commas.
std::optional<Value> DecodeBinary(QStringView digits) {
  QByteArray bytes;
  if (!digits.isEmpty()) {
    for (const QStringView pair : digits.split(u',')) {
      bool ok = false;
      const uint byte = pair.size() == 2 ? pair.toUInt(&ok, 16) : 0;
      if (!ok) {
        return std::nullopt;
      }
      bytes.append(static_cast<char>(byte));
    }
  }
  return Value{ValueType::Binary, {}, 0, bytes};
}

std::optional<Value> Decode(const QString& data) {
  if (data.startsWith(SzPrefix)) {
    return Value::Sz(data.mid(SzPrefix.size()));
  }
  if (data.startsWith(ExpandSzPrefix)) {
    return Value{ValueType::ExpandSz, data.mid(ExpandSzPrefix.size()), 0, {}};
  }
  if (data.startsWith(DwordPrefix)) {
    return DecodeDword(QStringView(data).mid(DwordPrefix.size()));
  }
  if (data.startsWith(BinaryPrefix)) {
    return DecodeBinary(QStringView(data).mid(BinaryPrefix.size()));
  }
  return std::nullopt;
}

}  // namespace

QString FilePath() {
  if (!FilePathOverride().isEmpty()) {
    return FilePathOverride();
  }
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/lorvane/registry.ini");
}

void SetFilePath(const QString& path) { FilePathOverride() = path; }

std::optional<Value> QueryValue(RootKey root, QStringView subKey, QStringView name) {
  if (root != RootKey::CurrentUser || name.isEmpty()) {
    return std::nullopt;
  }
  // Unreadable or corrupt store: every value is missing, so callers fall back to defaults.
  std::optional<Store> store = ReadStore(FilePath());
  Section* section = store ? FindSection(*store, NormalKey(subKey)) : nullptr;
  const Entry* entry = section != nullptr ? FindEntry(*section, name) : nullptr;
  return entry != nullptr ? Decode(entry->Data) : std::nullopt;
}

bool SetValue(RootKey root, QStringView subKey, QStringView name, const Value& value) {
  const NamedValue one{name.toString(), value};
  return SetValues(root, subKey, std::span(&one, 1));
}

bool SetValues(RootKey root, QStringView subKey, std::span<const NamedValue> values) {
  if (root != RootKey::CurrentUser || values.empty()) {
    return false;
  }
  for (const NamedValue& named : values) {
    if (named.Name.isEmpty()) {
      return false;
    }
  }
  const QString path = FilePath();
  // Both programs write the store; the lock keeps one from undoing the other's change.
  // When it cannot be had in time the write goes ahead, as losing the change is worse.
  QDir().mkpath(QFileInfo(path).absolutePath());
  QLockFile lock(path + QStringLiteral(".lock"));
  lock.tryLock(2000);
  // A store that cannot be read or parsed is started anew and rewritten whole.
  Store store = ReadStore(path).value_or(Store{});
  const QString key = NormalKey(subKey);
  Section* section = FindSection(store, key);
  if (section == nullptr) {
    section = &store.emplace_back(Section{key, {}});
  }
  for (const NamedValue& named : values) {
    if (Entry* entry = FindEntry(*section, named.Name)) {
      entry->Data = Encode(named.Data);
    } else {
      section->Entries.push_back({named.Name, Encode(named.Data)});
    }
  }
  return WriteStore(path, store);
}

}  // namespace Registry
