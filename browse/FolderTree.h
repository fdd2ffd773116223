#pragma once
// The folder tree of the main window's folder pane: the file system's folders, listed
// as they are expanded, the file-system root at the top and the user's home opened
// below it until a folder is chosen. Rows coming and going above the row under the
// pointer, or the selected one, leave that row in place. It reports every change of the
// selected folder.

#include <QPersistentModelIndex>
#include <QString>
#include <QTreeView>

class QFileSystemModel;

class FolderTree : public QTreeView {
  Q_OBJECT

 public:
  explicit FolderTree(QWidget* parent = nullptr);

  // Selects an existing folder, as soon as the listings on the way to it have been read,
  // and brings it into view. A path that is not an existing absolute folder changes
  // nothing and gives false.
  bool SelectPath(const QString& path);
  // The selected folder's path, or empty when no folder is selected.
  QString CurrentPath() const;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 signals:
  // The selected folder changed; the path is empty when nothing is selected.
  void SelectionChanged(const QString& path);

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnDirectoryLoaded();
  void TrySelectPending();
  void TryRevealHome();
  // Puts home back at the top while it is kept there; false when it is not.
  bool KeepHomeAtTop();
  void LetHomeGo();
  void NoteAnchor();
  void HoldStill();
  // The index of a folder once the model lists it; until then the deepest listed folder
  // above it is asked for its listing, and the index is invalid.
  QModelIndex Reach(const QString& path);

  QFileSystemModel* m_model;
  // The folder SelectPath waits for, or empty.
  QString m_pending;
  // The home folder while it waits to be opened, or empty.
  QString m_home;
  // Home once it has been opened and scrolled to.
  QPersistentModelIndex m_shownHome;
  // The row held in place while the listings change, and its top in the viewport before.
  QPersistentModelIndex m_anchor;
  int m_anchorTop = 0;
};
