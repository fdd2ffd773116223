#include "browse/KeyForward.h"

#include <array>
#include <utility>

#include <QKeyEvent>

#include "foundation/MainWindowServices.h"
#include "foundation/ModPublic.h"

namespace KeyForward {

namespace {

// Keys whose Qt code differs from their virtual-key code. Letters and digits of the
// main keyboard share their codes and need no entry.
constexpr std::array<std::pair<int, int>, 26> kKeys{{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},    {Qt::Key_Return, 0x0D},  {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, 0x10},     {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},    {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B}, {Qt::Key_Space, 0x20},   {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},  {Qt::Key_End, 0x23},    {Qt::Key_Home, 0x24},    {Qt::Key_Left, 0x25},
    {Qt::Key_Up, 0x26},        {Qt::Key_Right, 0x27},  {Qt::Key_Down, 0x28},    {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},    {Qt::Key_Plus, 0xBB},   {Qt::Key_Equal, 0xBB},   {Qt::Key_Minus, 0xBD},
    {Qt::Key_Comma, 0xBC},     {Qt::Key_Period, 0xBE},
}};

// The number pad has codes of its own.
int KeypadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    return 0x60 + (qtKey - Qt::Key_0);
  }
  switch (qtKey) {
    case Qt::Key_Asterisk: return 0x6A;
    case Qt::Key_Plus: return 0x6B;
    case Qt::Key_Minus: return 0x6D;
    case Qt::Key_Period: return 0x6E;
    case Qt::Key_Slash: return 0x6F;
    default: return 0;
  }
}

}  // namespace

int VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (const int code = KeypadKey(qtKey)) {
      return code;
    }
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return qtKey;
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
    return 0x70 + (qtKey - Qt::Key_F1);
  }
  for (const auto& [qt, vk] : kKeys) {
    if (qt == qtKey) {
      return vk;
    }
  }
  return 0;
}

int ShiftBits(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

void ToMainWindow(const QKeyEvent& event) {
  MainWindowServices* main = ModPublic::MainForm;
  const int code = VirtualKey(event.key(), event.modifiers());
  if (main != nullptr && code != 0) {
    main->ProcessShortcutKey(code, ShiftBits(event.modifiers()));
  }
}

}  // namespace KeyForward
