#include "platform/gdiplus/ReducedRows.h"

#include <algorithm>
#include <array>
#include <bit>

namespace Gdip {

bool ReducesTo(QSize source, QSize wanted) {
  return wanted.isValid() && !wanted.isEmpty() && wanted.width() <= source.width() &&
         wanted.height() <= source.height() && wanted != source;
}

ReducedRows::ReducedRows(QSize source, QSize wanted, QImage::Format format) : m_source(source) {
  m_reducing = ReducesTo(source, wanted);
  m_picture = QImage(m_reducing ? wanted : source, format);
  if (!m_reducing || m_picture.isNull()) {
    return;
  }
  m_weightByAlpha = format == QImage::Format_ARGB32;
  m_scratch.resize(std::size_t(source.width()));
  m_columnOf.resize(std::size_t(source.width()));
  m_columnWidth.assign(std::size_t(wanted.width()), 0);
  for (int x = 0; x < source.width(); ++x) {
    const int column = int(std::int64_t{x} * wanted.width() / source.width());
    m_columnOf[std::size_t(x)] = column;
    ++m_columnWidth[std::size_t(column)];
  }
  m_sums.assign(std::size_t(wanted.width()) * 4, 0);
  m_setBefore.assign(std::size_t(source.width() / 8) + 1, 0);
}

QRgb* ReducedRows::Row(int y) {
  return m_reducing ? m_scratch.data() : reinterpret_cast<QRgb*>(m_picture.scanLine(y));
}

void ReducedRows::EnterRow(int y) {
  const int target = int(std::int64_t{y} * m_picture.height() / m_source.height());
  if (target != m_targetRow && m_rowsInBox > 0) {
    EmitRow();
    m_targetRow = target;
  }
}

void ReducedRows::Finish(int y) {
  if (!m_reducing) {
    return;
  }
  EnterRow(y);
  std::uint64_t* const sums = m_sums.data();
  const int* const columnOf = m_columnOf.data();
  for (int x = 0; x < m_source.width(); ++x) {
    const QRgb p = m_scratch[std::size_t(x)];
    std::uint64_t* s = sums + std::size_t(columnOf[x]) * 4;
    const std::uint32_t weight = m_weightByAlpha ? qAlpha(p) : 1;
    s[0] += std::uint64_t(qRed(p)) * weight;
    s[1] += std::uint64_t(qGreen(p)) * weight;
    s[2] += std::uint64_t(qBlue(p)) * weight;
    s[3] += qAlpha(p);
  }
  ++m_rowsInBox;
}

namespace {

// The number of set bits in each byte value. (The build targets no particular processor,
// so a byte's count is faster looked up than counted.)
constexpr std::array<std::uint8_t, 256> kSetBits = [] {
  std::array<std::uint8_t, 256> counts{};
  for (unsigned i = 0; i < counts.size(); ++i) {
    counts[i] = std::uint8_t(std::popcount(i));
  }
  return counts;
}();

}  // namespace

void ReducedRows::FinishBits(int y, const std::uint8_t* bits, bool oneIsWhite) {
  if (!m_reducing) {
    QRgb* out = Row(y);
    for (int x = 0; x < m_source.width(); ++x) {
      const bool set = (bits[x / 8] >> (7 - x % 8)) & 1;
      out[x] = set == oneIsWhite ? 0xFFFFFFFFu : 0xFF000000u;
    }
    return;
  }
  EnterRow(y);
  // Set bits before each byte, then before the end of each box: a box's count is the
  // difference from the box before it.
  for (std::size_t i = 0; i + 1 < m_setBefore.size(); ++i) {
    m_setBefore[i + 1] = m_setBefore[i] + kSetBits[bits[i]];
  }
  const std::uint64_t weight = m_weightByAlpha ? 255 : 1;  // every pixel is opaque
  int end = 0;
  int before = 0;
  for (std::size_t column = 0; column < m_columnWidth.size(); ++column) {
    const int width = m_columnWidth[column];
    end += width;
    const int upTo = m_setBefore[std::size_t(end / 8)] + (end % 8 == 0 ? 0 : kSetBits[bits[end / 8] >> (8 - end % 8)]);
    const int set = upTo - before;
    before = upTo;
    const std::uint64_t white = std::uint64_t(oneIsWhite ? set : width - set) * 255 * weight;
    std::uint64_t* s = m_sums.data() + column * 4;
    s[0] += white;
    s[1] += white;
    s[2] += white;
    s[3] += std::uint64_t(width) * 255;
  }
  ++m_rowsInBox;
}

void ReducedRows::EmitRow() {
  auto* out = reinterpret_cast<QRgb*>(m_picture.scanLine(m_targetRow));
  for (int x = 0; x < m_picture.width(); ++x) {
    std::uint64_t* s = m_sums.data() + std::size_t(x) * 4;
    const std::uint64_t count = std::uint64_t(m_columnWidth[std::size_t(x)]) * std::uint64_t(m_rowsInBox);
    const std::uint64_t divisor = m_weightByAlpha ? s[3] : count;
    auto mean = [divisor](std::uint64_t sum) { return divisor == 0 ? 0 : int((sum + divisor / 2) / divisor); };
    out[x] = qRgba(mean(s[0]), mean(s[1]), mean(s[2]), int((s[3] + count / 2) / count));
    std::fill(s, s + 4, 0);
  }
  m_rowsInBox = 0;
}

QImage ReducedRows::Take() {
  if (m_reducing && m_rowsInBox > 0) {
    EmitRow();
  }
  return std::move(m_picture);
}

}  // namespace Gdip
