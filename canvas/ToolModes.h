#pragma once
// The canvas's tool modes, 0 to 53, in one table: the command key that arms each, how
// the pointer works in it, the command bar it shows, how Apply commits it, and how it is
// armed (slider range, fit, side panel number, text strip, menu group), and the line its
// hint banner shows. The mouse handlers, the painting, the hit test, the commit and the
// main window's tool commands all read their facts from here.

#include <array>
#include <optional>
#include <string_view>

namespace ToolModes {

inline constexpr int kModeCount = 54;

// Every mode by name. The numbers are the stored values (settings, the side panel, the
// effect codes of the weather routines) and never change.
enum class Mode : int {
  Browse = 0,
  Crop = 1,
  Straighten = 2,
  Rotate = 3,
  Text = 4,
  Card = 5,
  Colorize = 6,
  Gamma = 7,
  Grey = 8,
  RedEye = 9,
  Calendar = 10,
  Contrast = 11,
  Blur = 12,
  Sharpen = 13,
  Soften = 14,
  Antialias = 15,
  Ripple = 16,
  Select = 17,
  CropAlike = 18,  // no command sets it; the mouse and the commit treat it as crop
  CircularFill = 19,
  RectangleFill = 20,
  Resize = 21,
  NoTool22 = 22,
  FlipHorizontal = 23,
  FlipVertical = 24,
  Line = 25,
  RectangleOutline = 26,
  EllipseOutline = 27,
  Bubble = 28,
  Firefly = 29,
  Rain = 30,
  Snow = 31,
  Flower = 32,
  Cloud = 33,
  Moon = 34,
  Mist = 35,
  LensFlare = 36,
  Irradiation = 37,
  FloatingStamp = 38,
  TurnClockwise = 39,
  TurnAnticlockwise = 40,
  FreeSelect = 41,
  EllipseSelect = 42,
  NoTool43 = 43,
  NoTool44 = 44,
  Contour = 45,  // committed at once, drawing nothing
  NoTool46 = 46,
  StampPoint = 47,
  NoTool48 = 48,
  NoTool49 = 49,
  NoTool50 = 50,
  NoTool51 = 51,
  NoTool52 = 52,
  DeleteSelection = 53,
};

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

// How the hit test treats the pointer: the view alone, selection handles and the whole
// command bar, the command bar only, or the view with a floating layer and its bar.
enum class HitGroup { View, Selection, Effect, Layer };

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

// The slider's range as the tool is armed. The value starts at a number, stays where it
// was, or is this month (the calendar's month, 1 to 12).
struct Range {
  enum class Start { Given, Kept, Month };
  int max = 0;
  int min = 0;
  Start start = Start::Given;
  int value = 0;
};

// The strip shown above the canvas while the tool is armed.
enum class Strip { None, Text, Calendar };

// How the menu reaches the mode (the command handler that arms or commits it).
enum class MenuGroup {
  None,       // no menu row: the canvas or another command sets it
  Panel,      // through the side panel's number and the tool set-up
  Selection,  // the marquees and the lasso
  Shape,      // fills and outlines
  Effect,     // weather and light: armed when the row has a range, else committed at once
  Filter,     // committed at once; a floating stamp takes its stamp filter instead
  Resize,     // armed without fit
  Stamp,      // the floating stamp: its menu row only lays the canvas out again
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
  MenuGroup menu = MenuGroup::None;
  bool atOnce = false;          // its command commits it at once instead of arming it
  std::optional<Range> range{};  // set as the tool is armed; none leaves the slider as it was
  bool fit = false;             // the fit mode the tool is armed with
  bool dropsOnArm = false;      // arming starts with no selection
  int panel = -1;               // the side panel's number for the tool, -1 for none
  Strip strip = Strip::None;
  int stampFilter = 0;          // what a floating stamp does instead (Stampeffect), 0 for none
  bool editsSelection = false;  // deselect, clear and inverse work on its selection
  bool rasterizes = false;      // its layer can become the floating stamp
  std::string_view hint{};      // the line the tool hint banner shows while it is armed
};

// The row of a mode; modes outside 0..53 read as viewing without a tool.
const ToolMode& Row(Mode mode);
inline const ToolMode& Row(int mode) { return Row(Mode(mode)); }
const std::array<ToolMode, kModeCount>& Table();

inline bool HasBar(Mode mode) { return Row(mode).bar != Bar::None; }
inline bool HasSlider(Mode mode) { return Row(mode).bar >= Bar::Slider; }
inline bool HasOptions(Mode mode) { return Row(mode).bar >= Bar::SliderOptions; }
inline bool HasStampUndo(Mode mode) { return Row(mode).bar == Bar::SliderStamp; }
// The text tool's bar sits at the top, under its strip, clear of the text it places.
inline bool BarAtTop(Mode mode) { return Row(mode).strip == Strip::Text; }
// The marquees and the lasso: Apply hands their selection over as the floating stamp.
inline bool IsSelectionTool(Mode mode) { return Row(mode).menu == MenuGroup::Selection; }
// A floating layer (text or calendar) follows the drag.
inline bool HasLayer(Mode mode) { return Row(mode).hit == HitGroup::Layer; }

// The mode a command key arms, or none when no mode has that key.
std::optional<Mode> ModeForKey(std::string_view key);
// The mode of a side panel number, or none.
std::optional<Mode> ModeForPanel(int panel);

// Whether the armed tool draws with one colour, given the fill style key ("Vector_Single",
// "Vector_Linear", "Vector_Radial"). Then the colour picker sets the colour it draws with
// (PickColor2); only while a filled shape blends two colours does a pick set the
// surround (PickColor1).
bool DrawsWithOneColour(Mode mode, std::string_view fillStyle);

}  // namespace ToolModes
