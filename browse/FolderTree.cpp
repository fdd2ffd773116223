#include "browse/FolderTree.h"

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
  setModel(m_model);
  for (int column = 1; column < m_model->columnCount(); ++column) {
    hideColumn(column);
  }
  header()->hide();
  setUniformRowHeights(true);
  setAnimated(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(m_model, &QFileSystemModel::directoryLoaded, this, &FolderTree::OnDirectoryLoaded);
  // Queued, so that the view has laid the changed rows out first.
  for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
    connect(m_model, changed, this, &FolderTree::KeepHomeAtTop, Qt::QueuedConnection);
  }
  connect(m_model, &QAbstractItemModel::layoutChanged, this, &FolderTree::KeepHomeAtTop, Qt::QueuedConnection);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &FolderTree::LetHomeGo);
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
void FolderTree::KeepHomeAtTop() {
  if (m_shownHome.isValid() && !currentIndex().isValid()) {
    scrollTo(m_shownHome, QAbstractItemView::PositionAtTop);
  }
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
