#pragma once
// The screensaver's picture set: byte copies of the chosen pictures named "Scrdata<i>.dat"
// in the "ScrDatas" folder of the program folder. The copies go to a staging folder first
// and replace the old set only once every copy succeeded, so a failed export keeps the
// set the screensaver showed before. Files in the folder that are not ".dat" stay.

#include <memory>

#include <QString>
#include <QStringList>

class QTemporaryDir;

class ScrExport {
 public:
  // The set is made in pictureFolder from the files, numbered from 0 in their order.
  ScrExport(QString pictureFolder, QStringList files);
  ~ScrExport();
  ScrExport(const ScrExport&) = delete;
  ScrExport& operator=(const ScrExport&) = delete;

  // Which of the selected files make a set: every entry of a selection of two or more, or
  // the one file chosen in the open dialog. One picture picked among thumbnails, or no
  // file at all, makes none.
  static QStringList FilesToExport(const QStringList& selected, bool fromOpenDialog);
  // The name of picture i of a set.
  static QString DataName(int index);

  // Makes the picture folder when it is missing and an empty staging folder inside it.
  bool Prepare();
  int Count() const { return int(m_files.size()); }
  int Copied() const { return m_copied; }
  bool AtEnd() const { return m_copied >= Count(); }
  // The file the next copy takes.
  QString NextFile() const { return m_files.value(m_copied); }
  // Copies the next file into the staging folder; false when it could not be copied.
  bool CopyNext();
  // Replaces the folder's old ".dat" files with the staged set; call once every copy is done.
  bool Commit();
  // The file that failed: the source of a failed copy, or the folder when the swap failed.
  QString FailedFile() const { return m_failed; }

  // The whole export at once; false when anything failed (the old set then stays).
  bool Run();

 private:
  QString m_folder;
  QStringList m_files;
  std::unique_ptr<QTemporaryDir> m_staging;
  int m_copied = 0;
  QString m_failed;
};
