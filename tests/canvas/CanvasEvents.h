#pragma once
// What a canvas tells the window it sits in, recorded in the order it was told.

#include <utility>
#include <vector>

#include <QObject>

#include "canvas/Imageqzviewer.h"

namespace CanvasTesting {

struct CanvasEvents {
  void Connect(Imageqzviewer& canvas) {
    QObject::connect(&canvas, &Imageqzviewer::UndoStateChanged,
                     [this](bool canUndo, bool canRedo) { undoStates.emplace_back(canUndo, canRedo); });
    QObject::connect(&canvas, &Imageqzviewer::FitLeft, [this] { ++fitsLeft; });
    QObject::connect(&canvas, &Imageqzviewer::ToolFinished, [this] { ++toolsFinished; });
    QObject::connect(&canvas, &Imageqzviewer::LayerCommitted, [this] { ++layersCommitted; });
    QObject::connect(&canvas, &Imageqzviewer::StampHandedOver, [this] { ++stampsHandedOver; });
    QObject::connect(&canvas, &Imageqzviewer::ShortcutKeyPressed,
                     [this](int keyCode, int shift) { shortcutKeys.emplace_back(keyCode, shift); });
  }

  // Each report of whether an undo and a redo step can be taken.
  std::vector<std::pair<bool, bool>> undoStates;
  int fitsLeft = 0;
  int toolsFinished = 0;
  int layersCommitted = 0;
  int stampsHandedOver = 0;
  std::vector<std::pair<int, int>> shortcutKeys;
};

}  // namespace CanvasTesting
