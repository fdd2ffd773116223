#include "ProgramFolder.h"

#include <filesystem>
#include <system_error>

#include <QCoreApplication>
#include <QDir>

namespace ProgramRun {

namespace {

namespace fs = std::filesystem;

fs::path ToPath(const QString& path) { return fs::path(QDir::toNativeSeparators(path).toStdString()); }

// A hard link costs nothing and keeps the program's own name in /proc/self/exe, from
// which Qt takes the program folder; a copy serves where the file systems differ.
std::error_code LinkOrCopy(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::create_hard_link(from, to, error);
  if (error) {
    error.clear();
    fs::copy_file(from, to, error);
  }
  return error;
}

}  // namespace

ProgramFolder::ProgramFolder() : m_dir(QDir::tempPath() + "/lorvane-program-XXXXXX") {
  if (!m_dir.isValid()) {
    m_problem = "no temporary folder: " + m_dir.errorString();
    return;
  }
  const fs::path built = ToPath(QCoreApplication::applicationDirPath());
  const fs::path here = ToPath(m_dir.path());
  std::error_code error;
  // The shipped files as the build copies them, without whatever runs have added since.
  fs::copy(LORVANE_ASSETS_DIR, here, fs::copy_options::recursive, error);
  for (const char* folder : {"Librarians", "ScrDatas"}) {
    if (!error) {
      fs::create_directories(here / folder, error);
    }
  }
  for (const char* program : {"lorvane", "lorvanescr"}) {
    if (!error) {
      error = LinkOrCopy(built / program, here / program);
    }
  }
  if (error) {
    m_problem = QString::fromStdString("the program folder could not be made: " + error.message());
  }
}

}  // namespace ProgramRun
