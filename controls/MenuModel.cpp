#include "controls/MenuModel.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "foundation/CommandKeys.h"

namespace {

namespace K = CommandKeys;

// One fixed row as written in the table below.
struct FixedRow {
  int menu;
  std::string_view key;
  std::string_view caption;
  std::string_view shortcut = {};
};

constexpr FixedRow Separator(int menu) { return {menu, K::Separator, K::Separator}; }

// Every fixed row, menu 0 first, in display order. Captions are shown exactly as written.
constexpr std::array<FixedRow, MenuModel::FixedRowCount> kFixedRows{{
    {0, K::File_New, "New", "Ctrl+N"},
    {0, K::File_Open, "Open...", "Ctrl+O"},
    Separator(0),
    {0, K::File_Save, "Save", "Ctrl+S"},
    {0, K::File_SaveAs, "Save As..."},
    {0, K::File_Savecopy, "Save a Copy..."},
    Separator(0),
    {0, K::File_Import, "Import to screen..."},
    {0, K::File_ImportLib, "Import to stamp libriary..."},
    {0, K::File_Fav, "Send to Stamp Libriary"},
    Separator(0),
    {0, K::File_Favdec, "Delete Stamp"},
    Separator(0),
    {0, K::File_Print, "Print", "Ctrl+P"},
    Separator(0),
    {0, K::File_Exit, "Exit"},
    {1, K::Edit_Undo, "Undo", "Ctrl+Z"},
    {1, K::Edit_Redo, "Redo", "Ctrl+Y"},
    Separator(1),
    {1, K::Edit_Deselect, "Cancel Selection", "Ctrl+D"},
    {1, K::Edit_Clearselect, "Clear Selection", "Ctrl+D"},
    {1, K::Edit_Inverse, "Invert Selection"},
    Separator(1),
    {1, K::Edit_Rasterize, "Rasterize"},
    Separator(1),
    {1, K::Edit_Copy, "Copy", "Ctrl+C"},
    {1, K::Edit_Paste, "Paste", "Ctrl+V"},
    Separator(1),
    {1, K::Edit_Delete, "Delete", "Del"},
    {1, K::Edit_Rename, "Rename"},
    {1, K::Edit_Copyto, "Copy to..."},
    {1, K::Edit_Moveto, "Move to..."},
    Separator(1),
    {1, K::Edit_Resize, "Resize Image"},
    {1, K::Edit_Resizec, "Resize Canvas"},
    Separator(1),
    {1, K::Edit_Hflip, "Flip Horizintal"},
    {1, K::Edit_Vflip, "Flip Vertical"},
    {1, K::Edit_Clockwise, "Rotate Clockwise"},
    {1, K::Edit_Crcolockwise, "Rotate Counterclockwise"},
    Separator(1),
    {1, K::Edit_Filter, "Filter Tool"},
    {1, K::Edit_Fav, "Stamp Tool"},
    {1, K::Edit_Keyword, "KeyWord Tool"},
    {1, K::Edit_Prop, "Calender Tool"},
    {2, K::View_Fullmode, "Full Browse"},
    {2, K::View_Fitmode, "Fit Image", "Shift+F"},
    Separator(2),
    {2, K::View_Zoomout, "Previous", "Shift+R"},
    {2, K::View_Zoomin, "Next", "Shift+E"},
    Separator(2),
    {2, K::View_Sortname, "Arrange Image By Name"},
    {2, K::View_Sortsize, "Arrange Image By Size"},
    {2, K::View_Sorttype, "Arrange Image By Type"},
    {2, K::View_Sortcreate, "Arrange Image By Created"},
    {2, K::View_Sortmodify, "Arrange Image By Modified"},
    Separator(2),
    {2, K::View_Sortstar, "Arrange Image By Star"},
    Separator(2),
    {2, K::View_Addstar, "Add Star"},
    {2, K::View_Removestar, "Remove Star"},
    Separator(2),
    {2, K::View_Slideshow, "Slideshow", "F5"},
    Separator(2),
    {2, K::View_Properties, "Properties"},
    {3, K::Filter_Browse, "Browse Image"},
    Separator(3),
    {3, K::Filter_Select, "Rectangular Marquee"},
    {3, K::Filter_EllipSelect, "Elliptical Marquee"},
    {3, K::Filter_FreeSelect, "Polygonal Lasso"},
    Separator(3),
    {3, K::Filter_EraserTool, "Eraser"},
    {3, K::Filter_DodgeTool, "Dodge"},
    {3, K::Filter_BurnTool, "Burn"},
    {3, K::Filter_Airbrush, "Airbrush"},
    Separator(3),
    {3, K::Filter_SmudgeTool, "Smudge Remover"},
    {3, K::Filter_SoftenTool, "Soften"},
    {3, K::Filter_SharpenTool, "Sharpen"},
    Separator(3),
    {3, K::Filter_SaturationTool, "Saturation"},
    Separator(3),
    {3, K::Filter_Redeye, "Red Eye"},
    Separator(3),
    {3, K::Filter_Crop, "Crop Image"},
    {3, K::Filter_Straight, "Straighten..."},
    {3, K::Filter_Irradiation, "Irradiation..."},
    Separator(3),
    {3, K::Filter_Text, "Add Text..."},
    {3, K::Filter_Cal, "Calendar"},
    Separator(3),
    {3, K::Filter_Line, "Line"},
    {3, K::Filter_Rectblank, "Rectangle"},
    {3, K::Filter_Ellipse, "Ellipse"},
    {3, K::Filter_Rectangle, "Fill Rectangle"},
    {3, K::Filter_Circular, "Fill Circular"},
    {4, K::Effect_Color, "Adjust Color"},
    {4, K::Effect_Gamma, "Adjust Gamma"},
    {4, K::Effect_Contrast, "Contrast..."},
    {4, K::Effect_Grey, "Grey..."},
    Separator(4),
    {4, K::Effect_Blur, "Blur"},
    {4, K::Effect_Sharpe, "Sharpe"},
    Separator(4),
    {4, K::Effect_Soften, "Soften"},
    Separator(4),
    {4, K::Effect_Ripple, "Ripple"},
    Separator(4),
    {4, K::Effect_Card, "Card Style"},
    Separator(4),
    {4, K::Effect_Bubble, "Bubbles"},
    {4, K::Effect_Firefly, "Fireflys"},
    Separator(4),
    {4, K::Effect_Rain, "Rains"},
    {4, K::Effect_Snow, "Snows"},
    {4, K::Effect_Cloud, "Clouds"},
    {4, K::Effect_Moon, "Moon"},
    {4, K::Effect_Lensflare, "Lens Flare"},
    Separator(4),
    {4, K::Effect_Mist, "Mists"},
    {4, K::Effect_Flower, "Flowers"},
    {5, K::Create_Desktop, "Wallpaper"},
    {5, K::Create_Desktopbg, "Wallpaper Background"},
    Separator(5),
    {5, K::Create_Scr, "Create Screensaver"},
    {6, K::Help_Index, "Help Contents And Index", "       F1"},
    Separator(6),
    {6, K::Help_Website, "Vesk Web Site"},
    {6, K::Help_Update, "Free Online Update (Internet)"},
    {7, K::Zoom_Small, "Small Dimension"},
    {7, K::Zoom_Normal, "Normal Dimension"},
    {7, K::Zoom_Middle, "Middle Dimension"},
    {7, K::Zoom_Large, "Large Dimension"},
    {7, K::Zoom_Maximal, "Maximal Dimension"},
    {8, K::Line_1, "1 Pixel"},
    {8, K::Line_3, "3 Pixels"},
    {8, K::Line_5, "5 Pixels"},
    {8, K::Line_7, "7 Pixels"},
    {8, K::Line_9, "9 Pixels"},
    {8, K::Line_11, "11 Pixel"},
    {8, K::Line_13, "13 Pixels"},
    {8, K::Line_15, "15 Pixels"},
    {8, K::Line_17, "17 Pixels"},
    {8, K::Line_19, "19 Pixels"},
    {8, K::Line_21, "21 Pixels"},
    {8, K::Line_23, "23 Pixels"},
    {8, K::Line_25, "25 Pixels"},
    {9, K::Star_Add, "Add Star"},
    {9, K::Star_Remove, "Remove Star"},
    {10, K::Stamp_Brusheraser, "Brush"},
    {10, K::Stamp_Pencileraser, "Pencil"},
    {10, K::Stamp_Blockeraser, "Block"},
    Separator(10),
    {10, K::Stamp_Size, "Default Size"},
    {10, K::Stamp_Send, "Send to Stamp"},
    Separator(10),
    {10, K::Stamp_Brush1, "Brush: 10 Pixel"},
    {10, K::Stamp_Brush2, "Brush: 20 Pixel"},
    {10, K::Stamp_Brush3, "Brush: 30 Pixel"},
    {10, K::Stamp_Brush4, "Brush: 40 Pixel"},
    {10, K::Stamp_Brush5, "Brush: 50 Pixel"},
    {10, K::Stamp_Brush6, "Brush: 60 Pixel"},
    {10, K::Stamp_Brush7, "Brush: 70 Pixel"},
    {10, K::Stamp_Brush8, "Brush: 80 Pixel"},
    {10, K::Stamp_Brush9, "Brush: 100 Pixel"},
    {10, K::Stamp_Brush10, "Brush: 120 Pixel"},
    {10, K::Stamp_Brush11, "Brush: 150 Pixel"},
    {11, K::Vector_Single, "Single Color"},
    {11, K::Vector_Radial, "Radial Gradient"},
}};

constexpr int CountRowsOf(int menu) {
  return int(std::count_if(kFixedRows.begin(), kFixedRows.end(), [menu](const FixedRow& r) { return r.menu == menu; }));
}

constexpr std::array<int, MenuModel::HistoryMenu> kMenuRows{CountRowsOf(0), CountRowsOf(1), CountRowsOf(2),
                                                            CountRowsOf(3), CountRowsOf(4), CountRowsOf(5),
                                                            CountRowsOf(6), CountRowsOf(7), CountRowsOf(8),
                                                            CountRowsOf(9), CountRowsOf(10), CountRowsOf(11)};

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

QString CommandKeyText(std::string_view key) { return Text(key); }

bool MenuRow::IsSeparator() const { return key == CommandKeyText(K::Separator); }

MenuModel::MenuModel() {
  m_rows.reserve(kFixedRows.size());
  for (const FixedRow& row : kFixedRows) {
    AddMenuItem(row.menu, Text(row.caption), CommandKeyText(row.key), Text(row.shortcut));
  }
}

std::optional<int> MenuModel::FixedMenuRows(int menu) {
  if (menu < 0 || menu >= HistoryMenu) {
    return std::nullopt;
  }
  return kMenuRows[std::size_t(menu)];
}

void MenuModel::AddMenuItem(int menu, const QString& caption, const QString& key, const QString& shortcut,
                            bool checked, bool disabled) {
  m_rows.push_back(MenuRow{menu, key, caption, shortcut, checked, disabled});
}

void MenuModel::RemoveRow(int number) {
  if (number > FixedRowCount && number <= RowCount()) {
    m_rows.erase(m_rows.begin() + (number - 1));
  }
}

namespace {

// The part of [first, first + count) that lies within rows 1 to total, as an offset and a length.
std::pair<std::size_t, std::size_t> RowRange(int first, int count, int total) {
  const int begin = std::clamp(first, 1, total + 1);
  const int end = std::clamp(first + std::max(count, 0), begin, total + 1);
  return {std::size_t(begin - 1), std::size_t(end - begin)};
}

}  // namespace

std::span<const MenuRow> MenuModel::Rows(int first, int count) const {
  const auto [offset, length] = RowRange(first, count, RowCount());
  return std::span<const MenuRow>(m_rows).subspan(offset, length);
}

std::span<MenuRow> MenuModel::Rows(int first, int count) {
  const auto [offset, length] = RowRange(first, count, RowCount());
  return std::span<MenuRow>(m_rows).subspan(offset, length);
}

std::optional<int> MenuModel::FirstRowOf(int menu) const {
  const auto found = std::find_if(m_rows.begin(), m_rows.end(), [menu](const MenuRow& r) { return r.menu == menu; });
  if (found == m_rows.end()) {
    return std::nullopt;
  }
  return int(found - m_rows.begin()) + 1;
}
