#include "canvas/ToolSlider.h"

#include "foundation/Numbers.h"

int ToolSlider::Value() const { return Numbers::RoundToInt(value); }

std::optional<int> ToolSlider::StartValue(const ToolModes::Range& range, int thisMonth) {
  switch (range.start) {
    case ToolModes::Range::Start::Given:
      return range.value;
    case ToolModes::Range::Start::Month:
      return thisMonth;
    case ToolModes::Range::Start::Kept:
      break;
  }
  return std::nullopt;
}

void ToolSlider::FollowPointer(float pointerX, int L, int knobWidth) {
  value = CanvasLayout::ValueFromPointer(pointerX, L, min, max, knobWidth);
}

float ToolSlider::PlaceKnob(int L, int knobWidth, bool keepKnob) {
  const CanvasLayout::Knob knob = CanvasLayout::KnobForValue(value, L, min, max, knobWidth, keepKnob);
  value = knob.Value;
  return knob.X;
}
