#pragma once
// The folder tree host: places the folder tree in the main window's folder pane, turns
// every change of its selection into a folder change of the browser (the folder caption,
// the folder history, the thumbnail sheet).

#include <QString>

class FolderTree;
class MainWindowServices;

namespace ModFolderView {

// Set once the tree is placed in the pane and after every selection change; the main
// window's pane layout waits for it.
inline bool FolderTreeReady = false;

// Places the tree in the host's folder pane and asks it for CurrentDirectory; every folder
// change then goes to the host until CloseFolderView. The tree works inside the
// application's one event loop, which start-up runs.
void ShowFolderView(MainWindowServices& host);
// Makes CurrentDirectory the path and selects that folder in the tree, which then runs
// the same steps as a click. A path that names no folder changes nothing shown.
void SelectFolderPath(const QString& path);
// Makes the tree fill the folder pane.
void ResizeFolderView();
// Removes the tree from the folder pane and lets the host go; nothing before ShowFolderView.
void CloseFolderView();
// The steps of a folder change for CurrentDirectory: the caption, the history when the
// caption is not blank, the caption strip, the drawn menu hidden, the sheet refilled.
// Nothing without a host.
void FolderChanged();
// The hosted tree, or null before ShowFolderView places it and after CloseFolderView.
FolderTree* Tree();

}  // namespace ModFolderView
