#pragma once
// Whole-picture turns, mirrors and copies made the way edits need them: into fresh
// memory of their own (PictureMemory, huge pages for large pictures) and on every core,
// where Qt's own do one core's work over memory that is faulted in page by page.
// 32-bit pictures take this path; other layouts go through Qt as before.

#include <QImage>

namespace Gdip {

// The picture turned a quarter, clockwise or counter-clockwise as it is shown.
QImage QuarterTurned(const QImage& picture, bool clockwise);

// The picture mirrored left to right, top to bottom, or both.
QImage Mirrored(const QImage& picture, bool horizontally, bool vertically);

// A copy of the picture as 32-bit ARGB (not premultiplied), shared with nothing, for an
// edit to draw on. Opaque 32-bit pixels are the same bytes.
QImage EditableCopy(const QImage& picture);

// True when every pixel has full alpha; a layout without alpha always has.
bool IsOpaque(const QImage& picture);

// A straight or premultiplied 32-bit ARGB picture changed in place to the other of the
// two. An opaque picture reads the same either way: only its format changes, with no
// pass over its pixels.
void SwitchAlphaForm(QImage& picture, QImage::Format format);

}  // namespace Gdip
