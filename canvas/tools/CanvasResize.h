#pragma once
// The canvas resize: a new picture of the asked size, filled with a colour, with the old
// picture centred on it unscaled.

#include <cstdint>

#include <QImage>
#include <QSize>

namespace CanvasResize {

// The largest side and picture the canvas makes: beyond them the painting system cannot
// draw or the memory for one picture is not there.
inline constexpr int kMaxSide = 32767;
inline constexpr qint64 kMaxPixels = qint64(1) << 29;

// True for a size of at least one pixel each way within the limits.
bool Allowed(QSize size);
// The picture centred at whole pixels (the odd pixel of a difference goes to the right
// and bottom) on a size x size picture of the RGB colour made opaque; cropped evenly
// where it is larger. Null for a size not allowed or that cannot be allocated.
QImage Resized(const QImage& picture, QSize size, std::uint32_t rgb);

}  // namespace CanvasResize
