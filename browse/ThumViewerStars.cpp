// Star marks on the thumbnail sheet: reading the folder's star list, starring and
// unstarring the selected files, and showing the change.
#include "browse/StarList.h"
#include "browse/ThumSurface.h"
#include "browse/ThumViewer.h"
#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "platform/forms/HourglassCursor.h"
#include "platform/forms/MsgBox.h"

namespace {

// The selected files that lie in the listed folder: a file opened from elsewhere must
// not star a namesake here.
QStringList FilesIn(const QString& folder, const QStringList& files) {
  QStringList inFolder;
  for (const QString& file : files) {
    if (ModPublic::AddBackslash(file.left(file.lastIndexOf(u'/'))) == folder) {
      inFolder << file;
    }
  }
  return inFolder;
}

}  // namespace

void ThumViewer::QrFileRead() { m_starNames = m_folderPath.isEmpty() ? QStringList() : StarList::Read(m_folderPath); }

void ThumViewer::QrFileCreate(bool isDelete) {
  if (m_folderPath.isEmpty()) {
    return;
  }
  Forms::HourglassCursor busy;
  QrFileRead();
  const QStringList files = FilesIn(m_folderPath, m_selectedFiles->Files());
  const QStringList names = isDelete ? StarList::Removed(m_starNames, files) : StarList::Added(m_starNames, files);
  if (!StarList::Write(m_folderPath, names)) {
    Forms::MsgBox(QStringLiteral("The star marks could not be saved in this folder."), Forms::vbExclamation);
    return;
  }
  m_starNames = names;
  // The Review cells follow at once, so a sort by star sees the change; the search copy
  // follows too, so a search brings back the rows as they now are.
  StarList::MarkRows(m_rows, m_starNames);
  StarList::MarkRows(m_searchRows, m_starNames);
  DrawReview(true, isDelete);
}

// The sheet paints stars from the Review cells, so an added star shows and a removed one
// goes with the repaint; both callers pass isRefresh and the marks are always redrawn.
void ThumViewer::DrawReview(bool, bool) {
  m_reviewRows.clear();
  for (int row = 0; row < ListCount; ++row) {
    if (m_rows[row].Selected) {
      m_reviewRows.push_back(row);
    }
  }
  m_reviewOnTop = true;
  m_surface->update();
}
