#include "canvas/UndoPlace.h"

#include "canvas/UndoSnapshots.h"

void UndoPlace::Commit() { index = UndoSnapshots::CommitPosition(index); }

void UndoPlace::Refresh(const std::function<bool(int)>& held) {
  canUndo = index != 0 && held(index - 1);
  canRedo = held(index + 1);
}
