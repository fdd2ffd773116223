#pragma once
// The folder tree host: places the folder tree in the main window's folder pane, turns
// every change of its selection into a folder change of the browser (the folder caption,
// the folder history, the thumbnail sheet) and runs the program's event loop.

#include <QString>

class FolderTree;

namespace ModFolderView {

// Set once the tree is placed in the pane and after every selection change; the main
// window's pane layout waits for it.
inline bool FolderTreeReady = false;

// Places the tree in the main window's folder pane, asks it for CurrentDirectory, and
// runs the application's event loop until CloseFolderView. Returns the loop's result.
int ShowFolderView();
// Makes CurrentDirectory the path and selects that folder in the tree, which then runs
// the same steps as a click. A path that names no folder changes nothing shown.
void SelectFolderPath(const QString& path);
// Makes the tree fill the folder pane.
void ResizeFolderView();
// Removes the tree and ends the event loop ShowFolderView runs; nothing before that.
void CloseFolderView();
// The steps of a folder change for CurrentDirectory: the caption, the history when the
// caption is not blank, the caption strip, the drawn menu hidden, the sheet refilled.
void FolderChanged();
// The hosted tree, or null before ShowFolderView places it and after CloseFolderView.
FolderTree* Tree();

}  // namespace ModFolderView
