#include "platform/forms/Input.h"

#include <array>

namespace Forms {

namespace {

struct KeyCode {
  int qtKey;
  int virtualKey;
};

// Keys whose codes do not follow from a range. Shifted punctuation and digits (as a US
// layout produces them) carry the code of their unshifted key, as the Shift bits say
// the rest.
constexpr std::array<KeyCode, 57> kNamedKeys{{
    {Qt::Key_Backspace, vbKeyBack},   {Qt::Key_Tab, vbKeyTab},           {Qt::Key_Backtab, vbKeyTab},
    {Qt::Key_Return, vbKeyReturn},    {Qt::Key_Enter, vbKeyReturn},      {Qt::Key_Shift, vbKeyShift},
    {Qt::Key_Control, vbKeyControl},  {Qt::Key_Alt, vbKeyMenu},          {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},           {Qt::Key_Escape, vbKeyEscape},     {Qt::Key_Space, vbKeySpace},
    {Qt::Key_PageUp, vbKeyPageUp},    {Qt::Key_PageDown, vbKeyPageDown}, {Qt::Key_End, vbKeyEnd},
    {Qt::Key_Home, vbKeyHome},        {Qt::Key_Left, vbKeyLeft},         {Qt::Key_Up, vbKeyUp},
    {Qt::Key_Right, vbKeyRight},      {Qt::Key_Down, vbKeyDown},         {Qt::Key_Print, 44},
    {Qt::Key_Insert, vbKeyInsert},    {Qt::Key_Delete, vbKeyDelete},     {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},        {Qt::Key_Semicolon, 186},          {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},             {Qt::Key_Plus, 187},               {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},              {Qt::Key_Minus, 189},              {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},            {Qt::Key_Greater, 190},            {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},          {Qt::Key_QuoteLeft, 192},          {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},       {Qt::Key_BraceLeft, 219},          {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},               {Qt::Key_BracketRight, 221},       {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},        {Qt::Key_QuoteDbl, 222},           {Qt::Key_ParenRight, vbKey0},
    {Qt::Key_Exclam, vbKey0 + 1},     {Qt::Key_At, vbKey0 + 2},          {Qt::Key_NumberSign, vbKey0 + 3},
    {Qt::Key_Dollar, vbKey0 + 4},     {Qt::Key_Percent, vbKey0 + 5},     {Qt::Key_AsciiCircum, vbKey0 + 6},
    {Qt::Key_Ampersand, vbKey0 + 7},  {Qt::Key_Asterisk, vbKey0 + 8},    {Qt::Key_ParenLeft, vbKey0 + 9},
}};

// Keypad keys other than the digits: the codes of the numeric pad's operators.
constexpr std::array<KeyCode, 5> kKeypadKeys{{
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109}, {Qt::Key_Period, 110}, {Qt::Key_Slash, 111},
}};

int Lookup(const auto& table, int qtKey) {
  for (const auto& entry : table) {
    if (entry.qtKey == qtKey) {
      return entry.virtualKey;
    }
  }
  return 0;
}

}  // namespace

int ButtonFromQt(Qt::MouseButtons buttons) {
  return (buttons.testFlag(Qt::LeftButton) ? vbLeftButton : 0) | (buttons.testFlag(Qt::RightButton) ? vbRightButton : 0) |
         (buttons.testFlag(Qt::MiddleButton) ? vbMiddleButton : 0);
}

int ShiftFromQt(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? vbShiftMask : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? vbCtrlMask : 0) | (modifiers.testFlag(Qt::AltModifier) ? vbAltMask : 0);
}

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    return (keypad ? vbKeyNumpad0 : vbKey0) + (qtKey - Qt::Key_0);
  }
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
    return vbKeyA + (qtKey - Qt::Key_A);
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
    return vbKeyF1 + (qtKey - Qt::Key_F1);
  }
  if (keypad) {
    if (const int code = Lookup(kKeypadKeys, qtKey)) {
      return code;
    }
  }
  return Lookup(kNamedKeys, qtKey);
}

}  // namespace Forms
