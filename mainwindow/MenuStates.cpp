#include "mainwindow/MenuStates.h"

#include <array>
#include <initializer_list>
#include <string_view>

#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/SkinnedControlServices.h"

namespace MenuStates {

namespace {

namespace K = CommandKeys;
using ToolModes::Mode;

// Irradiation is unticked twice, as the list was always walked.
constexpr std::array kCheckedTools{
    K::Filter_Browse,      K::Filter_Select,     K::Filter_FreeSelect,   K::Filter_EllipSelect,  K::Filter_Crop,
    K::Filter_Straight,    K::Filter_Text,       K::Filter_Cal,          K::Filter_Irradiation,  K::Filter_Redeye,
    K::Filter_Patten,      K::Filter_Irradiation, K::Filter_Circular,    K::Filter_Rectangle,    K::Filter_Line,
    K::Filter_Rectblank,   K::Filter_Ellipse,    K::Filter_EraserTool,   K::Filter_DodgeTool,    K::Filter_BurnTool,
    K::Filter_Airbrush,    K::Filter_SmudgeTool, K::Filter_SoftenTool,   K::Filter_SharpenTool,  K::Filter_SaturationTool,
    K::Effect_Blur,        K::Effect_Sharpe,     K::Effect_Soften,       K::Effect_Antialias,    K::Effect_Bubble,
    K::Effect_Firefly,     K::Effect_Rain,       K::Effect_Snow,         K::Effect_Flower,       K::Effect_Moon,
    K::Effect_Lensflare,   K::Effect_Card,       K::Effect_Color,        K::Effect_Gamma,        K::Effect_Grey,
    K::Effect_Contrast};

constexpr std::array kImageTools{
    K::Filter_Browse,  K::Filter_Select,      K::Filter_FreeSelect, K::Filter_EllipSelect, K::Filter_Crop,
    K::Filter_Straight, K::Filter_Text,       K::Filter_Cal,        K::Filter_Irradiation, K::Effect_Card,
    K::Effect_Color,   K::Effect_Gamma,       K::Effect_Grey,       K::Filter_Redeye,      K::Filter_Patten,
    K::Effect_Contrast, K::Filter_Circular,   K::Filter_Rectangle,  K::Filter_Line,        K::Filter_Rectblank,
    K::Filter_Ellipse};

constexpr std::array kStampTools{K::Filter_EraserTool,  K::Filter_DodgeTool,  K::Filter_BurnTool,
                                 K::Filter_Airbrush,    K::Filter_SmudgeTool, K::Filter_SoftenTool,
                                 K::Filter_SharpenTool, K::Filter_SaturationTool, K::Effect_Blur,
                                 K::Effect_Sharpe,      K::Effect_Soften,     K::Effect_Ripple,
                                 K::Effect_Contour};

constexpr std::array kImageOnlyEffects{K::Effect_Antialias, K::Effect_Bubble, K::Effect_Firefly, K::Effect_Rain,
                                       K::Effect_Snow,      K::Effect_Moon,   K::Effect_Lensflare, K::Effect_Cloud,
                                       K::Effect_Mist,      K::Effect_Flower};

constexpr std::array kSortKeys{K::View_Sortname, K::View_Sortsize, K::View_Sorttype,
                               K::View_Sortcreate, K::View_Sortmodify, K::View_Sortstar};

constexpr std::array kPanelSections{K::Edit_Filter, K::Edit_Fav, K::Edit_Keyword, K::Edit_Prop};

template <class Keys>
void Enable(SkinMenuServices& menu, const Keys& keys, bool enabled) {
  for (std::string_view key : keys) {
    menu.MenuVisible(CommandKeyText(key), enabled);
  }
}

void Enable(SkinMenuServices& menu, std::initializer_list<std::string_view> keys, bool enabled) {
  Enable<std::initializer_list<std::string_view>>(menu, keys, enabled);
}

void FileMenu(SkinMenuServices& menu, const Facts& f) {
  Enable(menu, {K::File_Save, K::File_SaveAs, K::File_Savecopy, K::File_Print}, f.hasImage);
  menu.MenuVisible(CommandKeyText(K::File_Fav), f.hasImage && (f.mode == Mode::FloatingStamp || f.mode == Mode::Browse));
  menu.MenuVisible(CommandKeyText(K::File_Import), f.hasImage);
}

void EditMenu(SkinMenuServices& menu, const Facts& f) {
  if (!f.hasImage) {
    Enable(menu, {K::Edit_Undo, K::Edit_Redo}, false);
  }
  Enable(menu, {K::Edit_Copy, K::Edit_All}, f.hasImage);
  if (f.mode == Mode::FloatingStamp) {
    menu.MenuVisible(CommandKeyText(K::Edit_All), false);
  }
  const ToolModes::ToolMode& row = ToolModes::Row(f.mode);
  Enable(menu, {K::Edit_Deselect, K::Edit_Clearselect, K::Edit_Inverse}, row.editsSelection);
  menu.MenuVisible(CommandKeyText(K::Edit_Rasterize), f.hasImage && row.rasterizes);
  Enable(menu, {K::Edit_Rename, K::Edit_Copyto, K::Edit_Moveto, K::Edit_Delete, K::Edit_Hflip, K::Edit_Vflip},
         f.hasImage);
  Enable(menu, {K::Edit_Clockwise, K::Edit_Crcolockwise, K::Edit_Resize, K::Edit_Resizec},
         f.mode != Mode::FloatingStamp && f.hasImage);
  menu.MenuVisible(CommandKeyText(K::Edit_Paste), f.clipboardHasImage);
  ProperPanelSel(menu, f.toolselect);
}

void BrowseMenu(SkinMenuServices& menu, const Facts& f) {
  // Full view, fit and stepping belong to browsing: an armed tool disables them.
  Enable(menu, {K::View_Fullmode, K::View_Fitmode, K::View_Zoomout, K::View_Zoomin}, f.hasImage && f.mode == Mode::Browse);
  Enable(menu, {K::View_Addstar, K::View_Removestar}, f.hasImage);
  Enable(menu, kSortKeys, f.sheetNoOpen);
  menu.MenuVisible(CommandKeyText(K::View_Slideshow), f.sheetNoOpen);
  menu.MenuChecked(CommandKeyText(K::View_Fitmode), f.fitPressed);
}

void ToolMenu(SkinMenuServices& menu, const Facts& f) {
  bool enabled = f.hasImage;
  EnabledVMenu(menu, f.mode, enabled);
  CancelMenuChecked(menu, false);
  menu.MenuChecked(f.currentToolKey, true);
}

void CreateMenu(SkinMenuServices& menu, const Facts& f) {
  Enable(menu, {K::Create_Desktop, K::Create_Desktopbg, K::Create_Scr}, f.hasImage && f.mode == Mode::Browse);
}

}  // namespace

void CancelMenuChecked(SkinMenuServices& menu, bool setDefault) {
  for (std::string_view key : kCheckedTools) {
    menu.MenuChecked(CommandKeyText(key), false);
  }
  if (setDefault) {
    menu.MenuChecked(CommandKeyText(K::Filter_Browse), true);
  }
}

void EnabledVMenu(SkinMenuServices& menu, Mode mode, bool& enabled) {
  const bool floating = mode == Mode::FloatingStamp;
  if (floating) {
    enabled = false;
  }
  Enable(menu, kImageTools, enabled);
  Enable(menu, kStampTools, floating || enabled);
  if (floating) {
    enabled = false;
  }
  Enable(menu, kImageOnlyEffects, enabled);
}

void ProperPanelSel(SkinMenuServices& menu, int toolselect) {
  for (std::size_t section = 0; section < kPanelSections.size(); ++section) {
    menu.MenuChecked(CommandKeyText(kPanelSections[section]), int(section) == toolselect);
  }
}

void MenuSetting(SkinMenuServices& menu, int pressID, const Facts& facts) {
  switch (pressID) {
    case 0: FileMenu(menu, facts); break;
    case 1: EditMenu(menu, facts); break;
    case 2: BrowseMenu(menu, facts); break;
    case 3:
    case 4: ToolMenu(menu, facts); break;
    case 5: CreateMenu(menu, facts); break;
    default: break;
  }
}

}  // namespace MenuStates
