#include "mainwindow/TemporaryMenu.h"

#include <array>

#include <QString>

#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "foundation/CommandKeys.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/SkinnedControlServices.h"

namespace TemporaryMenu {

namespace {

namespace K = CommandKeys;

QString Text(std::string_view key) { return QString::fromLatin1(key.data(), qsizetype(key.size())); }

int ModeOf(std::string_view key) { return ToolModes::ModeForKey(key); }

void ClearSidePanelTool(MainWindowServices& main) {
  if (SidePanelServices* panel = main.UserqzProcess1()) {
    panel->SetSelEffect(0);
  }
}

// Choosing the armed tool again puts it down.
bool ToggledOff(std::string_view key, Imageqzviewer& canvas, MainWindowServices& main) {
  if (ModPublic::CurrentToolKey != Text(key)) {
    return false;
  }
  ResetToBrowse(canvas, main);
  canvas.Import(QString(), true);
  return true;
}

// Arms a tool with the slider's range and start value, the picture fitted.
void Arm(Imageqzviewer& canvas, MainWindowServices& main, std::string_view key, int max, int min, int value) {
  if (ToggledOff(key, canvas, main)) {
    return;
  }
  ModPublic::CurrentToolKey = Text(key);
  // These tools start from no rectangle rather than the last tool's.
  if (key == K::Filter_Redeye || key == K::Filter_Crop || key == K::Effect_Card) {
    canvas.CleanCroprect();
  }
  canvas.SetMax(max);
  canvas.SetMin(min);
  canvas.SetValue(value);
  canvas.SetEffect(ModeOf(key));
  canvas.SetFitMode(true);
  ClearSidePanelTool(main);
  canvas.Import(QString(), true);
}

// Effects that commit at once, without a tool to set.
void CommitNow(Imageqzviewer& canvas, std::string_view key) {
  canvas.SetEffect(ModeOf(key));
  canvas.SaveUndo();
  canvas.Import(QString(), true);
}

// The flips and the grey conversion; the floating stamp's own flips come with the stamp.
void CommitOneShot(Imageqzviewer& canvas, std::string_view key) {
  if (canvas.Effect() == 38) {
    return;
  }
  canvas.SetEffect(ModeOf(key));
  canvas.GreyEffect();
}

// The selection tools always start selecting the inside, even when put down again.
void Select(Imageqzviewer& canvas, MainWindowServices& main, std::string_view key) {
  ModqzReg::SelectionCombineMode = 1;
  if (ToggledOff(key, canvas, main)) {
    return;
  }
  ModPublic::CurrentToolKey = Text(key);
  canvas.CleanCroprect();
  canvas.SetEffect(ModeOf(key));
  canvas.SetFitMode(true);
  canvas.Import(QString(), true);
}

void Deselect(Imageqzviewer& canvas) {
  canvas.CleanCroprect();
  canvas.Painting(true);
}

void InvertSelection(Imageqzviewer& canvas) {
  ModqzReg::SelectionCombineMode = ModqzReg::SelectionCombineMode == 4 ? 1 : 4;
  canvas.Painting();
}

void Paste(Imageqzviewer& canvas, MainWindowServices& main) {
  int width = 0;
  int height = 0;
  if (!ModGDI::PasteImageFromClipboard(width, height)) {
    return;
  }
  canvas.SetMax(100);
  canvas.SetMin(0);
  canvas.SetValue(0);
  canvas.SetFitMode(true);
  canvas.Import(QString(), true);
  canvas.CreateStampfromClipboard();
  ClearSidePanelTool(main);
}

void FillStyle(Imageqzviewer& canvas, std::string_view key) {
  ModPublic::VectorFillStyle = Text(key);
  canvas.Painting();
}

void ResizeImage(Imageqzviewer& canvas, MainWindowServices& main) {
  canvas.SetEffect(ModeOf(K::Edit_Resize));
  canvas.SetMax(110);
  canvas.SetMin(5);
  canvas.SetValue(52);
  canvas.SetFitMode(false);
  canvas.Import(QString(), true);
  ClearSidePanelTool(main);
}

void Grey(Imageqzviewer& canvas, MainWindowServices& main) {
  canvas.SetEffect(0);
  canvas.Import(QString(), true);
  canvas.SetEffect(ModeOf(K::Effect_Grey));
  canvas.GreyEffect();
  ResetToBrowse(canvas, main);
}

void Browse(Imageqzviewer& canvas, MainWindowServices& main) {
  ClearSidePanelTool(main);
  ResetToBrowse(canvas, main);
  canvas.Import(QString(), true);
}

using C = Imageqzviewer;
using W = MainWindowServices;

const std::array<Row, 42> kRows{{
    {K::Edit_Undo, "Undo", [](C& c, W&) { c.UndoAndRedo(true); }},
    {K::Edit_Redo, "Redo", [](C& c, W&) { c.UndoAndRedo(false); }},
    {K::Edit_Deselect, "Cancel Selection", [](C& c, W&) { Deselect(c); }},
    {K::Edit_Clearselect, "Clear Selection", [](C& c, W&) { c.CallDrawDeleteSelect(); }},
    {K::Edit_Inverse, "Invert Selection", [](C& c, W&) { InvertSelection(c); }},
    {K::Edit_Copy, "Copy", [](C& c, W&) { c.DrawtoClipboard(); }},
    {K::Edit_Paste, "Paste", Paste},
    {K::Edit_Resize, "Resize Image", ResizeImage},
    {K::Edit_Hflip, "Flip Horizintal", [](C& c, W&) { CommitOneShot(c, K::Edit_Hflip); }},
    {K::Edit_Vflip, "Flip Vertical", [](C& c, W&) { CommitOneShot(c, K::Edit_Vflip); }},
    {K::Edit_Clockwise, "Rotate Clockwise", [](C& c, W&) { CommitNow(c, K::Edit_Clockwise); }},
    {K::Edit_Crcolockwise, "Rotate Counterclockwise", [](C& c, W&) { CommitNow(c, K::Edit_Crcolockwise); }},
    {K::Filter_Browse, "Browse Image", Browse},
    {K::Filter_Select, "Rectangular Marquee", [](C& c, W& w) { Select(c, w, K::Filter_Select); }},
    {K::Filter_EllipSelect, "Elliptical Marquee",
     [](C& c, W& w) { Select(c, w, K::Filter_EllipSelect); }},
    {K::Filter_FreeSelect, "Polygonal Lasso", [](C& c, W& w) { Select(c, w, K::Filter_FreeSelect); }},
    {K::Filter_Crop, "Crop Image", [](C& c, W& w) { Arm(c, w, K::Filter_Crop, c.Max(), c.Min(), c.Value()); }},
    {K::Filter_Rectangle, "Fill Rectangle",
     [](C& c, W& w) { Arm(c, w, K::Filter_Rectangle, 255, 0, c.Value()); }},
    {K::Filter_Circular, "Fill Circular",
     [](C& c, W& w) { Arm(c, w, K::Filter_Circular, 255, 0, c.Value()); }},
    {K::Vector_Single, "Single Color", [](C& c, W&) { FillStyle(c, K::Vector_Single); }},
    {K::Vector_Radial, "Radial Gradient", [](C& c, W&) { FillStyle(c, K::Vector_Radial); }},
    {K::Filter_Redeye, "Red Eye", [](C& c, W& w) { Arm(c, w, K::Filter_Redeye, 300, 50, 100); }},
    {K::Filter_Straight, "Straighten...", [](C& c, W& w) { Arm(c, w, K::Filter_Straight, 10, -10, 0); }},
    {K::Filter_Irradiation, "Irradiation...",
     [](C& c, W& w) { Arm(c, w, K::Filter_Irradiation, 255, 10, 10); }},
    {K::Effect_Color, "Adjust Color", [](C& c, W& w) { Arm(c, w, K::Effect_Color, 100, 20, 20); }},
    {K::Effect_Card, "Card Style", [](C& c, W& w) { Arm(c, w, K::Effect_Card, 255, 50, 50); }},
    {K::Effect_Gamma, "Adjust Gamma", [](C& c, W& w) { Arm(c, w, K::Effect_Gamma, 3, 0, 1); }},
    {K::Effect_Contrast, "Contrast...", [](C& c, W& w) { Arm(c, w, K::Effect_Contrast, 5, 0, 0); }},
    {K::Effect_Grey, "Grey...", Grey},
    {K::Effect_Blur, "Blur", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Blur)); }},
    {K::Effect_Sharpe, "Sharpe", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Sharpe)); }},
    {K::Effect_Soften, "Soften", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Soften)); }},
    {K::Effect_Ripple, "Ripple", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Ripple)); }},
    {K::Effect_Bubble, "Bubbles", [](C& c, W& w) { Arm(c, w, K::Effect_Bubble, 300, 50, 50); }},
    {K::Effect_Firefly, "Fireflys", [](C& c, W& w) { Arm(c, w, K::Effect_Firefly, 300, 50, 50); }},
    {K::Effect_Rain, "Rains", [](C& c, W& w) { Arm(c, w, K::Effect_Rain, 300, 50, 50); }},
    {K::Effect_Snow, "Snows", [](C& c, W& w) { Arm(c, w, K::Effect_Snow, 300, 50, 50); }},
    {K::Effect_Cloud, "Clouds", [](C& c, W&) { CommitNow(c, K::Effect_Cloud); }},
    {K::Effect_Moon, "Moon", [](C& c, W&) { CommitNow(c, K::Effect_Moon); }},
    {K::Effect_Lensflare, "Lens Flare", [](C& c, W&) { CommitNow(c, K::Effect_Lensflare); }},
    {K::Effect_Mist, "Mists", [](C& c, W&) { CommitNow(c, K::Effect_Mist); }},
    {K::Effect_Flower, "Flowers", [](C& c, W& w) { Arm(c, w, K::Effect_Flower, 200, 10, 10); }},
}};

}  // namespace

std::span<const Row> Rows() { return kRows; }

bool Run(const QString& key, Imageqzviewer& canvas, MainWindowServices& main) {
  for (const Row& row : kRows) {
    if (key == Text(row.key)) {
      row.action(canvas, main);
      return true;
    }
  }
  return false;
}

void ResetToBrowse(Imageqzviewer& canvas, MainWindowServices& main) {
  ModPublic::CurrentToolKey = Text(K::Filter_Browse);
  canvas.SetEffect(0);
  canvas.SetFitMode(false);
  if (ImageToolbarServices* toolbar = main.ImageToolbar()) {
    toolbar->PressDownID(5, false);
  }
  if (SkinMenuServices* menu = main.SkinMenu()) {
    menu->SetMemFirst(true);
    menu->SetPressMenuID(Text(K::Filter_Browse));
    menu->MenuVisible(Text(K::View_Fitmode), false);
  }
}

}  // namespace TemporaryMenu
