// The drawn menus: opening a menu from the menu-bar strip, switching menus while one is
// open, and what a pick in a menu does.
#include "mainwindow/FrmMain.h"

#include <array>

#include "browse/ModFolderView.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "controls/ToolbarUser.h"
#include "foundation/CommandKeys.h"
#include "mainwindow/TemporaryMenu.h"

namespace {

constexpr int kStripMenuWidth = 217;
// What each menu-bar menu's height differs from the height of its rows: each menu ends
// as close under its last row as its separators allow.
constexpr std::array<int, ToolbarUser::TitleCount> kStripMenuHeightOffset{-10, -20, -20, -25, -15, 10, 0};
constexpr int kFileMenu = 0;
constexpr int kEditMenu = 1;
// The side panel's section that shows the stamp library.
constexpr int kStampLibrarySection = 1;

}  // namespace

void FrmMain::SetUpSkinMenu(int menu, int width) {
  SkinMenuServices& skinMenu = *m_skinMenu.services;
  const QRect place = m_skinMenu.widget->geometry();
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
  SkinMenuServices& menu = *m_skinMenu.services;
  if (id == kFileMenu) {
    menu.MenuVisible(CommandKeyText(CommandKeys::File_Favdec), m_sidePanel->Toolselect() == kStampLibrarySection);
  } else if (id == kEditMenu) {
    menu.MenuVisible(CommandKeyText(CommandKeys::Edit_Undo), m_canvas->UndoE);
    menu.MenuVisible(CommandKeyText(CommandKeys::Edit_Redo), m_canvas->RedoE);
  }
  // FIXME: the menu enable states of the tool and the image (Menu_Setting) are set here.
  const QWidget& strip = *m_menuBar.widget;
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
  SkinMenuServices& menu = *m_skinMenu.services;
  if (menu.PressMenuEnabled() == 0) {
    return;
  }
  menu.SetVisible(false);
  if (menu.Initializemenu() == MenuModel::HistoryMenu) {
    HistoryPick();
  } else {
    RunMenuCommand(menu.PressMenuID());
  }
}

void FrmMain::HistoryPick() {
  LeftSkinstyle();
  ModFolderView::SelectFolderPath(m_skinMenu->Caption());
}

// FIXME: the command dispatcher runs the picked key here; until then the working editing
// commands run from their table and the other keys do nothing.
void FrmMain::RunMenuCommand(const QString& key) { TemporaryMenu::Run(key, *m_canvas, *this); }
