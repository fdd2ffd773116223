#pragma once
// The look of the small skinned windows: one skin picture stretched to the window's size
// by a nine-piece copy. The corners keep their own size; the edges and the centre are
// stretched from thin strips. Magenta marks what lies outside the window's shape.

#include <vector>

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>

// The colour outside the window's shape, in the skin and in every background made from it.
inline constexpr QRgb kSkinMaskColor = 0xFFFF00FF;

// The program's own skin "MAINSKIN", 237 x 104: a title band in the top 52 rows, the
// window's bottom in the bottom 52, rounded corners cut out in magenta.
const QImage& MainSkin();

// One stretched copy: a rectangle of the skin onto a rectangle of the background.
struct SkinPiece {
  QRect target;
  QRect source;
};

// The pieces a background of the target size is copied from, in drawing order (later
// pieces cover the overlaps of earlier ones). Pieces that would be zero or less wide or
// tall (a target narrower than 206 pixels) are left out rather than drawn mirrored.
std::vector<SkinPiece> SkinPieces(QSize target, QSize source);

// The skin copied to a window of the target size. The copy is not smoothed, so the
// magenta stays exact for the window's shape.
QImage CreateSkinBackground(QSize target, const QImage& source = MainSkin());
