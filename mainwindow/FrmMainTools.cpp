// Tool set-up: the side panel's tool number turned into the canvas's tool, its slider
// and fit; the way back to browsing; the canvas area laid out for the tool.
#include <array>
#include <optional>

#include <QDate>
#include <QPlainTextEdit>

#include "canvas/Imageqzviewer.h"
#include "canvas/ToolModes.h"
#include "canvas/tools/TextLayer.h"
#include "controls/MenuModel.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "mainwindow/FrmMain.h"

namespace {

namespace K = CommandKeys;

constexpr int kGrey = 8;
constexpr int kText = 4;
constexpr int kCalendar = 10;
// The image toolbar's fit, next and previous buttons.
constexpr std::array kBrowseButtons{5, 7, 6};

enum class Selection { Keep, DropFirst, DropAfterRange };

struct ToolSetUp {
  int selEffect;
  std::string_view key;
  int effect;
  std::optional<int> max;
  std::optional<int> min;
  std::optional<int> value;
  Selection selection = Selection::Keep;
};

// The calendar's value is today's month, filled in when it is armed.
const std::array<ToolSetUp, 10> kToolSetUps{{
    {1, K::Filter_Crop, 1, {}, {}, {}, Selection::DropFirst},
    {2, K::Filter_Straight, 2, 10, -10, 0},
    {3, K::Filter_Irradiation, 37, 255, 10, 10},
    {4, K::Filter_Text, 4, 255, 10, 10},
    {5, K::Effect_Card, 5, 255, 50, 50, Selection::DropAfterRange},
    {6, K::Effect_Color, 6, 100, 20, 20},
    {7, K::Effect_Gamma, 7, 3, 0, 1},
    {9, K::Filter_Redeye, 9, 300, 50, 100, Selection::DropAfterRange},
    {10, K::Filter_Cal, 10, 12, 1, {}},
    {11, K::Effect_Contrast, 11, 5, 0, 0},
}};

const ToolSetUp* SetUpOf(int selEffect) {
  for (const ToolSetUp& row : kToolSetUps) {
    if (row.selEffect == selEffect) {
      return &row;
    }
  }
  return nullptr;
}

void SetRange(Imageqzviewer& canvas, const ToolSetUp& row) {
  if (row.max) {
    canvas.SetMax(*row.max);
  }
  if (row.min) {
    canvas.SetMin(*row.min);
  }
  if (row.value) {
    canvas.SetValue(*row.value);
  } else if (row.effect == kCalendar) {
    canvas.SetValue(QDate::currentDate().month());
  }
}

// The text tool opens its edit box as the text strip's text button does, with the
// strip's caption as the text to type over.
void OpenTextBox(Imageqzviewer& canvas) {
  if (canvas.TextBoxShown()) {
    return;
  }
  QPlainTextEdit* box = canvas.Text1();
  if (box->toPlainText().isEmpty()) {
    box->setPlainText(TextLayer::kDefaultText);
  }
  box->selectAll();
  canvas.ShowHidetext(0, 0, 300, 200);
  box->setFocus();
}

}  // namespace

void FrmMain::FormOption(bool& isAutoProcess, bool& MenuClick) {
  m_textStrip->SetVisible(false);
  if (m_sidePanel.widget->isHidden() && !isAutoProcess) {
    m_sidePanel->StartPaint();
    return;
  }
  if (MenuClick && m_pickedKey == ModPublic::CurrentToolKey) {
    m_sidePanel->SetSelEffect(0);
  }
  SetUpTool(m_sidePanel->SelEffect());
  ApplyFirstLRule(false);
  if (m_panesReady) {
    m_splitV->StartPaint(float(ModPublic::ThumBarDragPos), 0, true);
    m_sidePanel->ResetPaint();
  }
  m_canvas->Import(QString(), true);
  LayoutCanvasArea();
}

void FrmMain::SetUpTool(int selEffect) {
  if (selEffect == 0) {
    ResetToBrowse();
    return;
  }
  if (selEffect == kGrey) {
    m_canvas->SetEffect(0);
    m_canvas->Import(QString(), true);
    m_canvas->SetEffect(kGrey);
    m_canvas->GreyEffect();
    ResetToBrowse();
    return;
  }
  const ToolSetUp* row = SetUpOf(selEffect);
  if (row == nullptr) {
    return;
  }
  ShowTextStripFor(row->effect);
  ModPublic::CurrentToolKey = CommandKeyText(row->key);
  if (row->selection == Selection::DropFirst) {
    m_canvas->CleanCroprect();
  }
  // Irradiation is fitted before its mode is set; every other tool after.
  if (row->effect == 37) {
    m_canvas->SetFitMode(true);
  }
  SetRange(*m_canvas, *row);
  if (row->selection == Selection::DropAfterRange) {
    m_canvas->CleanCroprect();
  }
  m_canvas->SetEffect(row->effect);
  m_canvas->SetFitMode(true);
  if (row->effect == kText) {
    OpenTextBox(*m_canvas);
  }
}

// The calendar has no text to type: its strip comes without the text box.
void FrmMain::ShowTextStripFor(int effect) {
  if (effect != kText && effect != kCalendar) {
    return;
  }
  m_textStrip->SetVisible(true);
  m_textStrip->SetHideText(effect == kCalendar);
  ArrangeMainPanes();
  RefreshProcessPanel();
}

void FrmMain::ResetToBrowse() {
  ModPublic::CurrentToolKey = CommandKeyText(K::Filter_Browse);
  m_canvas->SetEffect(0);
  m_canvas->SetFitMode(false);
  m_imageToolbar->PressDownID(5, false);
  m_skinMenu->SetMemFirst(true);
  m_skinMenu->SetPressMenuID(CommandKeyText(K::Filter_Browse));
  m_skinMenu->MenuVisible(CommandKeyText(K::View_Fitmode), false);
}

void FrmMain::LayoutCanvasArea() {
  const bool browsing = m_canvas->Effect() == 0;
  for (int button : kBrowseButtons) {
    m_imageToolbar->EnabledID(button, browsing);
  }
  m_imageToolbar->StartPaint();
  ApplyArrangement({PaneLayout::LayoutCanvasArea(m_canvas->Effect(), Panes())});
}

void FrmMain::ReleaseToolRepaint() {
  if (m_panesReady) {
    m_splitV->StartPaint(float(ModPublic::ThumBarDragPos), 0, true);
    m_sidePanel->StartPaint();
  }
}

void FrmMain::MarkBrowseRow() {
  m_skinMenu->MenuChecked(CommandKeyText(K::Filter_Browse), true);
  m_sidePanel->SetSelEffect(0);
  m_sidePanel->StartPaint();
}

void FrmMain::ApplyFirstLRule(bool reImport) {
  if (m_firstLDone) {
    m_canvas->SetFirstL(false);
    return;
  }
  m_canvas->SetFirstL(true);
  m_firstLDone = true;
  if (reImport) {
    m_canvas->Import(QString(), true);
  }
}

void FrmMain::PasteFromClipboard() {
  int width = 0;
  int height = 0;
  if (!ModGDI::PasteImageFromClipboard(width, height)) {
    return;
  }
  m_canvas->SetMax(100);
  m_canvas->SetMin(0);
  m_canvas->SetValue(0);
  m_canvas->SetFitMode(true);
  m_canvas->Import(QString(), true);
  m_canvas->CreateStampfromClipboard();
  MarkBrowseRow();
}
