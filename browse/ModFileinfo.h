#pragma once
// File facts and the operations on the thumbnail sheet's file tables: the size and
// date texts of one file, the typed sort of a table by one of its columns, and the
// case-insensitive name search. Nothing here shows anything or decodes an image.

#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>

namespace ModFileinfo {

// One row of a file table. The texts are what the sheet shows; the numbers beside
// them are what it sorts and filters on, so nothing is ever parsed back from a text.
struct FileRow {
  QString Path;      // folder with a trailing "/" followed by the file name
  QString Name;      // "String": the file name as listed
  QString Extname;   // the text after the name's last ".", case as on disk
  QString SizeText;  // "Number": FileFactText kind 0
  QString CDate;     // FileFactText kind 2
  QString MDate;     // FileFactText kind 1
  QString Review;    // "T" when the file carries a star mark
  std::int64_t Bytes = 0;
  std::int64_t Created = 0;   // seconds since 1970-01-01 UTC
  std::int64_t Modified = 0;  // seconds since 1970-01-01 UTC
  bool Selected = false;      // the row's selection flag
};
using FileTable = std::vector<FileRow>;

// The facts the file system keeps about one file.
struct FindData {
  bool Found = false;
  std::int64_t Bytes = 0;
  std::int64_t Created = 0;
  std::int64_t Modified = 0;
};

// Seconds since 1970 of 1 January 1601 UTC, the time a missing file reports.
inline constexpr std::int64_t MissingFileTime = -11644473600;

// The facts of the file at exactly this path (names may hold "*" or "?"). The creation
// time is the file system's birth time where it keeps one, else the modification time.
// A missing file gives Found false, size 0 and both times MissingFileTime.
FindData FileFindRecord(const QString& path);

// Bytes / 1000 as a plain decimal with the locale's separator, then " KB" (1 B → "0.001 KB").
QString SizeText(std::int64_t bytes);
// The moment in local time as "d-m-yyyy h:n:s" without leading zeros ("5-3-2007 14:7:9").
QString DateText(std::int64_t secondsSinceEpoch);

// Kind 0 the size text, 1 the modification date text, 2 the creation date text; other
// kinds give the empty text.
QString FileFactText(const QString& path, int kind);

// The rows of the files in `folder` (ending with "/") whose names match one of the
// ";"-separated wildcard patterns, ignoring case, in name order ignoring case. Hidden
// files are skipped. A folder that is missing, unreadable or not absolute gives none.
FileTable ListImageFiles(const QString& folder, const QString& pattern);

// Sorts the table by the column the mode selects: 0 name, 1 extension, 2 size,
// 3 created, 4 modified, 5 star mark; other modes leave it as it is. Ascending and
// stable, so rows with equal keys keep their order.
void SortFileTable(FileTable& table, int mode);

// The rows of `source` whose names contain `text`, ignoring case, in source order.
// The source is left untouched; rows with an empty name never match.
FileTable SearchFileTable(const FileTable& source, const QString& text);

}  // namespace ModFileinfo
