// The main window's life: load, resize, the layout timer that shows the panes once the
// folder tree is in place, and the one close path with query-unload and unload.
#include "mainwindow/FrmMain.h"

#include <array>

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>

#include "browse/ModFolderView.h"
#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "canvas/ToolHint.h"
#include "controls/ButtonControl.h"
#include "controls/MenuModel.h"
#include "controls/ToolbarUser.h"
#include "controls/YDSTextControl.h"
#include "controls/ZpYSkinMenu.h"
#include "effects/EffectObjects.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModFont.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "mainwindow/WheelHook.h"

namespace {

// The temporary files of a session, under the program folder; a close removes them.
constexpr std::array<QStringView, 3> kSessionFiles{u"Skintemp.tmp", u"Librarians/Stamptemp.tmp",
                                                   u"Datas/libtemplorvne.dat"};

}  // namespace

void FrmMain::LoadStoredSettings() {
  // The side panel goes back to the browse tool before the stored fit mode comes in.
  m_sidePanelServices->SetSelEffect(0);
  bool isAutoProcess = false;
  bool menuClick = true;
  FormOption(isAutoProcess, menuClick);
  if (!ModqzReg::LoadSettings(*this)) {
    return;
  }
  // The fit button and the menu's mark follow the canvas's fit mode as it ends up.
  const bool fit = FitMode();
  m_imageToolbarServices->PressDownID(ButtonId(ImageToolbarButton::Fit), fit);
  // MenuVisible addresses the rows of the current menu, so the view menu (2) is chosen first.
  m_skinMenu->SetMemFirst(true);
  m_skinMenu->SetCurrentlyMenu(2);
  m_skinMenu->MenuVisible(CommandKeyText(CommandKeys::View_Fitmode), fit);
  SettingArrange_Menu(ModqzReg::ArrangeString);
  m_textStrip->SetTextFontColor(TextColor());
}

void FrmMain::Form_Load() {
  m_timer2.start();
  LoadStoredSettings();
  // Names no folder: the folder tree opens without a remembered one.
  ModqzReg::CurrentDirectory = QStringLiteral("...");
  m_titleSkin->SetTitle(windowTitle());
  m_titleSkin->SetBackground(ModGDI::MakeARGB(200, 100, 140, 255));
  m_wheel->HookMainWindow(*this);
  m_thumbnailBar->HandleHDC(false);
  ModFont::AddFontFamilyItems(*m_cbFont);
  QStringList fonts;
  for (int i = 0; i < m_cbFont->count(); ++i) {
    fonts << m_cbFont->itemText(i);
  }
  m_textStrip->AddFontMode(fonts);
  CreateSlideshows();
  m_canvas->CreateBrush();
  m_zoomStep = 1.0F;
  // The default tools replace what the settings held.
  ModqzReg::LineMenu = CommandKeyText(CommandKeys::Line_1);
  ModPublic::StampBrushKey = CommandKeyText(CommandKeys::Stamp_Brush3);
  ModPublic::CurrentToolKey = CommandKeyText(CommandKeys::Filter_Browse);
  ModqzReg::SelectionCombineMode = 1;
  m_skinMenu->SetPressMenuID(ModPublic::CurrentToolKey);
  // The window starts over the work area, so that the first resize already has the size
  // the stored bars are brought inside.
  ResizeScr();
}

void FrmMain::resizeEvent(QResizeEvent* event) {
  SkinSurface::resizeEvent(event);
  Form_Resize();
}

void FrmMain::Form_Resize() {
  if (m_firstResizeDone) {
    ArrangeMainPanes();
    RefreshProcessPanel();
    // The title bar and the menu-bar strip span the window: they are drawn again at its width.
    LoadSkin();
    m_menuBar->Create();
    return;
  }
  // The placing over the work area below resizes the window again; that resize is a later one.
  m_firstResizeDone = true;
  ApplyArrangement({PaneLayout::BarsInside(size(), Panes()), false, false});
  ArrangeMainPanes();
  SetPanesVisible(false);
  CPressButton();
  m_menuBar->Create();
  m_panesReady = true;
  ModqzReg::SkipSettingsLoad = true;
}

void FrmMain::Timer2_Timer() {
  if (!m_panesReady || !ModFolderView::FolderTreeReady) {
    return;
  }
  m_timer2.stop();
  RepaintMainControls();
  RefreshProcessPanel();
  SetPanesVisible(true);
  // Showing every pane must not undo what the layout hid (a collapsed column or pane).
  ArrangeMainPanes();
  // The keys work from the start: the sheet has the focus once it is shown, unless the
  // user gave it to a pane already.
  if (focusWidget() == nullptr || !focusWidget()->isVisible()) {
    m_sheet->setFocus();
  }
}

// Every way of closing the window comes here: the title bar, the window manager, the
// taskbar entry and the menu's exit. Unsaved changes are asked about first.
void FrmMain::closeEvent(QCloseEvent* event) {
  if (m_unloaded) {
    event->accept();
    return;
  }
  if (m_commandRunning) {
    m_closeDeferred = true;
    event->ignore();
    return;
  }
  if (ModPublic::AskSaveChanges() == 2) {
    event->ignore();
    return;
  }
  Form_QueryUnload();
  Form_Unload();
  m_unloaded = true;
  event->accept();
  emit Unloaded();
}

void FrmMain::Form_QueryUnload() {
  // A stamp file still being written would come back after its removal.
  m_canvas->WaitForStampFiles();
  const QString folder = ModPublic::ProgramFolder();
  for (QStringView file : kSessionFiles) {
    // A file that is not there is nothing to remove.
    QFile::remove(folder + file.toString());
  }
}

void FrmMain::Form_Unload() {
  m_timer2.stop();
  m_wheel->UnhookMainWindow();
  UnloadSecondaryWindows();
  ModEffects::ReleaseEffectObjects();
  ToolHint::DeleteHintResources();
  ModFolderView::CloseFolderView();
  ModqzReg::SaveSettings(*this);
}

// Minimise and restore belong to the window manager, through the window's own taskbar
// entry; a restored window repaints its title bar.
void FrmMain::changeEvent(QEvent* event) {
  SkinSurface::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
    LoadSkin();
  }
}
