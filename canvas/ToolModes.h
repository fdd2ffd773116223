#pragma once
// The canvas's tool modes, 0 to 53, in one table: the command key that arms each, how
// the pointer works in it, the command bar it shows and how Apply commits it. The mouse
// handlers, the painting, the hit test and the commit all read their facts from here.

#include <array>
#include <string_view>

namespace ToolModes {

inline constexpr int kModeCount = 54;

// What a press, a drag and a release do (one unit under canvas/tools/ per group).
enum class PointerGroup {
  Pan,             // viewing: a drag moves the picture
  DragRect,        // press point to current point is the tool's rectangle
  GradientRect,    // a drag rectangle with a gradient centre (filled shapes)
  Marquee,         // a selection rectangle or ellipse
  RotatePreview,   // the knob turns the picture live
  ColourPreview,   // the knob adjusts the picture's colours live
  Layer,           // a floating text or calendar layer follows the drag
  Resize,          // the knob zooms, the picture pans
  Shape,           // line, rectangle outline, ellipse between two points
  Point,           // the effect follows the pointer
  Stamp,           // the floating stamp and its brushes
  Polygon,         // points set by clicks, closed by the right button
  StampPoint,      // the stamp point follows the drag
  None,            // commit only
};

// How the hit test treats the pointer: selection handles, command bar only, or the view.
enum class HitGroup { View, Selection, Effect };

// The command bar drawn while the tool is armed.
enum class Bar {
  None,
  Buttons,        // Apply and Cancel
  Slider,         // the knob's track, Apply and Cancel
  SliderOptions,  // and the options button
  SliderStamp,    // and options, stamp Undo and Redo
};

// What Apply draws into the committed picture.
enum class Commit {
  NoBranch,         // nothing: only the common end runs
  Region,           // the region tools: crop, fills, stamp burn-in
  Card,             // the card frame through the export painting
  Colorize,         // the picked-colour tint through the export painting
  RedEye,           // red eye removed inside the drag rectangle
  Rotate,           // the straighten or rotate angle
  QuarterTurn,      // 90 degrees either way
  Flip,             // mirrored across or down
  ColourAdjust,     // grey, gamma, contrast
  Resize,           // stretched to the zoomed size
  Weather,          // weather and light effects
  Filter,           // the whole-picture filters
  Layer,            // text or calendar layer burned in
  Shape,            // the drawn line or outline burned in
  DeleteSelection,  // the selected region cleared
};

struct ToolMode {
  std::string_view key;  // the command key that arms the mode; empty when none does
  PointerGroup group;
  HitGroup hit;
  Bar bar;
  Commit commit;
  bool picker;          // the colour-pick swatch is shown
  bool dropsSelection;  // laying the picture out again drops the selection
  bool fitOffOnCommit;  // Apply leaves fit mode off
};

// The row of a mode; modes outside 0..53 read as viewing without a tool.
const ToolMode& Row(int mode);
const std::array<ToolMode, kModeCount>& Table();

inline bool HasBar(int mode) { return Row(mode).bar != Bar::None; }
inline bool HasSlider(int mode) { return Row(mode).bar >= Bar::Slider; }
inline bool HasOptions(int mode) { return Row(mode).bar >= Bar::SliderOptions; }
inline bool HasStampUndo(int mode) { return Row(mode).bar == Bar::SliderStamp; }

// A stamp or a pasted region floats on the canvas.
inline constexpr int kFloatingStamp = 38;

// The mode a command key arms, or -1 when no mode has that key.
int ModeForKey(std::string_view key);

}  // namespace ToolModes
