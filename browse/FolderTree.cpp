#include "browse/FolderTree.h"

#include <algorithm>
#include <utility>

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScrollBar>

FolderTree::FolderTree(QWidget* parent)
    : QTreeView(parent), m_model(new QFileSystemModel(this)), m_home(QDir::cleanPath(QDir::homePath())) {
  m_model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  m_model->setReadOnly(true);
  // An empty root path lists the file-system roots at the top level.
  m_model->setRootPath(QString());
  // Before the view hears of a change, which lets go of its row places.
  for (auto changing : {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsAboutToBeRemoved}) {
    connect(m_model, changing, this, &FolderTree::NoteAnchor);
  }
  connect(m_model, &QAbstractItemModel::layoutAboutToBeChanged, this, &FolderTree::NoteAnchor);
  setModel(m_model);
  for (int column = 1; column < m_model->columnCount(); ++column) {
    hideColumn(column);
  }
  header()->hide();
  setUniformRowHeights(true);
  setAnimated(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Rows stand at whole steps of the bar, so a row kept in place moves by whole steps.
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  connect(m_model, &QFileSystemModel::directoryLoaded, this, &FolderTree::OnDirectoryLoaded);
  // Queued, so that the view has laid the changed rows out first.
  for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
    connect(m_model, changed, this, &FolderTree::HoldStill, Qt::QueuedConnection);
  }
  connect(m_model, &QAbstractItemModel::layoutChanged, this, &FolderTree::HoldStill, Qt::QueuedConnection);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] {
    LetHomeGo();
    m_anchor = QPersistentModelIndex();
  });
  for (auto openedOrClosed : {&QTreeView::expanded, &QTreeView::collapsed}) {
    connect(this, openedOrClosed, this, &FolderTree::LetHomeGo);
  }
  TryRevealHome();
}

bool FolderTree::SelectPath(const QString& path) {
  const QFileInfo folder(path);
  if (path.isEmpty() || folder.isRelative() || !folder.isDir()) {
    return false;
  }
  m_pending = QDir::cleanPath(folder.absoluteFilePath());
  TrySelectPending();
  return true;
}

QString FolderTree::CurrentPath() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? m_model->filePath(current) : QString();
}

// The model lists folders in the background, so a folder deep in the tree has no index
// until each folder above it has been read. Every finished listing retries.
void FolderTree::OnDirectoryLoaded() {
  TrySelectPending();
  TryRevealHome();
}

QModelIndex FolderTree::Reach(const QString& path) {
  const QModelIndex target = m_model->index(path);
  if (target.isValid()) {
    return target;
  }
  QString ancestor = path;
  QModelIndex known;
  while (!known.isValid() && ancestor != QDir::rootPath() && !ancestor.isEmpty()) {
    ancestor = QFileInfo(ancestor).path();
    known = m_model->index(ancestor);
  }
  if (known.isValid() && m_model->canFetchMore(known)) {
    m_model->fetchMore(known);
  }
  return {};
}

void FolderTree::TrySelectPending() {
  if (m_pending.isEmpty()) {
    return;
  }
  const QModelIndex target = Reach(m_pending);
  if (target.isValid()) {
    const QString wanted = m_pending;
    setCurrentIndex(target);
    scrollTo(target);
    if (CurrentPath() == wanted) {
      m_pending.clear();
    }
  }
}

// Home is opened only while nothing is chosen, so that it never scrolls a chosen folder
// out of view. The folders above it open with it, all at once, so that the tree goes
// from the root alone to home at the top. A hidden tree has nowhere to scroll yet: home
// waits until it shows.
void FolderTree::TryRevealHome() {
  if (m_home.isEmpty() || !m_pending.isEmpty() || currentIndex().isValid()) {
    m_home.clear();
    return;
  }
  const QModelIndex home = Reach(m_home);
  if (!home.isValid() || !isVisible()) {
    return;
  }
  for (QModelIndex folder = home; folder.isValid(); folder = folder.parent()) {
    expand(folder);
  }
  m_home.clear();
  m_shownHome = home;
  KeepHomeAtTop();
}

// The folders above home are listed after it has its row, and folders come and go in
// their listings (the temporary folder changes all the time): home is put back at the
// top after every change until the user chooses a folder, scrolls or opens or closes one.
bool FolderTree::KeepHomeAtTop() {
  if (!m_shownHome.isValid() || currentIndex().isValid()) {
    return false;
  }
  scrollTo(m_shownHome, QAbstractItemView::PositionAtTop);
  return true;
}

// Busy folders (the temporary folder above all) gain and lose folders all the time. Rows
// coming and going above the row under the pointer, else the chosen folder's, must not
// move it: a click a moment later would land on another folder. The first change since
// the rows last stood still notes where that row stands.
void FolderTree::NoteAnchor() {
  if (m_anchor.isValid()) {
    return;
  }
  QModelIndex row;
  const QPoint pointer = viewport()->mapFromGlobal(QCursor::pos());
  if (viewport()->underMouse() && viewport()->rect().contains(pointer)) {
    row = indexAt(pointer);
  }
  if (!row.isValid()) {
    row = currentIndex();
  }
  if (row.isValid()) {
    m_anchor = row;
    m_anchorTop = visualRect(row).top();
  }
}

// Once the changed rows are laid out, the noted row goes back where it stood.
void FolderTree::HoldStill() {
  const QPersistentModelIndex anchor = std::exchange(m_anchor, QPersistentModelIndex());
  if (KeepHomeAtTop() || !anchor.isValid()) {
    return;
  }
  const int moved = visualRect(anchor).top() - m_anchorTop;
  if (moved != 0) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + moved / std::max(1, rowHeight(anchor)));
  }
}

// A row brought into view on purpose stays where it was brought, not where it stood when
// the listings last changed.
void FolderTree::scrollTo(const QModelIndex& index, ScrollHint hint) {
  m_anchor = QPersistentModelIndex();
  QTreeView::scrollTo(index, hint);
}

void FolderTree::LetHomeGo() { m_shownHome = QPersistentModelIndex(); }

void FolderTree::showEvent(QShowEvent* event) {
  QTreeView::showEvent(event);
  TryRevealHome();
}

// A tree shown before the window has laid its panes out grows afterwards.
void FolderTree::resizeEvent(QResizeEvent* event) {
  QTreeView::resizeEvent(event);
  KeepHomeAtTop();
}

void FolderTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  const QString path = CurrentPath();
  if (path != m_pending) {
    // The user chose another folder meanwhile; the wait is over.
    m_pending.clear();
  }
  emit SelectionChanged(path);
}
