#pragma once
// Asked before the application object is made: Qt aborts on a display it cannot reach.

// Whether the X server that DISPLAY names answers. A DISPLAY left over from a closed
// session names none.
bool DisplayAnswers();
