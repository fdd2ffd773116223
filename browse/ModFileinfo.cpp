#include "browse/ModFileinfo.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

namespace ModFileinfo {

namespace {

std::int64_t Seconds(const struct statx_timestamp& t) { return static_cast<std::int64_t>(t.tv_sec); }

// One statx call gives size, type and all three times, so a listing asks the file
// system once per file. `regularOnly` refuses anything but files (after links).
std::optional<FindData> StatPath(const QByteArray& path, bool regularOnly) {
  struct statx sx {};
  const unsigned mask = STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME;
  if (statx(AT_FDCWD, path.constData(), AT_STATX_SYNC_AS_STAT, mask, &sx) != 0) {
    return std::nullopt;
  }
  if (regularOnly && !S_ISREG(sx.stx_mode)) {
    return std::nullopt;
  }
  FindData facts;
  facts.Found = true;
  facts.Bytes = static_cast<std::int64_t>(sx.stx_size);
  facts.Modified = Seconds(sx.stx_mtime);
  // File systems without a birth time leave STATX_BTIME out; the status-change time
  // is no creation date, so the modification time stands in.
  facts.Created = (sx.stx_mask & STATX_BTIME) != 0 ? Seconds(sx.stx_btime) : facts.Modified;
  return facts;
}

// The listing patterns as one case-insensitive expression: "*.png;*.JPG" matches
// "a.PNG" and "b.jpg".
QRegularExpression PatternExpression(const QString& pattern) {
  QStringList alternatives;
  for (const QString& wildcard : pattern.split(u';', Qt::SkipEmptyParts)) {
    alternatives << QStringLiteral("(?:%1)").arg(QRegularExpression::wildcardToRegularExpression(wildcard.trimmed()));
  }
  return QRegularExpression(alternatives.join(u'|'), QRegularExpression::CaseInsensitiveOption);
}

// The names of the folder's entries that match, without hidden ones; types are
// checked later, by the one statx per file.
QStringList MatchingNames(const QByteArray& folder, const QString& pattern) {
  const QRegularExpression expression = PatternExpression(pattern);
  QStringList names;
  std::error_code error;
  // A folder that is missing or unreadable, or fails while it is read, lists what was
  // read so far: error codes rather than exceptions end the walk.
  for (std::filesystem::directory_iterator it(folder.constData(), error), end; !error && it != end;
       it.increment(error)) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(it->path().filename().native()));
    if (!name.startsWith(u'.') && expression.match(name).hasMatch()) {
      names << name;
    }
  }
  return names;
}

FileRow RowFrom(const QString& folder, const QString& name, const FindData& facts) {
  FileRow row;
  row.Name = name;
  row.Path = folder + name;
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot >= 0) {
    row.Extname = name.mid(dot + 1);
  }
  row.Bytes = facts.Bytes;
  row.Created = facts.Created;
  row.Modified = facts.Modified;
  row.SizeText = SizeText(facts.Bytes);
  row.CDate = DateText(facts.Created);
  row.MDate = DateText(facts.Modified);
  return row;
}

int CompareText(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive); }

// The three-way comparison of two rows under a sort mode; 0 for modes outside 0 to 5.
int CompareRows(const FileRow& a, const FileRow& b, int mode) {
  const auto three = [](std::int64_t x, std::int64_t y) { return x < y ? -1 : (x > y ? 1 : 0); };
  switch (mode) {
    case 0: return CompareText(a.Name, b.Name);
    case 1: return CompareText(a.Extname, b.Extname);
    case 2: return three(a.Bytes, b.Bytes);
    case 3: return three(a.Created, b.Created);
    case 4: return three(a.Modified, b.Modified);
    case 5: return CompareText(a.Review, b.Review);
    default: return 0;
  }
}

}  // namespace

FindData FileFindRecord(const QString& path) {
  if (const std::optional<FindData> facts = StatPath(QFile::encodeName(path), false)) {
    return *facts;
  }
  FindData missing;
  missing.Created = MissingFileTime;
  missing.Modified = MissingFileTime;
  return missing;
}

QString SizeText(std::int64_t bytes) {
  // Whole and fractional kilobytes are taken apart in integers, so even sizes beyond
  // what a double holds exactly come out digit for digit.
  // A file size is never negative; a negative count is read as none.
  const std::int64_t count = std::max<std::int64_t>(bytes, 0);
  QString text = QString::number(count / 1000);
  const std::int64_t fraction = count % 1000;
  if (fraction != 0) {
    QString digits = QString::number(fraction).rightJustified(3, u'0');
    while (digits.endsWith(u'0')) {
      digits.chop(1);
    }
    text += QLocale().decimalPoint() + digits;
  }
  return text + QStringLiteral(" KB");
}

QString DateText(std::int64_t secondsSinceEpoch) {
  if (secondsSinceEpoch == MissingFileTime) {
    // A missing file reports the zero file time itself, not its local-time reading.
    return QStringLiteral("1-1-1601 0:0:0");
  }
  const QDateTime local = QDateTime::fromSecsSinceEpoch(secondsSinceEpoch);
  const QDate d = local.date();
  const QTime t = local.time();
  const auto n = [](int value) { return QString::number(value); };
  return n(d.day()) + u'-' + n(d.month()) + u'-' + n(d.year()) + u' ' + n(t.hour()) + u':' + n(t.minute()) + u':' +
         n(t.second());
}

QString FileFactText(const QString& path, int kind) {
  if (kind < 0 || kind > 2) {
    return {};
  }
  const FindData facts = FileFindRecord(path);
  switch (kind) {
    case 0: return SizeText(facts.Bytes);
    case 1: return DateText(facts.Modified);
    default: return DateText(facts.Created);
  }
}

FileTable ListImageFiles(const QString& folder, const QString& pattern) {
  // A relative or empty folder would be read against the process's working folder,
  // which is never what the user picked.
  if (!QDir::isAbsolutePath(folder)) {
    return {};
  }
  QStringList names = MatchingNames(QFile::encodeName(folder), pattern);
  // Name order ignoring case, with a case-sensitive tie-break so the order never
  // depends on the order the file system happens to return.
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int c = CompareText(a, b);
    return c != 0 ? c < 0 : a < b;
  });
  FileTable table;
  table.reserve(static_cast<std::size_t>(names.size()));
  for (const QString& name : names) {
    // Sub-folders, sockets, dangling links and files gone since the folder was read
    // are left out.
    if (const std::optional<FindData> facts = StatPath(QFile::encodeName(folder + name), true)) {
      table.push_back(RowFrom(folder, name, *facts));
    }
  }
  return table;
}

void SortFileTable(FileTable& table, int mode) {
  if (mode < 0 || mode > 5) {
    return;
  }
  std::stable_sort(table.begin(), table.end(),
                   [mode](const FileRow& a, const FileRow& b) { return CompareRows(a, b, mode) < 0; });
}

FileTable SearchFileTable(const FileTable& source, const QString& text) {
  FileTable found;
  for (const FileRow& row : source) {
    if (!row.Name.isEmpty() && row.Name.contains(text, Qt::CaseInsensitive)) {
      found.push_back(row);
    }
  }
  return found;
}

}  // namespace ModFileinfo
