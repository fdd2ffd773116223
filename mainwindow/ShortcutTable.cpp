#include "mainwindow/ShortcutTable.h"

#include <algorithm>
#include <array>

#include "foundation/CommandKeys.h"
#include "platform/forms/Input.h"

namespace ShortcutTable {

namespace {

namespace K = CommandKeys;
using M = Modifier;

constexpr int Letter(char c) { return Forms::vbKeyA + (c - 'A'); }

constexpr std::array kRows{
    Row{Forms::vbKeyTab, M::Any, K::View_Thumbpane},
    Row{Forms::vbKeyDelete, M::Any, K::Edit_Delete},
    Row{Forms::vbKeyF1 + 4, M::Any, K::View_Slideshow},
    Row{Forms::vbKeyF1, M::Any, K::Help_Index},
    Row{Letter('F'), M::Shift, K::View_Fitmode},
    Row{Letter('E'), M::Shift, K::View_Zoomin},
    Row{Letter('R'), M::Shift, K::View_Zoomout},
    Row{Letter('N'), M::Ctrl, K::File_New},
    Row{Letter('O'), M::Ctrl, K::File_Open},
    Row{Letter('S'), M::Ctrl, K::File_Save},
    Row{Letter('P'), M::Ctrl, K::File_Print},
    Row{Letter('Z'), M::Ctrl, K::Edit_Undo},
    Row{Letter('Y'), M::Ctrl, K::Edit_Redo},
    Row{Letter('A'), M::Ctrl, K::Edit_All},
    Row{Letter('D'), M::Ctrl, K::Edit_Deselect},
    Row{Letter('C'), M::Ctrl, K::Edit_Copy},
    Row{Letter('V'), M::Ctrl, K::Edit_Paste},
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

}  // namespace ShortcutTable
