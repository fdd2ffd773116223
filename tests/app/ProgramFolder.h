#pragma once
// The programs as a fresh build installs them, in a temporary folder of their own. What a
// run writes beside the program (the folder history, session folders and their locks,
// the side panel's and the stamp library's caches) stays with the test that ran it, so
// tests running side by side share nothing and the build's own program folder stays as
// the build left it.

#include <QString>
#include <QTemporaryDir>

namespace ProgramRun {

class ProgramFolder {
 public:
  ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  // False when the folder could not be made; the reason is in Problem().
  bool IsValid() const { return m_problem.isEmpty(); }
  const QString& Problem() const { return m_problem; }
  QString Path() const { return m_dir.path(); }
  QString Program() const { return m_dir.filePath("lorvane"); }
  QString Screensaver() const { return m_dir.filePath("lorvanescr"); }
  // A file or folder inside it, such as "Datas/History.tmp".
  QString File(const QString& name) const { return m_dir.filePath(name); }

 private:
  QTemporaryDir m_dir;
  QString m_problem;
};

}  // namespace ProgramRun
