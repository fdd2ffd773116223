#include "mainwindow/TemporaryMenu.h"

#include <array>

#include <QHBoxLayout>
#include <QMenuBar>

#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "foundation/CommandKeys.h"
#include "foundation/MainWindowServices.h"
#include "foundation/ModPublic.h"
#include "foundation/SkinnedControlServices.h"

namespace TemporaryMenu {

namespace {

namespace K = CommandKeys;
using M = Menu;

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
  if (key == K::Filter_Redeye) {
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

const std::array<Row, 27> kRows{{
    {M::Edit, K::Edit_Undo, "Undo", [](C& c, W&) { c.UndoAndRedo(true); }},
    {M::Edit, K::Edit_Redo, "Redo", [](C& c, W&) { c.UndoAndRedo(false); }},
    {M::Edit, K::Edit_Resize, "Resize Image", ResizeImage},
    {M::Edit, K::Edit_Hflip, "Flip Horizintal", [](C& c, W&) { CommitOneShot(c, K::Edit_Hflip); }},
    {M::Edit, K::Edit_Vflip, "Flip Vertical", [](C& c, W&) { CommitOneShot(c, K::Edit_Vflip); }},
    {M::Edit, K::Edit_Clockwise, "Rotate Clockwise", [](C& c, W&) { CommitNow(c, K::Edit_Clockwise); }},
    {M::Edit, K::Edit_Crcolockwise, "Rotate Counterclockwise", [](C& c, W&) { CommitNow(c, K::Edit_Crcolockwise); }},
    {M::ImageTool, K::Filter_Browse, "Browse Image", Browse},
    {M::ImageTool, K::Filter_Redeye, "Red Eye", [](C& c, W& w) { Arm(c, w, K::Filter_Redeye, 300, 50, 100); }},
    {M::ImageTool, K::Filter_Straight, "Straighten...", [](C& c, W& w) { Arm(c, w, K::Filter_Straight, 10, -10, 0); }},
    {M::ImageTool, K::Filter_Irradiation, "Irradiation...",
     [](C& c, W& w) { Arm(c, w, K::Filter_Irradiation, 255, 10, 10); }},
    {M::Effect, K::Effect_Gamma, "Adjust Gamma", [](C& c, W& w) { Arm(c, w, K::Effect_Gamma, 3, 0, 1); }},
    {M::Effect, K::Effect_Contrast, "Contrast...", [](C& c, W& w) { Arm(c, w, K::Effect_Contrast, 5, 0, 0); }},
    {M::Effect, K::Effect_Grey, "Grey...", Grey},
    {M::Effect, K::Effect_Blur, "Blur", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Blur)); }},
    {M::Effect, K::Effect_Sharpe, "Sharpe", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Sharpe)); }},
    {M::Effect, K::Effect_Soften, "Soften", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Soften)); }},
    {M::Effect, K::Effect_Ripple, "Ripple", [](C& c, W&) { c.ThirdEffect(ModeOf(K::Effect_Ripple)); }},
    {M::Effect, K::Effect_Bubble, "Bubbles", [](C& c, W& w) { Arm(c, w, K::Effect_Bubble, 300, 50, 50); }},
    {M::Effect, K::Effect_Firefly, "Fireflys", [](C& c, W& w) { Arm(c, w, K::Effect_Firefly, 300, 50, 50); }},
    {M::Effect, K::Effect_Rain, "Rains", [](C& c, W& w) { Arm(c, w, K::Effect_Rain, 300, 50, 50); }},
    {M::Effect, K::Effect_Snow, "Snows", [](C& c, W& w) { Arm(c, w, K::Effect_Snow, 300, 50, 50); }},
    {M::Effect, K::Effect_Cloud, "Clouds", [](C& c, W&) { CommitNow(c, K::Effect_Cloud); }},
    {M::Effect, K::Effect_Moon, "Moon", [](C& c, W&) { CommitNow(c, K::Effect_Moon); }},
    {M::Effect, K::Effect_Lensflare, "Lens Flare", [](C& c, W&) { CommitNow(c, K::Effect_Lensflare); }},
    {M::Effect, K::Effect_Mist, "Mists", [](C& c, W&) { CommitNow(c, K::Effect_Mist); }},
    {M::Effect, K::Effect_Flower, "Flowers", [](C& c, W& w) { Arm(c, w, K::Effect_Flower, 200, 10, 10); }},
}};

}  // namespace

std::span<const Row> Rows() { return kRows; }

const char* Title(Menu menu) {
  switch (menu) {
    case Menu::Edit:
      return "&Edit";
    case Menu::ImageTool:
      return "&Image Tool";
    case Menu::Effect:
      return "E&ffect";
  }
  return "";
}

QMenuBar* Install(QWidget& host, Imageqzviewer& canvas, MainWindowServices& main) {
  auto* layout = new QHBoxLayout(&host);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* bar = new QMenuBar(&host);
  layout->addWidget(bar);
  for (const Menu menu : {Menu::Edit, Menu::ImageTool, Menu::Effect}) {
    QMenu* dropDown = bar->addMenu(QString::fromLatin1(Title(menu)));
    for (const Row& row : Rows()) {
      if (row.menu == menu) {
        QAction* item = dropDown->addAction(QString::fromLatin1(row.caption));
        item->setData(Text(row.key));
        QObject::connect(item, &QAction::triggered, &canvas,
                         [action = row.action, &canvas, &main] { action(canvas, main); });
      }
    }
  }
  return bar;
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
