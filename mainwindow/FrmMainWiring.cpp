// What the main window does for its children's events: the canvas, the thumbnail sheet,
// the side panel, the text strip and the image toolbar. Controls that report choices
// pass them as the handlers' arguments.
#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/ToolbarImg.h"
#include "controls/UserqzProcess.h"
#include "controls/YDSTextControl.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommands.h"
#include "mainwindow/MenuStates.h"
#include "mainwindow/ToolbarCommands.h"
#include "platform/forms/MsgBox.h"

namespace {

// The stamp library's buttons, as its StampEnter reports them.
constexpr int kStampDelete = 1;
constexpr int kStampUse = 2;
constexpr int kStampEdit = 3;

}  // namespace

void FrmMain::ConnectChildEvents() {
  connect(m_canvas, &Imageqzviewer::MouseDown, this, &FrmMain::Canvas_MouseDown);
  connect(m_canvas, &Imageqzviewer::DblClick, this, &FrmMain::Canvas_DblClick);
  connect(m_canvas, &Imageqzviewer::UndoStateChanged, this, &FrmMain::Canvas_UndoStateChanged);
  connect(m_canvas, &Imageqzviewer::FitLeft, this,
          [this] { m_imageToolbarServices->PressDownID(ButtonId(ImageToolbarButton::Fit), false); });
  connect(m_canvas, &Imageqzviewer::ToolFinished, this, &FrmMain::Canvas_ToolFinished);
  connect(m_canvas, &Imageqzviewer::LayerCommitted, this, &FrmMain::Canvas_LayerCommitted);
  connect(m_canvas, &Imageqzviewer::StampHandedOver, this, [this] { UseStamp(false, false); });
  m_sheet->UseSaveQuestion(*this);
  connect(m_sheet, &ThumViewer::PictureChosen, this, &FrmMain::FileImport);
  connect(m_sheet, &ThumViewer::PictureDaysListed, this, &FrmMain::Sheet_PictureDays);
  connect(m_sheet, &ThumViewer::MouseUp, this, &FrmMain::Sheet_MouseUp);
  connect(m_sheet, &ThumViewer::DblClick, this, &FrmMain::Sheet_DblClick);
  // Keys reach their command while the press is handled.
  connect(m_canvas, &Imageqzviewer::ShortcutKeyPressed, this, &FrmMain::ProcessShortcutKey, Qt::DirectConnection);
  connect(m_sheet, &ThumViewer::ShortcutKeyPressed, this, &FrmMain::ProcessShortcutKey, Qt::DirectConnection);
  connect(m_thumbnailBar, &ScrollControl::ShortcutKeyPressed, this, &FrmMain::ProcessShortcutKey,
          Qt::DirectConnection);
  connect(m_sidePanel, &UserqzProcess::ShortcutKeyPressed, this, &FrmMain::ProcessShortcutKey,
          Qt::DirectConnection);
  connect(m_sidePanel, &UserqzProcess::FormatsChosen, this, [this](const QString& formats) {
    m_sheet->SetImageFormats(formats);
    m_sheet->RefreshThumbnail(false);
  });
  connect(m_sidePanel, &UserqzProcess::CalenderSeeMouseUP, this,
          [this](int, int, float, float, bool isUp) { SidePanel_CalendarMouseUp(isUp); });
  connect(m_sidePanel, &UserqzProcess::MouseDown, this, &FrmMain::SidePanel_ToolMouseDown);
  // The panel's own StampEnter says which button of the tile the release was over.
  connect(m_sidePanel, &UserqzProcess::MouseUPstamp, this,
          [this] { SidePanel_StampMouseUp(m_sidePanelServices->StampEnter()); });
  connect(m_sidePanel, &UserqzProcess::Stampdbclick, this, &FrmMain::SidePanel_StampDblClick);
  connect(m_imageToolbar, &ToolbarImg::MouseDown, this, &FrmMain::ImageToolbar_MouseDown);
  connect(m_imageToolbar, &ToolbarImg::MouseUP, this, [this] { ImageToolbar_MouseUp(m_imageToolbar->PressID()); });
  // After a search the keys go to the sheet it filtered.
  connect(m_imageToolbar, &ToolbarImg::Searched, this, [this] { m_sheet->setFocus(); });
  connect(m_textStrip, &YDSTextControl::FontClick, this, [this] { TextStrip_Font(m_textStrip->textFont()); });
  connect(m_textStrip, &YDSTextControl::FontSizeClick, this,
          [this] { TextStrip_Size(m_textStrip->textFontSize().toInt()); });
  connect(m_textStrip, &YDSTextControl::FontStyleClick, this,
          [this] { TextStrip_Style(m_textStrip->textFontStyle()); });
  connect(m_textStrip, &YDSTextControl::FontRenderClick, this,
          [this] { TextStrip_Render(m_textStrip->textFontRender()); });
  connect(m_textStrip, &YDSTextControl::TextClick, this, &FrmMain::TextStrip_TextButton);
}

