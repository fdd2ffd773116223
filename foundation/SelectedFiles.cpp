#include "foundation/SelectedFiles.h"

#include <utility>

SelectedFiles::SelectedFiles(QObject* parent) : QObject(parent) {}

void SelectedFiles::SetFiles(QStringList files) {
  if (files == m_files) {
    return;
  }
  m_files = std::move(files);
  emit Changed();
}

SelectedFiles& SelectedFiles::Program() {
  static SelectedFiles list;
  return list;
}
