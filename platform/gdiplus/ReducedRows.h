#pragma once
// Where a reader puts the rows of 32-bit pixels it decodes, top row first: straight into
// the picture, or, when a smaller size is wanted (a thumbnail), through a box filter that
// holds one row of sums. A thumbnail of a format the decoder cannot shrink by itself then
// costs one pass over the rows and no picture of the full size.

#include <cstdint>
#include <vector>

#include <QImage>
#include <QSize>

namespace Gdip {

// Whether a picture of size `source` is reduced to `wanted`: a valid size smaller on both
// sides and not the same.
bool ReducesTo(QSize source, QSize wanted);

class ReducedRows {
 public:
  // Rows of `format` (RGB32, ARGB32 or ARGB32_Premultiplied) for a picture of size
  // `source`, kept at `wanted` when that is valid and smaller on both sides.
  ReducedRows(QSize source, QSize wanted, QImage::Format format);

  // False when the memory for the picture is not there.
  bool Ok() const { return !m_picture.isNull(); }
  // Where picture row y is to be written; rows come in order.
  QRgb* Row(int y);
  // Row y is complete.
  void Finish(int y);
  // Row y given instead as black and white pixels, one bit each, the first in the high
  // bit: a set bit is white when oneIsWhite. Each box counts its white pixels, so the
  // picture comes out as if the row had been written as 32-bit pixels.
  void FinishBits(int y, const std::uint8_t* bits, bool oneIsWhite);
  // The picture: at the wanted size once every row is finished.
  QImage Take();

 private:
  // Emits the finished box row when row y starts the next one.
  void EnterRow(int y);
  void EmitRow();

  QSize m_source;
  QImage m_picture;
  bool m_reducing = false;
  bool m_weightByAlpha = false;  // straight alpha: colours count by their opacity
  std::vector<QRgb> m_scratch;
  std::vector<int> m_columnOf;      // the target column of each source column
  std::vector<int> m_columnWidth;   // source columns per target column
  std::vector<int> m_setBefore;     // of a row of bits, the set bits before each whole byte
  std::vector<std::uint64_t> m_sums;  // red, green, blue, alpha per target column
  int m_targetRow = 0;
  int m_rowsInBox = 0;
};

}  // namespace Gdip