void FrmMain::Canvas_MouseDown() { m_skinMenu->SetVisible(false); }

void FrmMain::Canvas_DblClick() { ShowFullView(); }

void FrmMain::Canvas_UndoStateChanged(bool canUndo, bool canRedo) {
  m_imageToolbarServices->EnabledID(ButtonId(ImageToolbarButton::Undo), canUndo);
  m_imageToolbarServices->EnabledID(ButtonId(ImageToolbarButton::Redo), canRedo);
  m_imageToolbarServices->StartPaint();
}

void FrmMain::Canvas_ToolFinished() {
  // With no side panel tool, FormOption hides the text strip and puts the menu, the
  // toolbar and the canvas back to browsing.
  m_sidePanelServices->SetSelEffect(0);
  bool isAutoProcess = true;
  bool menuClick = true;
  FormOption(isAutoProcess, menuClick);
}

void FrmMain::Canvas_LayerCommitted() {
  m_textStrip->SetVisible(false);
  ArrangeMainPanes(false);
}

void FrmMain::Sheet_MouseUp() {
  m_skinMenu->SetVisible(false);
  m_thumbnailBar->ResetPaint();
  ClearFirstLDone();
  m_sidePanelServices->RefreshProperties();
  EnableImageButtons();
}

void FrmMain::Sheet_PictureDays(const QList<QDate>& days) {
  SidePanelServices& panel = *m_sidePanelServices;
  constexpr int kCalendarDays = 31;
  for (int i = 0; i < kCalendarDays; ++i) {
    panel.EnabledDays(i, false);
  }
  // Only days of the month the calendar shows hold pictures of that month; marking the
  // 15th for a file of another month would offer a day with nothing on it.
  for (const QDate& day : days) {
    if (day.month() == panel.CalenderMonth() && day.year() == panel.CalenderYear()) {
      panel.EnabledDays(day.day() - 1, true);
    }
  }
  panel.RefreshCalender();
}

void FrmMain::Sheet_DblClick() {
  SlideshowServices& own = OwnSlideshow();
  own.SetisFullView(true);
  own.Show();
  own.StartSlideshow(SelectedFiles::Program().At(0), nullptr);
}

void FrmMain::SidePanel_CalendarMouseUp(bool isUp) {
  if (!isUp) {
    return;
  }
  const SidePanelServices& panel = *m_sidePanelServices;
  m_sheet->SetDateWatch(DateWatchText(panel.CalenderDay(), panel.CalenderMonth(), panel.CalenderYear()));
  m_sheet->RefreshThumbnail(false);
}

QString FrmMain::DateWatchText(int day, int month, int year) {
  return QStringLiteral("%1-%2-%3-").arg(day).arg(month).arg(year);
}

void FrmMain::SidePanel_Pattern(const QString& SelFilename) {
  m_canvas->CreatePattenImg(SelFilename);
  m_canvas->Painting();
}

void FrmMain::SidePanel_ToolMouseDown() {
  m_skinMenu->SetVisible(false);
  MenuStates::ProperPanelSel(*m_skinMenu, m_sidePanelServices->Toolselect());
  bool isAutoProcess = false;
  bool menuClick = false;
  FormOption(isAutoProcess, menuClick);
}

void FrmMain::SidePanel_StampMouseUp(int StampEnter) {
  const QString stamp = m_sidePanelServices->StampFilename();
  if (StampEnter == kStampDelete) {
    // The trash asks before it takes the file.
    ModPublic::RecycleFile(stamp);
    m_sidePanelServices->RefreshFav();
  } else if (StampEnter == kStampUse) {
    SidePanel_StampDblClick();
  } else if (StampEnter == kStampEdit && ModPublic::AskSaveChanges() != Forms::vbCancel) {
    m_canvas->Open(stamp);
    m_canvas->EditingStampLib();
  }
}

void FrmMain::SidePanel_StampDblClick() {
  if (m_canvas->hasImage()) {
    UseStamp(true, true);
  }
}

void FrmMain::TextStrip_Font(const QString& textFont) { m_canvas->SetFontA(textFont); }
void FrmMain::TextStrip_Size(int textFontSize) { m_canvas->SetFontSizeA(textFontSize); }
void FrmMain::TextStrip_Style(int textFontStyle) { m_canvas->SetFontStyleA(textFontStyle); }
void FrmMain::TextStrip_Render(int textFontRender) { m_canvas->SetFontRenderA(textFontRender); }
void FrmMain::TextStrip_TextButton() { m_canvas->ShowHidetext(0, 0, 300, 200); }

void FrmMain::ImageToolbar_MouseDown() { m_skinMenu->SetVisible(false); }

void FrmMain::ImageToolbar_MouseUp(int PressID) {
  m_imageToolbarServices->StartPaint();
  if (PressID < 0 || PressID >= ButtonId(ImageToolbarButton::Count)) {
    return;
  }
  MenuCommands::Run(*this, ToolbarCommands::For(ImageToolbarButton(PressID)), MenuCommands::Route::Toolbar);
}
