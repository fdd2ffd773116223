#include "foundation/SelectedFiles.h"

#include <utility>

SelectedFiles::SelectedFiles(QObject* parent) : QObject(parent) {}

void SelectedFiles::SetFiles(QStringList files) { Replace(std::move(files), false); }

void SelectedFiles::SetOpenedFile(const QString& file) { Replace({file}, true); }

void SelectedFiles::Replace(QStringList files, bool fromOpenDialog) {
  if (files == m_files && fromOpenDialog == m_fromOpenDialog) {
    return;
  }
  m_files = std::move(files);
  m_fromOpenDialog = fromOpenDialog;
  emit Changed();
}

SelectedFiles& SelectedFiles::Program() {
  static SelectedFiles list;
  return list;
}
