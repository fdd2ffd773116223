#include "canvas/ToolModes.h"

#include "foundation/CommandKeys.h"

namespace ToolModes {

namespace {

namespace K = CommandKeys;
using G = PointerGroup;
using H = HitGroup;
using B = Bar;
using C = Commit;

// Columns: key, pointer group, hit group, bar, commit, picker, drops selection, fit off on commit.
constexpr ToolMode kNoTool{{}, G::Pan, H::View, B::None, C::NoBranch, false, false, false};

constexpr ToolMode Weather(std::string_view key) {
  return {key, G::Point, H::Effect, B::Slider, C::Weather, false, false, false};
}
constexpr ToolMode Filter(std::string_view key) {
  return {key, G::Pan, H::View, B::None, C::Filter, false, false, false};
}
constexpr ToolMode Shape(std::string_view key) {
  return {key, G::Shape, H::Selection, B::SliderOptions, C::Shape, true, true, false};
}
constexpr ToolMode OneShot(std::string_view key, Commit commit, bool fitOff) {
  return {key, G::Pan, H::View, B::None, commit, false, false, fitOff};
}

constexpr std::array<ToolMode, kModeCount> kTable{{
    /* 0 */ {K::Filter_Browse, G::Pan, H::View, B::None, C::NoBranch, false, false, false},
    /* 1 */ {K::Filter_Crop, G::DragRect, H::Selection, B::Buttons, C::Region, false, true, true},
    /* 2 */ {K::Filter_Straight, G::RotatePreview, H::Effect, B::Slider, C::Rotate, false, false, true},
    /* 3 */ {{}, G::RotatePreview, H::Effect, B::Slider, C::Rotate, false, false, true},
    /* 4 */ {K::Filter_Text, G::Layer, H::View, B::Slider, C::Layer, false, false, true},
    /* 5 */ {K::Effect_Card, G::DragRect, H::Selection, B::Slider, C::Card, true, true, true},
    /* 6 */ {K::Effect_Color, G::DragRect, H::Selection, B::Slider, C::Colorize, true, false, true},
    /* 7 */ {K::Effect_Gamma, G::ColourPreview, H::Effect, B::Slider, C::ColourAdjust, false, false, true},
    /* 8 */ OneShot(K::Effect_Grey, C::ColourAdjust, true),
    /* 9 */ {K::Filter_Redeye, G::DragRect, H::Selection, B::Slider, C::RedEye, false, true, true},
    /* 10 */ {K::Filter_Cal, G::Layer, H::View, B::Slider, C::Layer, false, false, true},
    /* 11 */ {K::Effect_Contrast, G::ColourPreview, H::Effect, B::Slider, C::ColourAdjust, false, false, true},
    /* 12 */ Filter(K::Effect_Blur),
    /* 13 */ Filter(K::Effect_Sharpe),
    /* 14 */ Filter(K::Effect_Soften),
    /* 15 */ Filter(K::Effect_Antialias),
    /* 16 */ Filter(K::Effect_Ripple),
    /* 17 */ {K::Filter_Select, G::Marquee, H::Selection, B::Buttons, C::NoBranch, false, false, false},
    /* 18 */ {{}, G::DragRect, H::Selection, B::Slider, C::Region, false, false, true},
    /* 19 */ {K::Filter_Circular, G::GradientRect, H::Selection, B::SliderOptions, C::Region, true, false, true},
    /* 20 */ {K::Filter_Rectangle, G::GradientRect, H::Selection, B::SliderOptions, C::Region, true, false, true},
    /* 21 */ {K::Edit_Resize, G::Resize, H::Selection, B::Slider, C::Resize, false, false, false},
    /* 22 */ kNoTool,
    /* 23 */ OneShot(K::Edit_Hflip, C::Flip, false),
    /* 24 */ OneShot(K::Edit_Vflip, C::Flip, false),
    /* 25 */ Shape(K::Filter_Line),
    /* 26 */ Shape(K::Filter_Rectblank),
    /* 27 */ Shape(K::Filter_Ellipse),
    /* 28 */ Weather(K::Effect_Bubble),
    /* 29 */ Weather(K::Effect_Firefly),
    /* 30 */ Weather(K::Effect_Rain),
    /* 31 */ Weather(K::Effect_Snow),
    /* 32 */ Weather(K::Effect_Flower),
    /* 33 */ Weather(K::Effect_Cloud),
    /* 34 */ Weather(K::Effect_Moon),
    /* 35 */ Weather(K::Effect_Mist),
    /* 36 */ Weather(K::Effect_Lensflare),
    /* 37 */ {K::Filter_Irradiation, G::Point, H::Effect, B::Slider, C::Weather, true, false, false},
    /* 38 */ {{}, G::Stamp, H::Selection, B::SliderStamp, C::Region, true, false, true},
    /* 39 */ OneShot(K::Edit_Clockwise, C::QuarterTurn, true),
    /* 40 */ OneShot(K::Edit_Crcolockwise, C::QuarterTurn, true),
    /* 41 */ {K::Filter_FreeSelect, G::Polygon, H::Selection, B::Buttons, C::NoBranch, false, false, false},
    /* 42 */ {K::Filter_EllipSelect, G::Marquee, H::Selection, B::Buttons, C::NoBranch, false, false, false},
    // 45 is what the contour command commits with: no key arms it and it has no branch.
    /* 43 */ kNoTool,
    /* 44 */ kNoTool,
    /* 45 */ kNoTool,
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

const ToolMode& Row(int mode) {
  if (mode < 0 || mode >= kModeCount) {
    return kNoTool;
  }
  return kTable[std::size_t(mode)];
}

int ModeForKey(std::string_view key) {
  if (key.empty()) {
    return -1;
  }
  for (int mode = 0; mode < kModeCount; ++mode) {
    if (kTable[std::size_t(mode)].key == key) {
      return mode;
    }
  }
  return -1;
}

}  // namespace ToolModes
