#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace TestSupport {

// A temporary folder that lives as long as the test, with helpers to make files in it.
class TestFolder {
 public:
  TestFolder();

  QString Path() const { return m_dir.path(); }
  // The full path of a file or folder inside this one.
  QString File(const QString& name) const;
  // Writes bytes to a file inside this folder (sub-folders are created) and returns its path.
  QString Write(const QString& name, const QByteArray& bytes) const;
  // Makes a sub-folder and returns its path.
  QString MakeFolder(const QString& name) const;

 private:
  QTemporaryDir m_dir;
};

// Points the user's data folder (and so the trash) somewhere else for a test's life.
class RedirectedDataHome {
 public:
  explicit RedirectedDataHome(const QString& path);
  ~RedirectedDataHome();
  RedirectedDataHome(const RedirectedDataHome&) = delete;
  RedirectedDataHome& operator=(const RedirectedDataHome&) = delete;

 private:
  QByteArray m_old;
};

// The folder for files a person may want to look at after a run (contact sheets and the like).
QString ArtifactsFolder();

}  // namespace TestSupport
