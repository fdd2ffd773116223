#pragma once
// Where the picture stands in its undo history and which way a step can go. The snapshots
// themselves are UndoSnapshots'; this is what the canvas and its menus read.

#include <functional>

struct UndoPlace {
  int index = 0;
  bool canUndo = false;
  bool canRedo = false;

  // An edit moves to the next position, or replaces the newest once the history is full.
  void Commit();
  // Works out both directions from which positions hold a snapshot.
  void Refresh(const std::function<bool(int)>& held);
};
