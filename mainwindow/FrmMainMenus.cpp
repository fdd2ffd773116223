// The drawn menus: opening a menu from the menu-bar strip, switching menus while one is
// open, and what a pick in a menu does.
#include "mainwindow/FrmMain.h"

#include <array>

#include <QFileInfo>
#include <QTimer>

#include "browse/ModFolderView.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "controls/ToolbarUser.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/SelectedFiles.h"
#include "mainwindow/MenuCommands.h"
#include "mainwindow/MenuStates.h"
#include "platform/Clipboard.h"

namespace {

constexpr int kStripMenuWidth = 217;
// What each menu-bar menu's height differs from the height of its rows: each menu ends
// as close under its last row as its separators allow.
constexpr std::array<int, ToolbarUser::TitleCount> kStripMenuHeightOffset{-10, -20, -20, -25, -15, 10, 0};
constexpr int kFileMenu = 0;
constexpr int kEditMenu = 1;
// The side panel's section that shows the stamp library.
constexpr int kStampLibrarySection = 1;
// Lets the screen repaint without the menu before the command runs.
constexpr int kCommandPauseMs = 200;

}  // namespace

void FrmMain::SetUpSkinMenu(int menu, int width) {
  SkinMenuServices& skinMenu = *m_skinMenu;
  const QRect place = m_skinMenu->geometry();
  skinMenu.SetMemFirst(true);
  // The rows are laid out for the menu's width, so the width comes first.
  skinMenu.Move(place.x(), place.y(), width, place.height());
  skinMenu.SetInitializemenu(menu);
}

void FrmMain::PaintSkinMenuAt(QPoint at, int width, int height) {
  m_skinMenu->Move(at.x(), at.y(), width, height);
  m_skinMenu->MenuPainting();
}

void FrmMain::OpenStripMenu(float X) {
  const int id = m_menuBar->PressID();
  if (id < 0 || id >= ToolbarUser::TitleCount) {
    return;
  }
  SetUpSkinMenu(id, kStripMenuWidth);
  SkinMenuServices& menu = *m_skinMenu;
  if (id == kFileMenu) {
    menu.MenuVisible(CommandKeyText(CommandKeys::File_Favdec),
                     m_sidePanelServices->Toolselect() == kStampLibrarySection);
  } else if (id == kEditMenu) {
    menu.MenuVisible(CommandKeyText(CommandKeys::Edit_Undo), m_canvas->UndoE());
    menu.MenuVisible(CommandKeyText(CommandKeys::Edit_Redo), m_canvas->RedoE());
  }
  Menu_Setting();
  const QWidget& strip = *m_menuBar;
  const int height = int(menu.New_Height()) + kStripMenuHeightOffset[std::size_t(id)];
  PaintSkinMenuAt(QPoint(int(X), strip.y() + strip.height()), kStripMenuWidth, height);
  menu.SetVisible(true);
}

void FrmMain::qzToolbarUser_MouseMove(float X) {
  if (m_skinMenu->Visible()) {
    OpenStripMenu(X);
  }
}

void FrmMain::SkinMenu_MouseUp() {
  SkinMenuServices& menu = *m_skinMenu;
  if (menu.PressMenuEnabled() == 0 || m_commandRunning) {
    return;
  }
  m_commandRunning = true;
  m_busy.emplace();
  menu.SetVisible(false);
  // A timer step, not a nested loop: the window may close meanwhile, which cancels it.
  QTimer::singleShot(kCommandPauseMs, this, [this] { FinishMenuCommand(); });
}

void FrmMain::FinishMenuCommand() {
  ApplyFirstLRule(true);
  if (m_skinMenu->Initializemenu() == MenuModel::HistoryMenu) {
    HistoryPick();
  } else if (m_skinMenu->lngVisible() != 0) {
    RunMenuCommand(m_skinMenu->PressMenuID());
  }
  m_busy.reset();
  m_commandRunning = false;
  if (m_closeDeferred) {
    m_closeDeferred = false;
    close();
  }
}

void FrmMain::HistoryPick() {
  LeftSkinstyle();
  ModFolderView::SelectFolderPath(m_skinMenu->Caption());
}

void FrmMain::RunMenuCommand(const QString& key) {
  const MenuCommands::Command* command = MenuCommands::Find(key);
  if (command == nullptr) {
    return;
  }
  m_pickedKey = key;
  MenuCommands::Run(*this, command->key, MenuCommands::Route::Menu);
  m_pickedKey.clear();
}

void FrmMain::DeleteSelectedFiles() {
  const QString shown = m_canvas->CurFilename;
  // Trashing the shown file puts the file's copy in the picture's place: its unsaved
  // changes are asked about first. A new picture is not trashed, so it is not asked about.
  const bool trashesShown = m_canvas->HasFileOfItsOwn();
  if (trashesShown && !MayReplacePicture()) {
    return;
  }
  const QStringList selected = SelectedFiles::Program().Files();
  m_canvas->DeleteImage();
  for (const QString& file : selected) {
    // The shown file was asked about already; a file gone meanwhile is skipped.
    if (file != shown && QFileInfo::exists(file)) {
      ModPublic::RecycleFile(file);
    }
  }
  m_sheet->RefreshThumbnail();
}

void FrmMain::Menu_Setting() {
  MenuStates::Facts facts;
  facts.hasImage = m_canvas->hasImage();
  facts.mode = m_canvas->CurrentMode();
  facts.sheetNoOpen = m_sheet->NoOpen;
  facts.clipboardHasImage = Clipboard::HasImage();
  facts.fitPressed = m_imageToolbarServices->Rpressdown(ButtonId(ImageToolbarButton::Fit));
  facts.toolselect = m_sidePanelServices->Toolselect();
  facts.currentToolKey = ModPublic::CurrentToolKey;
  MenuStates::MenuSetting(*m_skinMenu, m_menuBar->PressID(), facts);
}
