#pragma once
// The armed tool's one setting as the command bar's slider shows it: a value between a
// minimum and a maximum that the knob moves. The value is fractional while the knob is
// dragged; tools read it rounded, or as the opacity left below the maximum.

#include <optional>

#include "canvas/CanvasLayout.h"
#include "canvas/ToolModes.h"

struct ToolSlider {
  int max = 10;
  int min = 0;
  float value = 0;

  // The value rounded half to even.
  int Value() const;
  int Range() const { return max - min; }
  // How far the value lies below the maximum: the layers' and shapes' opacity.
  float BelowMax() const { return float(max) - value; }

  // Where a tool's range starts the value: at its number, this month (1 to 12), or
  // nowhere (the value stays as it was).
  static std::optional<int> StartValue(const ToolModes::Range& range, int thisMonth);
  // The value follows a knob dragged to pointerX on a bar whose left edge is L.
  void FollowPointer(float pointerX, int L, int knobWidth);
  // Places the knob for the value, which snaps to an end it ran past; the knob's left edge.
  float PlaceKnob(int L, int knobWidth, bool keepKnob);
};
