// Tool set-up: the side panel's tool number turned into the canvas's tool, its slider
// and fit; the way back to browsing; the canvas area laid out for the tool.
#include <array>
#include <optional>

#include "canvas/Imageqzviewer.h"
#include "browse/ScrollControl.h"
#include "canvas/ToolModes.h"
#include "controls/MenuModel.h"
#include "controls/YDSTextControl.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "mainwindow/FrmMain.h"

namespace {

namespace K = CommandKeys;
using ToolModes::Mode;

// The image toolbar's buttons that work only while browsing.
constexpr std::array kBrowseButtons{ImageToolbarButton::Fit, ImageToolbarButton::Next, ImageToolbarButton::Previous};

}  // namespace

void FrmMain::FormOption(bool& isAutoProcess, bool& MenuClick) {
  m_textStrip->SetVisible(false);
  // A press on the side panel that hit no tool changes nothing.
  if (m_sidePanelServices->lngVisible() == 0 && !isAutoProcess) {
    m_sidePanelServices->StartPaint();
    return;
  }
  if (MenuClick && m_pickedKey == ModPublic::CurrentToolKey) {
    m_sidePanelServices->SetSelEffect(0);
  }
  SetUpTool(m_sidePanelServices->SelEffect());
  ApplyFirstLRule(false);
  if (m_panesReady) {
    m_thumbnailBar->StartPaint(float(ModPublic::ThumBarDragPos), 0, true);
    m_sidePanelServices->ResetPaint();
  }
  m_canvas->Relayout();
  LayoutCanvasArea();
}

void FrmMain::SetUpTool(int selEffect) {
  const std::optional<Mode> mode = ToolModes::ModeForPanel(selEffect);
  if (!mode) {
    return;
  }
  const ToolModes::ToolMode& row = ToolModes::Row(*mode);
  if (*mode == Mode::Browse) {
    ResetToBrowse();
    return;
  }
  if (row.atOnce) {
    // Committed from the picture as it is laid out for browsing, then back to browsing.
    m_canvas->SetMode(Mode::Browse);
    m_canvas->Relayout();
    m_canvas->ApplyAtOnce(*mode);
    ResetToBrowse();
    return;
  }
  // The stamp is armed by taking one; its number changes no tool.
  if (row.group == ToolModes::PointerGroup::Stamp) {
    return;
  }
  ShowTextStripFor(*mode);
  ModPublic::CurrentToolKey = CommandKeyText(row.key);
  m_canvas->ArmTool(*mode);
}

// The calendar has no text to type: its strip comes without the text box.
void FrmMain::ShowTextStripFor(Mode mode) {
  const ToolModes::Strip strip = ToolModes::Row(mode).strip;
  if (strip == ToolModes::Strip::None) {
    return;
  }
  m_textStrip->SetVisible(true);
  m_textStrip->SetHideText(strip == ToolModes::Strip::Calendar);
  ArrangeMainPanes();
  RefreshProcessPanel();
}

void FrmMain::ResetToBrowse() {
  ModPublic::CurrentToolKey = CommandKeyText(K::Filter_Browse);
  m_canvas->ArmTool(Mode::Browse);
  m_imageToolbarServices->PressDownID(ButtonId(ImageToolbarButton::Fit), false);
  m_skinMenu->SetMemFirst(true);
  m_skinMenu->SetPressMenuID(CommandKeyText(K::Filter_Browse));
  m_skinMenu->MenuVisible(CommandKeyText(K::View_Fitmode), false);
}

void FrmMain::LayoutCanvasArea() {
  const bool browsing = m_canvas->CurrentMode() == Mode::Browse;
  for (ImageToolbarButton button : kBrowseButtons) {
    m_imageToolbarServices->EnabledID(ButtonId(button), browsing);
  }
  m_imageToolbarServices->StartPaint();
  ApplyArrangement({PaneLayout::LayoutCanvasArea(m_canvas->CurrentMode(), Panes())});
}

void FrmMain::ReleaseToolRepaint() {
  if (m_panesReady) {
    m_thumbnailBar->StartPaint(float(ModPublic::ThumBarDragPos), 0, true);
    m_sidePanelServices->StartPaint();
  }
}

void FrmMain::MarkBrowseRow() {
  m_skinMenu->MenuChecked(CommandKeyText(K::Filter_Browse), true);
  m_sidePanelServices->SetSelEffect(0);
  m_sidePanelServices->StartPaint();
}

void FrmMain::ApplyFirstLRule(bool reImport) {
  if (m_firstLDone) {
    m_canvas->SetFirstL(false);
    return;
  }
  m_canvas->SetFirstL(true);
  m_firstLDone = true;
  if (reImport) {
    m_canvas->Relayout();
  }
}

void FrmMain::PasteFromClipboard() { m_paste.Start(); }

void FrmMain::FloatPasted() {
  // The stamp's slider is set before the canvas is laid out again.
  m_canvas->SetRange(*ToolModes::Row(Mode::FloatingStamp).range);
  m_canvas->SetFitMode(true);
  m_canvas->Relayout();
  m_canvas->CreateStampfromClipboard();
  MarkBrowseRow();
}
