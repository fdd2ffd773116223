#include "mainwindow/TemporaryMenu.h"

#include <array>

#include <QString>

#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModPublic.h"

namespace TemporaryMenu {

namespace {

namespace K = CommandKeys;

// The fill style of the shape tools, from the shape options pop-up.
template <const std::string_view& Key>
void FillStyle(Imageqzviewer& canvas) {
  ModPublic::VectorFillStyle = CommandKeyText(Key);
  canvas.Painting();
}

const std::array<Row, 2> kRows{{
    {K::Vector_Single, "Single Color", FillStyle<K::Vector_Single>},
    {K::Vector_Radial, "Radial Gradient", FillStyle<K::Vector_Radial>},
}};

}  // namespace

std::span<const Row> Rows() { return kRows; }

bool Run(const QString& key, Imageqzviewer& canvas) {
  for (const Row& row : kRows) {
    if (key == CommandKeyText(row.key)) {
      row.action(canvas);
      return true;
    }
  }
  return false;
}

}  // namespace TemporaryMenu
