#pragma once

#include <vector>

#include <QPointF>
#include <QRectF>
#include <QString>

namespace Gdip {

class Font;
class StringFormat;

// Text laid out in a layout rectangle the way the string format asks: lines broken at
// words when the rectangle has a width, cut to the lines that fit when it has a height,
// the last one ending in an ellipsis when the format trims with one.
struct TextLayout {
  struct Line {
    QString text;
    // The left end of the line's baseline.
    QPointF origin;
  };
  std::vector<Line> lines;
  // The measured box: the lines with their padding, placed by the alignments.
  QRectF box;
};

// Empty text gives no lines and a box of no size at the rectangle's corner. A rectangle
// of no width lays out without wrapping, one of no height without a line limit.
TextLayout LayoutString(const QString& text, const Font& font, const QRectF& layout, const StringFormat& format);

}  // namespace Gdip
