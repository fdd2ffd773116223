#include "support/TestFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TestSupport {

TestFolder::TestFolder() : m_dir(QDir::tempPath() + "/lorvane-test-XXXXXX") {}

QString TestFolder::File(const QString& name) const { return m_dir.filePath(name); }

QString TestFolder::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = File(name);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) {
    f.write(bytes);
  }
  return path;
}

QString TestFolder::MakeFolder(const QString& name) const {
  const QString path = File(name);
  QDir().mkpath(path);
  return path;
}

RedirectedDataHome::RedirectedDataHome(const QString& path) : m_old(qgetenv("XDG_DATA_HOME")) {
  qputenv("XDG_DATA_HOME", QFile::encodeName(path));
}

RedirectedDataHome::~RedirectedDataHome() { qputenv("XDG_DATA_HOME", m_old); }

QString ArtifactsFolder() {
  QString dir = qEnvironmentVariable("LORVANE_TEST_ARTIFACTS");
  if (dir.isEmpty()) {
    // Test binaries live in build/bin; artifacts go beside them in build/test-artifacts.
    dir = QCoreApplication::applicationDirPath() + "/../test-artifacts";
  }
  QDir().mkpath(dir);
  return dir;
}

}  // namespace TestSupport
