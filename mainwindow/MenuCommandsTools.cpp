// The Image Tool and Effect commands of the dispatcher: shapes, selections, brushes,
// adjustments, filters and the weather and light effects.
#include <algorithm>
#include <array>

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
using ToolModes::Mode;

// The mode of a tool command's key; every key routed here has one.
Mode ModeOf(std::string_view key) { return ToolModes::ModeForKey(key).value_or(Mode::Browse); }

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

}  // namespace

void Shape(FrmMain& window, std::string_view key) {
  if (IsArmed(key)) {
    ToggleOff(window);
    return;
  }
  Imageqzviewer& canvas = window.Canvas();
  canvas.ArmTool(ModeOf(key));
  canvas.Relayout();
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
  canvas.ArmTool(ModeOf(key));
  canvas.Relayout();
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
  if (canvas.CurrentMode() != Mode::FloatingStamp) {
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
  const auto brush = std::find_if(kBrushes.begin(), kBrushes.end(), [&](const BrushRow& row) { return row.key == key; });
  canvas.StampOptions(brush->subTool);
  if (key == K::Filter_Airbrush) {
    canvas.Painting();
  }
}

void Adjustment(FrmMain& window, std::string_view key) {
  if (SidePanelServices* panel = window.UserqzProcess1()) {
    panel->SetSelEffect(ToolModes::Row(ModeOf(key)).panel);
  }
  bool isAutoProcess = true;
  bool menuClick = true;
  window.FormOption(isAutoProcess, menuClick);
}

void Filter(FrmMain& window, std::string_view key) {
  const Mode mode = ModeOf(key);
  const int stampFilter = ToolModes::Row(mode).stampFilter;
  Imageqzviewer& canvas = window.Canvas();
  if (canvas.CurrentMode() == Mode::FloatingStamp && stampFilter != 0) {
    canvas.Stampeffect(stampFilter);
    return;
  }
  canvas.ApplyAtOnce(mode);
}

void Effect(FrmMain& window, std::string_view key) {
  Imageqzviewer& canvas = window.Canvas();
  const Mode mode = ModeOf(key);
  if (IsArmed(key)) {
    ToggleOff(window);
  } else if (ToolModes::Row(mode).atOnce) {
    canvas.ApplyAtOnce(mode);
  } else {
    ArmKey(key);
    canvas.ArmTool(mode);
  }
  LayoutAndRepaint(window);
  canvas.Relayout();
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
