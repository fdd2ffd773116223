#include "browse/StarList.h"

#include <array>

#include <QFile>
#include <QIODevice>
#include <QStringDecoder>

#include "foundation/ModPublic.h"
#include "platform/gdiplus/AtomicFile.h"

namespace StarList {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F; its five unassigned bytes keep
// their Latin-1 control characters.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString FromWindows1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    text[i] = byte >= 0x80 && byte < 0xA0 ? QChar(kWindows1252High[byte - 0x80]) : QChar(byte);
  }
  return text;
}

QString DecodeLine(QByteArrayView line) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(line);
  return utf8.hasError() ? FromWindows1252(line) : text;
}

// The lower-cased file name parts of full paths, each once, in the order given.
QStringList LowerCaseNames(const QStringList& files) {
  QStringList names;
  QSet<QString> seen;
  for (const QString& file : files) {
    const QString name = ModPublic::GetFileName(file).toLower();
    if (!name.isEmpty() && !seen.contains(name)) {
      seen.insert(name);
      names << name;
    }
  }
  return names;
}

}  // namespace

QString FilePath(const QString& folder) { return ModPublic::AddBackslash(folder) + FileName; }

QStringList Decode(const QByteArray& bytes) {
  QByteArrayView rest(bytes);
  if (rest.startsWith("\xEF\xBB\xBF")) {
    rest = rest.sliced(3);
  }
  QStringList names;
  while (!rest.isEmpty()) {
    const qsizetype end = rest.indexOf('\n');
    QByteArrayView line = end < 0 ? rest : rest.first(end);
    rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
    if (line.endsWith('\r')) {
      line.chop(1);
    }
    // An empty line is skipped, not taken as the end: the names after it keep their stars.
    if (!line.isEmpty()) {
      names << DecodeLine(line);
    }
  }
  return names;
}

QByteArray Encode(const QStringList& names) {
  QByteArray bytes;
  for (const QString& name : names) {
    bytes += name.toUtf8();
    bytes += "\r\n";
  }
  return bytes;
}

QStringList Read(const QString& folder) {
  QFile file(FilePath(folder));
  if (!file.open(QIODevice::ReadOnly)) {
    // No list (or none readable): nothing in the folder is starred.
    return {};
  }
  return Decode(file.readAll());
}

bool Write(const QString& folder, const QStringList& names) {
  const QByteArray bytes = Encode(names);
  return Gdip::WriteFileAtomically(FilePath(folder), [&bytes](QIODevice& device) {
    return device.write(bytes) == bytes.size();
  });
}

QSet<QString> LowerCaseSet(const QStringList& names) {
  QSet<QString> set;
  set.reserve(names.size());
  for (const QString& name : names) {
    set.insert(name.toLower());
  }
  return set;
}

QStringList Added(const QStringList& listed, const QStringList& files) {
  const QSet<QString> known = LowerCaseSet(listed);
  QStringList result = listed;
  for (const QString& name : LowerCaseNames(files)) {
    if (!known.contains(name)) {
      result << name;
    }
  }
  return result;
}

QStringList Removed(const QStringList& listed, const QStringList& files) {
  const QStringList gone = LowerCaseNames(files);
  const QSet<QString> goneSet(gone.begin(), gone.end());
  QStringList result;
  for (const QString& name : listed) {
    const QString lower = name.toLower();
    if (!goneSet.contains(lower)) {
      result << lower;
    }
  }
  return result;
}

void MarkRows(ModFileinfo::FileTable& rows, const QStringList& names) {
  const QSet<QString> starred = LowerCaseSet(names);
  for (ModFileinfo::FileRow& row : rows) {
    row.Review = starred.contains(row.Name.toLower()) ? QStringLiteral("T") : QString();
  }
}

}  // namespace StarList
