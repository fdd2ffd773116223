#include "mainwindow/ShortcutTable.h"

#include <algorithm>
#include <array>

#include "platform/forms/Input.h"

namespace ShortcutTable {

namespace {

using A = ShortcutActions;
using M = Modifier;

constexpr int Letter(char c) { return Forms::vbKeyA + (c - 'A'); }

constexpr std::array kRows{
    Row{Forms::vbKeyTab, M::Any, &A::ToggleThumbnailPane},
    Row{Forms::vbKeyDelete, M::Any, &A::DeleteFiles},
    Row{Forms::vbKeyF1 + 4, M::Any, &A::StartSlideshow},
    Row{Forms::vbKeyF1, M::Any, &A::ShowHelp},
    Row{Letter('F'), M::Shift, &A::ToggleFit},
    Row{Letter('E'), M::Shift, &A::StepNext},
    Row{Letter('R'), M::Shift, &A::StepBack},
    Row{Letter('O'), M::Ctrl, &A::Open},
    Row{Letter('S'), M::Ctrl, &A::Save},
    Row{Letter('P'), M::Ctrl, &A::Print},
    Row{Letter('Z'), M::Ctrl, &A::Undo},
    Row{Letter('Y'), M::Ctrl, &A::Redo},
    Row{Letter('A'), M::Ctrl, &A::SelectAll},
    Row{Letter('D'), M::Ctrl, &A::Deselect},
    Row{Letter('C'), M::Ctrl, &A::Copy},
    Row{Letter('V'), M::Ctrl, &A::Paste},
};

bool Held(Modifier modifier, int shift) {
  switch (modifier) {
    case M::Any:
      return true;
    case M::Shift:
      return (shift & Forms::vbShiftMask) != 0;
    case M::Ctrl:
      return (shift & Forms::vbCtrlMask) != 0;
  }
  return false;
}

}  // namespace

std::span<const Row> Rows() { return kRows; }

const Row* Find(int KeyCode, int Shift) {
  const auto row = std::find_if(kRows.begin(), kRows.end(), [&](const Row& r) {
    return r.keyCode == KeyCode && Held(r.modifier, Shift);
  });
  return row == kRows.end() ? nullptr : &*row;
}

bool Process(ShortcutActions& actions, int KeyCode, int Shift) {
  const Row* row = Find(KeyCode, Shift);
  if (row == nullptr) {
    return false;
  }
  (actions.*(row->action))();
  return true;
}

}  // namespace ShortcutTable
