#include "browse/ModFileinfo.h"

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace ModFileinfo {

namespace {

// The facts of an entry whose QFileInfo the caller already holds, so a listing stats
// each file once.
FindData FactsOf(const QFileInfo& info) {
  FindData facts;
  if (!info.exists()) {
    facts.Created = MissingFileTime;
    facts.Modified = MissingFileTime;
    return facts;
  }
  facts.Found = true;
  facts.Bytes = info.size();
  const QDateTime modified = info.lastModified();
  const QDateTime born = info.birthTime();
  facts.Modified = modified.toSecsSinceEpoch();
  // File systems without a birth time give an invalid one; the status-change time is
  // no creation date, so the modification time stands in.
  facts.Created = born.isValid() ? born.toSecsSinceEpoch() : facts.Modified;
  return facts;
}

FileRow RowFrom(const QString& folder, const QFileInfo& info) {
  const FindData facts = FactsOf(info);
  FileRow row;
  row.Name = info.fileName();
  row.Path = folder + row.Name;
  const qsizetype dot = row.Name.lastIndexOf(u'.');
  if (dot >= 0) {
    row.Extname = row.Name.mid(dot + 1);
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

FindData FileFindRecord(const QString& path) { return FactsOf(QFileInfo(path)); }

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
  return QStringLiteral("%1-%2-%3 %4:%5:%6")
      .arg(d.day())
      .arg(d.month())
      .arg(d.year())
      .arg(t.hour())
      .arg(t.minute())
      .arg(t.second());
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
  QDir dir(folder);
  dir.setNameFilters(pattern.split(u';', Qt::SkipEmptyParts));
  // Without QDir::Hidden and QDir::System, dot files, sockets and dangling links stay out;
  // without QDir::CaseSensitive the patterns match "IMG_0001.JPG" as well.
  const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  FileTable table;
  table.reserve(static_cast<std::size_t>(entries.size()));
  for (const QFileInfo& info : entries) {
    table.push_back(RowFrom(folder, info));
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
