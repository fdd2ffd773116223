// The pop-up menus' commands: thumbnail sizes, fill styles, the stamp's brushes, erasers,
// size and its own undo. The chosen rows are kept in the shared settings.
#include <array>

#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "mainwindow/FrmMain.h"
#include "mainwindow/MenuCommandHandlers.h"

namespace MenuCommands::Handlers {

namespace {

namespace K = CommandKeys;

// A pop-up row and the number it stands for.
struct KeyValue {
  std::string_view key;
  int value;
};

template <std::size_t N>
const KeyValue* Lookup(const std::array<KeyValue, N>& table, std::string_view key) {
  for (const KeyValue& row : table) {
    if (row.key == key) {
      return &row;
    }
  }
  return nullptr;
}

// Unticks every row of a group, then ticks the chosen one when asked.
template <std::size_t N>
void CheckOnly(FrmMain& window, const std::array<KeyValue, N>& group, std::string_view chosen, bool tick) {
  SkinMenuServices* menu = window.SkinMenu();
  if (menu == nullptr) {
    return;
  }
  for (const KeyValue& row : group) {
    menu->MenuChecked(CommandKeyText(row.key), false);
  }
  if (tick) {
    menu->MenuChecked(CommandKeyText(chosen), true);
  }
}

constexpr std::array<KeyValue, 5> kThumbnailSizes{{
    {K::Zoom_Small, 60}, {K::Zoom_Normal, 100}, {K::Zoom_Middle, 120}, {K::Zoom_Large, 140}, {K::Zoom_Maximal, 150}}};

constexpr std::array<KeyValue, 3> kFillStyles{{{K::Vector_Single, 0}, {K::Vector_Linear, 1}, {K::Vector_Radial, 2}}};

// The last three brushes are wider than their row captions say; nothing stored depends on it.
constexpr std::array<KeyValue, 11> kBrushSizes{{{K::Stamp_Brush1, 10},
                                                {K::Stamp_Brush2, 20},
                                                {K::Stamp_Brush3, 30},
                                                {K::Stamp_Brush4, 40},
                                                {K::Stamp_Brush5, 50},
                                                {K::Stamp_Brush6, 60},
                                                {K::Stamp_Brush7, 70},
                                                {K::Stamp_Brush8, 80},
                                                {K::Stamp_Brush9, 110},
                                                {K::Stamp_Brush10, 120},
                                                {K::Stamp_Brush11, 130}}};

constexpr std::array<KeyValue, 3> kErasers{
    {{K::Stamp_Brusheraser, 0}, {K::Stamp_Pencileraser, 1}, {K::Stamp_Blockeraser, 2}}};

}  // namespace

void ThumbnailSize(FrmMain& window, std::string_view key) {
  const KeyValue* size = Lookup(kThumbnailSizes, key);
  if (size == nullptr) {
    return;
  }
  CheckOnly(window, kThumbnailSizes, key, true);
  ModqzReg::ThumSizeMenu = CommandKeyText(key);
  ThumViewer& sheet = window.Sheet();
  sheet.SetThumWidth(size->value);
  sheet.SetThumHeight(size->value);
  sheet.CreateThumbnail();
}

void FillStyle(FrmMain& window, std::string_view key) {
  ModPublic::VectorFillStyle = CommandKeyText(key);
  CheckOnly(window, kFillStyles, key, true);
  // The fill's preview shows the new style at once, not at the next colour pick.
  window.Canvas().Painting();
}

void BrushSize(FrmMain& window, std::string_view key) {
  const KeyValue* size = Lookup(kBrushSizes, key);
  if (size == nullptr) {
    return;
  }
  ModPublic::StampBrushKey = CommandKeyText(key);
  window.Canvas().SetBrushSize(size->value);
  // The chosen row's tick is left to the pop-up's opening.
  CheckOnly(window, kBrushSizes, key, false);
}

void Eraser(FrmMain& window, std::string_view key) {
  const KeyValue* eraser = Lookup(kErasers, key);
  if (eraser == nullptr) {
    return;
  }
  ModPublic::EraserToolKey = CommandKeyText(key);
  window.Canvas().EraserOptions(eraser->value);
  CheckOnly(window, kErasers, key, false);
}

void StampSize(FrmMain& window, std::string_view) {
  window.Canvas().ResetStampsize(true);
  window.Canvas().Painting();
}

void StampHistory(FrmMain& window, std::string_view key) { window.Canvas().UndoStampRedo(key == K::Stamp_Undo); }

}  // namespace MenuCommands::Handlers
