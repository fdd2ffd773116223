#pragma once
// The codes that mouse and key events carry to their handlers: Button bits, Shift bits
// and virtual-key codes, made from Qt's buttons, modifiers and keys.

#include <Qt>

namespace Forms {

// Button bits of mouse events.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;

// Shift bits of mouse and key events.
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

// Virtual-key codes the program's handlers test.
inline constexpr int vbKeyBack = 8;
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyShift = 16;
inline constexpr int vbKeyControl = 17;
inline constexpr int vbKeyMenu = 18;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeySpace = 32;
inline constexpr int vbKeyPageUp = 33;
inline constexpr int vbKeyPageDown = 34;
inline constexpr int vbKeyEnd = 35;
inline constexpr int vbKeyHome = 36;
inline constexpr int vbKeyLeft = 37;
inline constexpr int vbKeyUp = 38;
inline constexpr int vbKeyRight = 39;
inline constexpr int vbKeyDown = 40;
inline constexpr int vbKeyInsert = 45;
inline constexpr int vbKeyDelete = 46;
inline constexpr int vbKey0 = 48;  // to vbKey0 + 9
inline constexpr int vbKeyA = 65;  // to vbKeyA + 25
inline constexpr int vbKeyNumpad0 = 96;
inline constexpr int vbKeyF1 = 112;  // to vbKeyF1 + 23

// The Button bits of the buttons held (or of the one button that changed).
int ButtonFromQt(Qt::MouseButtons buttons);
// The Shift bits of the modifiers held.
int ShiftFromQt(Qt::KeyboardModifiers modifiers);
// The virtual-key code of a Qt key (keypad digits and operators through the keypad
// modifier); 0 for keys without one.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace Forms
