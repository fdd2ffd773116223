#include "canvas/ToolModes.h"

#include "foundation/CommandKeys.h"

namespace ToolModes {

namespace {

namespace K = CommandKeys;
using G = PointerGroup;
using H = HitGroup;
using B = Bar;
using C = Commit;
using M = MenuGroup;
using Start = Range::Start;

constexpr ToolMode kNoTool{{}, G::Pan, H::View, B::None, C::NoBranch, false, false, false};

// The families, each with the columns its members share.
// A weather effect without a range is committed at once, so it is never armed with a fit.
constexpr ToolMode Weather(std::string_view key, std::optional<Range> range) {
  return {.key = key, .group = G::Point, .hit = H::Effect, .bar = B::Slider, .commit = C::Weather, .picker = false,
          .dropsSelection = false, .fitOffOnCommit = false, .menu = M::Effect, .atOnce = !range, .range = range,
          .fit = range.has_value()};
}
constexpr ToolMode Filter(std::string_view key, int stampFilter, Commit commit = C::Filter, bool fitOff = false) {
  return {.key = key, .group = G::Pan, .hit = H::View, .bar = B::None, .commit = commit, .picker = false,
          .dropsSelection = false, .fitOffOnCommit = fitOff, .menu = M::Filter, .atOnce = true,
          .stampFilter = stampFilter};
}
constexpr ToolMode Shape(std::string_view key, PointerGroup group, Commit commit, bool dropsSelection,
                         bool fitOff) {
  return {.key = key, .group = group, .hit = H::Selection, .bar = B::SliderOptions, .commit = commit, .picker = true,
          .dropsSelection = dropsSelection, .fitOffOnCommit = fitOff, .menu = M::Shape,
          .range = Range{255, 0, Start::Kept}, .fit = true};
}
constexpr ToolMode Selection(std::string_view key, PointerGroup group) {
  return {.key = key, .group = group, .hit = H::Selection, .bar = B::Buttons, .commit = C::NoBranch, .picker = false,
          .dropsSelection = false, .fitOffOnCommit = false, .menu = M::Selection, .fit = true, .dropsOnArm = true,
          .editsSelection = true};
}
// An adjustment the side panel arms: fitted, with its slider's range.
constexpr ToolMode Panel(std::string_view key, int panel, PointerGroup group, HitGroup hit, Commit commit,
                         std::optional<Range> range) {
  return {.key = key, .group = group, .hit = hit, .bar = B::Slider, .commit = commit, .picker = false,
          .dropsSelection = false, .fitOffOnCommit = true, .menu = M::Panel, .range = range, .fit = true,
          .panel = panel};
}

constexpr ToolMode WithPicker(ToolMode row, bool dropsSelection) {
  row.picker = true;
  row.dropsSelection = dropsSelection;
  return row;
}
constexpr ToolMode DroppingOnArm(ToolMode row) {
  row.dropsOnArm = true;
  row.dropsSelection = true;
  return row;
}
constexpr ToolMode WithStrip(ToolMode row, Strip strip) {
  row.strip = strip;
  row.rasterizes = true;
  return row;
}

constexpr std::array<ToolMode, kModeCount> kTable{{
    /* 0 */ {.key = K::Filter_Browse, .group = G::Pan, .hit = H::View, .bar = B::None, .commit = C::NoBranch,
             .picker = false, .dropsSelection = false, .fitOffOnCommit = false, .menu = M::Panel, .panel = 0},
    /* 1 */ {.key = K::Filter_Crop, .group = G::DragRect, .hit = H::Selection, .bar = B::Buttons, .commit = C::Region,
             .picker = false, .dropsSelection = true, .fitOffOnCommit = true, .menu = M::Panel, .fit = true,
             .dropsOnArm = true, .panel = 1},
    /* 2 */ Panel(K::Filter_Straight, 2, G::RotatePreview, H::Effect, C::Rotate, Range{10, -10, Start::Given, 0}),
    /* 3 */ {{}, G::RotatePreview, H::Effect, B::Slider, C::Rotate, false, false, true},
    /* 4 */ WithStrip(Panel(K::Filter_Text, 4, G::Layer, H::Layer, C::Layer, Range{255, 10, Start::Given, 10}),
                      Strip::Text),
    /* 5 */ [] {
      ToolMode row = DroppingOnArm(Panel(K::Effect_Card, 5, G::DragRect, H::Selection, C::Card,
                                         Range{255, 50, Start::Given, 50}));
      row.picker = true;
      row.editsSelection = true;
      return row;
    }(),
    /* 6 */ WithPicker(Panel(K::Effect_Color, 6, G::DragRect, H::Selection, C::Colorize,
                             Range{100, 20, Start::Given, 20}), false),
    /* 7 */ Panel(K::Effect_Gamma, 7, G::ColourPreview, H::Effect, C::ColourAdjust, Range{3, 0, Start::Given, 1}),
    /* 8 */ [] {
      ToolMode row = Filter(K::Effect_Grey, 0, C::ColourAdjust, true);
      row.menu = M::Panel;
      row.panel = 8;
      return row;
    }(),
    /* 9 */ DroppingOnArm(Panel(K::Filter_Redeye, 9, G::DragRect, H::Selection, C::RedEye,
                                Range{300, 50, Start::Given, 100})),
    /* 10 */ WithStrip(Panel(K::Filter_Cal, 10, G::Layer, H::Layer, C::Layer, Range{12, 1, Start::Month}),
                       Strip::Calendar),
    /* 11 */ Panel(K::Effect_Contrast, 11, G::ColourPreview, H::Effect, C::ColourAdjust, Range{5, 0, Start::Given, 0}),
    /* 12 */ Filter(K::Effect_Blur, 1),
    /* 13 */ Filter(K::Effect_Sharpe, 2),
    /* 14 */ Filter(K::Effect_Soften, 3),
    // The antialias always works on the picture, a floating stamp or not.
    /* 15 */ Filter(K::Effect_Antialias, 0),
    /* 16 */ Filter(K::Effect_Ripple, 5),
    /* 17 */ Selection(K::Filter_Select, G::Marquee),
    /* 18 */ {{}, G::DragRect, H::Selection, B::Slider, C::Region, false, false, true},
    /* 19 */ [] {
      ToolMode row = Shape(K::Filter_Circular, G::GradientRect, C::Region, false, true);
      row.rasterizes = true;
      return row;
    }(),
    /* 20 */ [] {
      ToolMode row = Shape(K::Filter_Rectangle, G::GradientRect, C::Region, false, true);
      row.rasterizes = true;
      return row;
    }(),
    /* 21 */ {.key = K::Edit_Resize, .group = G::Resize, .hit = H::Selection, .bar = B::Slider, .commit = C::Resize,
              .picker = false, .dropsSelection = false, .fitOffOnCommit = false, .menu = M::Resize,
              .range = Range{110, 5, Start::Given, 52}, .fit = false},
    /* 22 */ kNoTool,
    // A floating stamp flips itself: 7 mirrors it across, 6 upside down.
    /* 23 */ Filter(K::Edit_Hflip, 7, C::Flip),
    /* 24 */ Filter(K::Edit_Vflip, 6, C::Flip),
    /* 25 */ Shape(K::Filter_Line, G::Shape, C::Shape, true, false),
    /* 26 */ Shape(K::Filter_Rectblank, G::Shape, C::Shape, true, false),
    /* 27 */ Shape(K::Filter_Ellipse, G::Shape, C::Shape, true, false),
    /* 28 */ Weather(K::Effect_Bubble, Range{300, 50, Start::Given, 50}),
    /* 29 */ Weather(K::Effect_Firefly, Range{300, 50, Start::Given, 50}),
    /* 30 */ Weather(K::Effect_Rain, Range{300, 50, Start::Given, 50}),
    /* 31 */ Weather(K::Effect_Snow, Range{300, 50, Start::Given, 50}),
    /* 32 */ Weather(K::Effect_Flower, Range{200, 10, Start::Given, 10}),
    /* 33 */ Weather(K::Effect_Cloud, std::nullopt),
    /* 34 */ Weather(K::Effect_Moon, std::nullopt),
    /* 35 */ Weather(K::Effect_Mist, std::nullopt),
    /* 36 */ Weather(K::Effect_Lensflare, std::nullopt),
    /* 37 */ [] {
      ToolMode row = Weather(K::Filter_Irradiation, Range{255, 10, Start::Given, 10});
      row.picker = true;
      row.panel = 3;
      return row;
    }(),
    // Taking a stamp arms it; its menu row only lays the canvas out again.
    /* 38 */ {.key = K::Filter_Patten, .group = G::Stamp, .hit = H::Selection, .bar = B::SliderStamp,
              .commit = C::Region, .picker = true, .dropsSelection = false, .fitOffOnCommit = true,
              .menu = M::Stamp, .range = Range{100, 0, Start::Given, 0}, .fit = true, .panel = 38},
    /* 39 */ Filter(K::Edit_Clockwise, 0, C::QuarterTurn, true),
    /* 40 */ Filter(K::Edit_Crcolockwise, 0, C::QuarterTurn, true),
    /* 41 */ [] {
      ToolMode row = Selection(K::Filter_FreeSelect, G::Polygon);
      // The wording the lasso has always shown.
      row.hint = "Before click Apply button, please click's right button merge the select area.";
      return row;
    }(),
    /* 42 */ Selection(K::Filter_EllipSelect, G::Marquee),
    /* 43 */ kNoTool,
    /* 44 */ kNoTool,
    // The contour filter commits nothing: it only marks the picture changed.
    /* 45 */ Filter(K::Effect_Contour, 4, C::NoBranch),
    /* 46 */ kNoTool,
    /* 47 */ {{}, G::StampPoint, H::View, B::None, C::NoBranch, false, false, false},
    /* 48 */ kNoTool,
    /* 49 */ kNoTool,
    /* 50 */ kNoTool,
    /* 51 */ kNoTool,
    /* 52 */ kNoTool,
    /* 53 */ {{}, G::None, H::View, B::None, C::DeleteSelection, false, true, false},
}};

}  // namespace

const std::array<ToolMode, kModeCount>& Table() { return kTable; }

const ToolMode& Row(Mode mode) {
  const int index = int(mode);
  if (index < 0 || index >= kModeCount) {
    return kNoTool;
  }
  return kTable[std::size_t(index)];
}

std::optional<Mode> ModeForKey(std::string_view key) {
  if (key.empty()) {
    return std::nullopt;
  }
  for (int mode = 0; mode < kModeCount; ++mode) {
    if (kTable[std::size_t(mode)].key == key) {
      return Mode(mode);
    }
  }
  return std::nullopt;
}

std::optional<Mode> ModeForPanel(int panel) {
  if (panel < 0) {
    return std::nullopt;
  }
  for (int mode = 0; mode < kModeCount; ++mode) {
    if (kTable[std::size_t(mode)].panel == panel) {
      return Mode(mode);
    }
  }
  return std::nullopt;
}

bool DrawsWithOneColour(Mode mode, std::string_view fillStyle) {
  const bool blends = fillStyle == K::Vector_Linear || fillStyle == K::Vector_Radial;
  return !(Row(mode).group == PointerGroup::GradientRect && blends);
}

}  // namespace ToolModes
