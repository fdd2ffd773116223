#pragma once
// What the main window's UseStamp does to the canvas, for tests and benchmarks that
// float a stamp without a main window.

#include <QString>

#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"

namespace TestSupport {

inline void FloatStamp(Imageqzviewer& canvas, const QString& stampFile, bool defSize) {
  canvas.CreateStampImg(stampFile, true, defSize);
  canvas.ArmTool(ToolModes::Mode::FloatingStamp);
  canvas.Relayout();
}

}  // namespace TestSupport
