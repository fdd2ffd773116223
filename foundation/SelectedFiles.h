#pragma once
// The shared list of selected files: the full paths of the thumbnails selected on the
// sheet, first entry at index 0. The sheet writes it after every pick, the main window
// when it opens a single file, the rename task with the new names; the slideshow, the
// print window, the file task dialog and the screensaver export read it.

#include <QObject>
#include <QString>
#include <QStringList>

class SelectedFiles : public QObject {
  Q_OBJECT

 public:
  explicit SelectedFiles(QObject* parent = nullptr);

  const QStringList& Files() const { return m_files; }
  bool IsEmpty() const { return m_files.isEmpty(); }
  qsizetype Count() const { return m_files.size(); }
  // Entry i, or the empty text when there is none.
  QString At(qsizetype i) const { return m_files.value(i); }

  // Replaces the whole list; Changed follows when it differs from the old one.
  void SetFiles(QStringList files);
  void Clear() { SetFiles({}); }
  // Makes the list the one file chosen in the open dialog. Readers that want more than
  // one entry count such a list as a selection all the same.
  void SetOpenedFile(const QString& file);
  // True while the list is the one file chosen in the open dialog.
  bool FromOpenDialog() const { return m_fromOpenDialog; }

  // The program's one list. Code that tests replace takes a SelectedFiles& instead.
  static SelectedFiles& Program();

 signals:
  void Changed();

 private:
  void Replace(QStringList files, bool fromOpenDialog);

  QStringList m_files;
  bool m_fromOpenDialog = false;
};
