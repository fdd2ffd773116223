// The Image Tool and Effect commands of the dispatcher: shapes, selections, brushes,
// adjustments, filters and the weather and light effects.
#include <array>
#include <optional>

#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SkinnedControlServices.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"
#include "platform/forms/MsgBox.h"

namespace MenuCommands::Handlers {

namespace {

namespace K = CommandKeys;

struct Filtering {
  std::string_view key;
  int number;
  // What a floating stamp does instead; none applies the filter to the picture.
  std::optional<int> stampEffect;
};

constexpr std::array<Filtering, 6> kFilters{{
    {K::Effect_Blur, 12, 1},
    {K::Effect_Sharpe, 13, 2},
    {K::Effect_Soften, 14, 3},
    {K::Effect_Antialias, 15, std::nullopt},
    {K::Effect_Ripple, 16, 5},
    {K::Effect_Contour, 45, 4},
}};

struct Adjust {
  std::string_view key;
  int selEffect;
};

constexpr std::array<Adjust, 12> kAdjustments{{
    {K::Filter_Browse, 0},
    {K::Filter_Crop, 1},
    {K::Filter_Straight, 2},
    {K::Filter_Text, 4},
    {K::Effect_Card, 5},
    {K::Effect_Color, 6},
    {K::Effect_Gamma, 7},
    {K::Effect_Grey, 8},
    {K::Filter_Redeye, 9},
    {K::Filter_Cal, 10},
    {K::Effect_Contrast, 11},
    {K::Filter_Patten, 38},
}};

// The slider of an armed weather or light effect; the effects without one commit at once.
struct Armed {
  std::string_view key;
  int max;
  int min;
  int value;
};

constexpr std::array<Armed, 6> kArmedEffects{{
    {K::Effect_Bubble, 300, 50, 50},
    {K::Effect_Firefly, 300, 50, 50},
    {K::Effect_Rain, 300, 50, 50},
    {K::Effect_Snow, 300, 50, 50},
    {K::Effect_Flower, 200, 10, 10},
    {K::Filter_Irradiation, 255, 10, 10},
}};

template <class Row, std::size_t N>
const Row* RowOf(const std::array<Row, N>& rows, std::string_view key) {
  for (const Row& row : rows) {
    if (row.key == key) {
      return &row;
    }
  }
  return nullptr;
}

bool IsArmed(std::string_view key) { return ModPublic::CurrentToolKey == CommandKeyText(key); }

// The same tool chosen again puts it down.
void ToggleOff(FrmMain& window) {
  window.ResetToBrowse();
  window.Canvas().Painting();
}

void ArmKey(std::string_view key) { ModPublic::CurrentToolKey = CommandKeyText(key); }

void ClearPanelTool(FrmMain& window) {
  if (SidePanelServices* panel = window.UserqzProcess1()) {
    panel->SetSelEffect(0);
    panel->StartPaint();
  }
}

void LayoutAndRepaint(FrmMain& window) {
  if (window.PanesReady()) {
    window.LayoutCanvasArea();
    window.ReleaseToolRepaint();
  }
}

void ArmArmedEffect(Imageqzviewer& canvas, const Armed& armed) {
  ArmKey(armed.key);
  canvas.SetFitMode(true);
  // Irradiation takes its mode before its range, so its slider is set for its own mode.
  if (armed.key == K::Filter_Irradiation) {
    canvas.SetEffect(ToolModes::ModeForKey(armed.key));
  }
  canvas.SetMax(armed.max);
  canvas.SetMin(armed.min);
  canvas.SetValue(armed.value);
  canvas.SetEffect(ToolModes::ModeForKey(armed.key));
}

}  // namespace

void Shape(FrmMain& window, std::string_view key) {
  if (IsArmed(key)) {
    ToggleOff(window);
    return;
  }
  Imageqzviewer& canvas = window.Canvas();
  canvas.SetMax(255);
  canvas.SetMin(0);
  canvas.SetEffect(ToolModes::ModeForKey(key));
  canvas.SetFitMode(true);
  canvas.Import(QString(), true);
  ArmKey(key);
  ClearPanelTool(window);
  LayoutAndRepaint(window);
}

void Selection(FrmMain& window, std::string_view key) {
  // A new selection tool always starts selecting the inside.
  ModqzReg::SelectionCombineMode = 1;
  if (IsArmed(key)) {
    ToggleOff(window);
    return;
  }
  ArmKey(key);
  Imageqzviewer& canvas = window.Canvas();
  canvas.CleanCroprect();
  canvas.SetEffect(ToolModes::ModeForKey(key));
  canvas.SetFitMode(true);
  canvas.Import(QString(), true);
  LayoutAndRepaint(window);
}

void Brush(FrmMain& window, std::string_view key) {
  // The stamp's sub-tool of each brush row.
  struct BrushRow {
    std::string_view key;
    int subTool;
  };
  static constexpr std::array<BrushRow, 8> kBrushes{{{K::Filter_EraserTool, 1},
                                                   {K::Filter_DodgeTool, 2},
                                                   {K::Filter_BurnTool, 3},
                                                   {K::Filter_SharpenTool, 4},
                                                   {K::Filter_SoftenTool, 5},
                                                   {K::Filter_SaturationTool, 6},
                                                   {K::Filter_SmudgeTool, 7},
                                                   {K::Filter_Airbrush, 8}}};
  Imageqzviewer& canvas = window.Canvas();
  if (canvas.Effect() != ToolModes::kFloatingStamp) {
    Forms::MsgBox(QStringLiteral("Please select a image region with <Rectanglular Marquee>, <Elliptical Marquee>") +
                      QChar(10) + QStringLiteral("or <Polygonal Lasso> tool."),
                  Forms::vbQuestion);
    return;
  }
  if (IsArmed(key)) {
    // The brush goes off; the stamp stays as it is.
    ModPublic::CurrentToolKey.clear();
    canvas.StampOptions(0);
    return;
  }
  ArmKey(key);
  if (key == K::Filter_SmudgeTool) {
    ModPublic::StampBrushKey = CommandKeyText(K::Stamp_Brush1);
    canvas.SetBrushSize(10);
  }
  canvas.StampOptions(RowOf(kBrushes, key)->subTool);
  if (key == K::Filter_Airbrush) {
    canvas.Painting();
  }
}

void Adjustment(FrmMain& window, std::string_view key) {
  const Adjust* adjust = RowOf(kAdjustments, key);
  if (SidePanelServices* panel = window.UserqzProcess1()) {
    panel->SetSelEffect(adjust->selEffect);
  }
  bool isAutoProcess = true;
  bool menuClick = true;
  window.FormOption(isAutoProcess, menuClick);
}

void Filter(FrmMain& window, std::string_view key) {
  const Filtering* filter = RowOf(kFilters, key);
  Imageqzviewer& canvas = window.Canvas();
  if (canvas.Effect() == ToolModes::kFloatingStamp && filter->stampEffect) {
    canvas.Stampeffect(*filter->stampEffect);
    return;
  }
  canvas.ThirdEffect(filter->number);
}

void Effect(FrmMain& window, std::string_view key) {
  Imageqzviewer& canvas = window.Canvas();
  if (IsArmed(key)) {
    ToggleOff(window);
  } else if (const Armed* armed = RowOf(kArmedEffects, key)) {
    ArmArmedEffect(canvas, *armed);
  } else {
    canvas.SetEffect(ToolModes::ModeForKey(key));
    canvas.SaveUndo();
  }
  LayoutAndRepaint(window);
  canvas.Import(QString(), true);
}

// The shape pen's width from the line menu; the choice is remembered as its key.
void LineWidth(FrmMain& window, std::string_view key) {
  struct Width {
    std::string_view key;
    int pixels;
  };
  static constexpr std::array<Width, 13> kWidths{{{K::Line_1, 1},
                                                  {K::Line_3, 3},
                                                  {K::Line_5, 5},
                                                  {K::Line_7, 7},
                                                  {K::Line_9, 9},
                                                  {K::Line_11, 11},
                                                  {K::Line_13, 13},
                                                  {K::Line_15, 15},
                                                  {K::Line_17, 17},
                                                  {K::Line_19, 19},
                                                  {K::Line_21, 21},
                                                  {K::Line_23, 23},
                                                  {K::Line_25, 25}}};
  for (const Width& width : kWidths) {
    if (width.key == key) {
      ModqzReg::LineMenu = QString::fromLatin1(key.data(), qsizetype(key.size()));
      window.Canvas().LineWidthValue(width.pixels);
      window.Canvas().Painting();
    }
  }
}

}  // namespace MenuCommands::Handlers
