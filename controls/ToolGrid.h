#pragma once
// The grid of twelve tool icons with captions that the tool panel and the side panel's
// tools section both draw: three cells of 50 x 50 to a row, columns at x 15, 95 and 175,
// rows 70 apart from y 20, and the rounded grey mark behind the chosen tool.

#include <array>
#include <memory>

#include <QPointF>
#include <QRectF>
#include <QString>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {
class Bitmap;
class Graphics;
}  // namespace Gdip

namespace ToolGrid {

inline constexpr int ToolCount = 12;
using Captions = std::array<const char*, ToolCount>;
using Icons = std::array<std::unique_ptr<Gdip::Bitmap>, ToolCount>;

// The cell of every tool.
std::array<QRectF, ToolCount> Cells();
// The first tool whose cell holds the point (left and top edges inside), -1 for none.
int ToolAt(QPointF point);
// "Datas/Icon000.png" to "Datas/Icon011.png" under the program folder.
QString IconPath(int index);
// The icons, each null when its file is missing or unreadable.
Icons LoadIcons();
// Draws a tool's icon scaled to 44 x 34 at its cell and its caption centred below it;
// a missing icon leaves the square empty.
void DrawTool(Gdip::Graphics& g, int index, const Gdip::Bitmap* icon, const QString& caption);
// The rounded mark behind the chosen tool, 60 x 65 from 8 pixels above and left of its cell.
void DrawMark(Gdip::Graphics& g, int index, Gdip::ARGB fill);

}  // namespace ToolGrid
