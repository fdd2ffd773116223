#pragma once
// The star list file of a folder, "Lorvanelib.lvx": one file name per line, each line
// ending in CR LF, names added in lower case. These functions read, change and write
// it; nothing here touches the sheet.

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include "browse/ModFileinfo.h"

namespace StarList {

inline const QString FileName = QStringLiteral("Lorvanelib.lvx");

// The list's path in a folder given with or without its trailing "/".
QString FilePath(const QString& folder);

// The names of the file's lines in order, each line taken whole with only its line end
// removed; empty lines are skipped. Lines are read as UTF-8, a line whose bytes are not
// UTF-8 as Windows-1252 (lists written under a Windows code page).
QStringList Decode(const QByteArray& bytes);
// Every name followed by CR LF, in UTF-8.
QByteArray Encode(const QStringList& names);

// The folder's list; a missing or unreadable file gives none.
QStringList Read(const QString& folder);
// Replaces the folder's list through a temporary file beside it; false (and the old
// file untouched) when it could not be written.
bool Write(const QString& folder, const QStringList& names);

// The names in lower case, for look-ups that ignore case as the list does.
QSet<QString> LowerCaseSet(const QStringList& names);

// The list after starring files given by full path: the names already listed as they
// were read, then each new name in lower case, in the order given, once.
QStringList Added(const QStringList& listed, const QStringList& files);
// The list after unstarring files: every other listed name, in lower case.
QStringList Removed(const QStringList& listed, const QStringList& files);

// Sets each row's Review cell: "T" for a listed name, empty otherwise.
void MarkRows(ModFileinfo::FileTable& rows, const QStringList& names);

}  // namespace StarList
