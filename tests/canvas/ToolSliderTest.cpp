#include "canvas/ToolSlider.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLeft = 250;
constexpr int kKnob = 15;

ToolSlider Slider(int min, int max, float value) {
  ToolSlider slider;
  slider.min = min;
  slider.max = max;
  slider.value = value;
  return slider;
}

}  // namespace

TEST(ToolSlider, TheValueRoundsHalfToEvenBelowZeroToo) {
  const std::pair<float, int> rows[] = {{2.5f, 2}, {3.5f, 4}, {-2.5f, -2}, {-2.6f, -3}, {0.49f, 0}, {99.5f, 100}};
  for (const auto& [value, rounded] : rows) {
    EXPECT_EQ(Slider(-45, 100, value).Value(), rounded) << value;
  }
  EXPECT_EQ(Slider(-45, 45, 0).Range(), 90);
  EXPECT_FLOAT_EQ(Slider(0, 255, 55.5f).BelowMax(), 199.5f);
}

TEST(ToolSlider, ADraggedKnobSpansTheRangeAndStopsAtItsEnds) {
  ToolSlider slider = Slider(10, 255, 100);
  slider.FollowPointer(kLeft + 10, kLeft, kKnob);
  EXPECT_FLOAT_EQ(slider.value, 10);
  slider.FollowPointer(kLeft + 10 + 185, kLeft, kKnob);
  EXPECT_FLOAT_EQ(slider.value, 255);
  slider.FollowPointer(kLeft + 10 + 92.5f, kLeft, kKnob);
  EXPECT_FLOAT_EQ(slider.value, 132.5f);
  slider.FollowPointer(-1000, kLeft, kKnob);
  EXPECT_FLOAT_EQ(slider.value, 10);
  slider.FollowPointer(5000, kLeft, kKnob);
  EXPECT_FLOAT_EQ(slider.value, 255);
  // A tool with one value has nowhere to slide.
  ToolSlider single = Slider(7, 7, 7);
  single.FollowPointer(kLeft + 100, kLeft, kKnob);
  EXPECT_FLOAT_EQ(single.value, 7);
  EXPECT_FLOAT_EQ(single.PlaceKnob(kLeft, kKnob, false), kLeft + 4);
}

TEST(ToolSlider, TheKnobStaysUnderThePointerThatDragsIt) {
  // Within the knob's travel; past its right end the value snaps to the maximum.
  for (const float value : {-45.0f, -12.25f, 0.0f, 30.0f, 36.5f}) {
    ToolSlider slider = Slider(-45, 45, value);
    const float knobX = slider.PlaceKnob(kLeft, kKnob, true);
    EXPECT_FLOAT_EQ(slider.value, value);
    slider.FollowPointer(knobX + 4, kLeft, kKnob);
    EXPECT_NEAR(slider.value, value, 1e-4) << value;
  }
}

TEST(ToolSlider, AValuePastAnEndSnapsToIt) {
  ToolSlider below = Slider(1, 12, -3);
  EXPECT_FLOAT_EQ(below.PlaceKnob(kLeft, kKnob, false), kLeft + 4);
  EXPECT_FLOAT_EQ(below.value, 1);
  // Kept where it is left of the track, but the value still snaps.
  below.value = -3;
  EXPECT_LT(below.PlaceKnob(kLeft, kKnob, true), kLeft + 4);
  EXPECT_FLOAT_EQ(below.value, 1);
  ToolSlider above = Slider(1, 12, 40);
  EXPECT_FLOAT_EQ(above.PlaceKnob(kLeft, kKnob, true), kLeft + 174);
  EXPECT_FLOAT_EQ(above.value, 12);
}

TEST(ToolSlider, ARangeStartsAtItsNumberThisMonthOrWhereTheValueWas) {
  using Start = ToolModes::Range::Start;
  EXPECT_EQ(ToolSlider::StartValue({.max = 100, .min = 0, .start = Start::Given, .value = 55}, 3), 55);
  EXPECT_EQ(ToolSlider::StartValue({.max = 12, .min = 1, .start = Start::Month, .value = 0}, 3), 3);
  EXPECT_EQ(ToolSlider::StartValue({.max = 12, .min = 1, .start = Start::Kept, .value = 5}, 3), std::nullopt);
}
