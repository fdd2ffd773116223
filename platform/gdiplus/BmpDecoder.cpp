// Our own BMP reader. Qt's reader leaves the pixels that run-length codes skip as the
// allocation held them, reads palette indexes past a short colour table, shifts narrow
// bit fields instead of scaling them and shows files cut short as whole; every layout
// is decoded here instead, into a picture whose every pixel is defined.
#include "platform/gdiplus/BmpCodec.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/PictureMemory.h"
#include "platform/gdiplus/ReducedRows.h"

namespace Gdip::BmpCodec {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;  // the old OS/2 layout: 16-bit sizes, 3-byte colours
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;
// Pictures beyond this many pixels are refused before anything is allocated.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 29;

struct Header {
  int Width = 0;
  int Height = 0;
  bool TopDown = false;
  int Bpp = 0;
  std::uint32_t Compression = kBiRgb;
  std::uint32_t ColoursUsed = 0;
  std::size_t PaletteStart = 0;
  std::size_t PaletteEntrySize = 4;
  std::array<std::uint32_t, 4> Masks{};  // red, green, blue, alpha
  bool HasMasks = false;
};

bool ValidDepth(int bpp) { return bpp == 1 || bpp == 2 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32; }

// Reads the info header at `at`; the masks of the bit-field layouts follow a 40-byte
// header or sit inside the longer ones.
std::optional<Header> ReadHeader(const LeReader& in, std::size_t at) {
  const std::uint32_t size = in.U32(at);
  Header h;
  std::int32_t rawHeight = 0;
  if (size == kCoreHeaderSize) {
    h.Width = in.U16(at + 4);
    rawHeight = in.U16(at + 6);
    h.Bpp = in.U16(at + 10);
    h.PaletteEntrySize = 3;
  } else if (size >= 16) {
    h.Width = in.I32(at + 4);
    rawHeight = in.I32(at + 8);
    h.Bpp = in.U16(at + 14);
    h.Compression = size >= 20 ? in.U32(at + 16) : kBiRgb;
    h.ColoursUsed = size >= 36 ? in.U32(at + 32) : 0;
  } else {
    return std::nullopt;
  }
  // The 64-byte OS/2 header numbers its own compressions (3 is Huffman, 4 is 24-bit RLE).
  if (size == 64 && (h.Compression == 3 || h.Compression == 4)) {
    return std::nullopt;
  }
  h.PaletteStart = at + size;
  const bool bitfields = h.Compression == kBiBitfields || h.Compression == kBiAlphaBitfields;
  if (bitfields) {
    h.HasMasks = true;
    const std::size_t maskAt = size >= 52 ? at + 40 : at + size;
    const int count = h.Compression == kBiAlphaBitfields || size >= 56 ? 4 : 3;
    for (int i = 0; i < count; ++i) {
      h.Masks[std::size_t(i)] = in.U32(maskAt + std::size_t(i) * 4);
    }
    if (size < 52) {
      h.PaletteStart += std::size_t(count) * 4;
    }
  }
  if (!in.Ok() || h.Width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<std::int32_t>::min() ||
      !ValidDepth(h.Bpp)) {
    return std::nullopt;
  }
  h.TopDown = rawHeight < 0;
  h.Height = rawHeight < 0 ? -rawHeight : rawHeight;
  const bool rle = h.Compression == kBiRle8 || h.Compression == kBiRle4;
  const bool known = h.Compression == kBiRgb || (h.Compression == kBiRle8 && h.Bpp == 8) ||
                     (h.Compression == kBiRle4 && h.Bpp == 4) || (bitfields && (h.Bpp == 16 || h.Bpp == 32));
  if (!known || (rle && h.TopDown) || std::int64_t{h.Width} * h.Height > kMaxPixels) {
    return std::nullopt;
  }
  return h;
}

// The colour table, padded to 256 opaque black entries so that an index beyond the
// table the file holds draws black instead of reading past it. Only the entries present
// before the pixels are taken: short tables of old files hold fewer than the depth allows.
QList<QRgb> ReadPalette(const LeReader& in, const Header& h, std::size_t bitsOffset) {
  const std::size_t declared = h.ColoursUsed != 0 ? std::min<std::size_t>(h.ColoursUsed, 256) : std::size_t{1} << h.Bpp;
  const std::size_t room = bitsOffset > h.PaletteStart ? (bitsOffset - h.PaletteStart) / h.PaletteEntrySize : 0;
  const std::size_t count = std::min(declared, room);
  QList<QRgb> table(256, qRgb(0, 0, 0));
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = h.PaletteStart + i * h.PaletteEntrySize;
    table[qsizetype(i)] = qRgb(in.U8(at + 2), in.U8(at + 1), in.U8(at));
  }
  return table;
}

int PictureRow(const Header& h, int storedRow) { return h.TopDown ? storedRow : h.Height - 1 - storedRow; }

QImage DecodeIndexed(const LeReader& in, const Header& h, std::size_t bitsOffset, const QList<QRgb>& palette) {
  const std::size_t rowBytes = DibRowBytes(h.Width, h.Bpp);
  QImage image(h.Width, h.Height, QImage::Format_Indexed8);
  if (image.isNull()) {
    return {};
  }
  image.setColorTable(palette);
  const int perByte = 8 / h.Bpp;
  const unsigned mask = (1u << h.Bpp) - 1;
  const std::uint8_t* bits = in.Bytes(bitsOffset, in.Size() - bitsOffset).data();
  for (int stored = 0; stored < h.Height; ++stored) {
    const std::uint8_t* src = bits + std::size_t(stored) * rowBytes;
    uchar* out = image.scanLine(PictureRow(h, stored));
    if (h.Bpp == 8) {
      std::memcpy(out, src, std::size_t(h.Width));
      continue;
    }
    for (int x = 0; x < h.Width; ++x) {
      const int shift = 8 - h.Bpp * (x % perByte + 1);
      out[x] = uchar((src[x / perByte] >> shift) & mask);
    }
  }
  return image;
}

// One channel of a bit-field layout: where it sits and how it maps to 0..255.
struct Channel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  int DropBits = 0;              // fields wider than 8 bits keep their top 8 bits
  std::vector<std::uint8_t> Lut;  // fields of 8 bits or fewer: value * 255 / max, rounded

  explicit Channel(std::uint32_t mask) : Mask(mask) {
    if (mask == 0) {
      return;
    }
    Shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> Shift;
    const int width = std::bit_width(max);
    if (width > 8) {
      DropBits = width - 8;
      return;
    }
    Lut.resize(std::size_t(max) + 1);
    for (std::uint32_t v = 0; v <= max; ++v) {
      Lut[v] = std::uint8_t((v * 255 + max / 2) / max);
    }
  }
  std::uint8_t operator()(std::uint32_t pixel) const {
    if (Mask == 0) {
      return 0;
    }
    const std::uint32_t v = (pixel & Mask) >> Shift;
    return Lut.empty() ? std::uint8_t(v >> DropBits) : Lut[std::min<std::size_t>(v, Lut.size() - 1)];
  }
};

std::array<std::uint32_t, 4> DefaultMasks(int bpp) {
  if (bpp == 16) {
    return {0x7C00, 0x03E0, 0x001F, 0};
  }
  return {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
}

// A plain 32-bit file's fourth bytes are alpha unless every one of them is 0, which is
// how writers that knew nothing of alpha left them. The same holds for an alpha field.
void DropAlphaIfAllZero(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) != 0) {
        return;
      }
    }
  }
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      row[x] |= 0xFF000000u;
    }
  }
  image.reinterpretAsFormat(QImage::Format_RGB32);
}

bool IsPlainBgrx(const std::array<std::uint32_t, 4>& masks) {
  return masks[0] == 0x00FF0000 && masks[1] == 0x0000FF00 && masks[2] == 0x000000FF &&
         (masks[3] == 0 || masks[3] == 0xFF000000u);
}

QImage DecodeTrueColour(const LeReader& in, const Header& h, std::size_t bitsOffset) {
  const std::array<std::uint32_t, 4> masks = h.HasMasks ? h.Masks : DefaultMasks(h.Bpp);
  // A plain 32-bit file stores alpha in its fourth byte even without a mask saying so.
  const bool alpha = h.Bpp == 32 ? (masks[3] != 0 || !h.HasMasks) : masks[3] != 0;
  QImage image(h.Width, h.Height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) {
    return {};
  }
  const std::size_t rowBytes = DibRowBytes(h.Width, h.Bpp);
  const bool fast32 = h.Bpp == 32 && (!h.HasMasks || IsPlainBgrx(masks));
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alphaChannel(masks[3]);
  const std::uint8_t* bits = in.Bytes(bitsOffset, in.Size() - bitsOffset).data();
  for (int stored = 0; stored < h.Height; ++stored) {
    const std::uint8_t* src = bits + std::size_t(stored) * rowBytes;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(PictureRow(h, stored)));
    if (fast32) {
      std::memcpy(out, src, std::size_t(h.Width) * 4);
      if (!alpha) {
        for (int x = 0; x < h.Width; ++x) {
          out[x] |= 0xFF000000u;
        }
      }
    } else if (h.Bpp == 24) {
      for (int x = 0; x < h.Width; ++x, src += 3) {
        out[x] = 0xFF000000u | (std::uint32_t(src[2]) << 16) | (std::uint32_t(src[1]) << 8) | src[0];
      }
    } else {
      const int bytes = h.Bpp / 8;
      for (int x = 0; x < h.Width; ++x, src += bytes) {
        const std::uint32_t v = bytes == 2 ? std::uint32_t(src[0] | (src[1] << 8))
                                           : std::uint32_t(src[0] | (src[1] << 8) | (src[2] << 16)) |
                                                 (std::uint32_t(src[3]) << 24);
        out[x] = qRgba(red(v), green(v), blue(v), alpha ? alphaChannel(v) : 255);
      }
    }
  }
  if (alpha) {
    DropAlphaIfAllZero(image);
  }
  return image;
}

// Run-length codes, handed to a sink as runs of indexes, Put(storedRow, x, indexes,
// count), or of one index, Fill(storedRow, x, index, count); stored rows bottom first.
// Every pixel is reached at most once and in order (rows only go up, x only right within
// a row), and only where a code sets it: the work follows the codes, however large a
// picture they leave skipped.
// False when the data ends before the end-of-picture code while rows are still missing.
template <typename Sink>
bool DecodeRunLengths(std::span<const std::uint8_t> data, const Header& h, Sink& sink) {
  const bool four = h.Compression == kBiRle4;
  std::array<std::uint8_t, 255> run{};
  std::size_t i = 0;
  int x = 0;
  int row = 0;
  // Clipped to the row: pixels beyond the width are dropped.
  auto clipped = [&](int count) { return x < h.Width && row < h.Height ? std::min(count, h.Width - x) : 0; };
  auto put = [&](int count) {
    if (const int n = clipped(count); n > 0) {
      sink.Put(row, x, run.data(), n);
    }
    x += count;
  };
  while (row < h.Height) {
    if (i + 2 > data.size()) {
      return false;
    }
    const std::uint8_t count = data[i];
    const std::uint8_t value = data[i + 1];
    i += 2;
    if (count > 0 && (!four || value >> 4 == (value & 0x0F))) {
      if (const int n = clipped(count); n > 0) {
        sink.Fill(row, x, four ? std::uint8_t(value & 0x0F) : value, n);
      }
      x += count;
    } else if (count > 0) {
      for (int n = 0; n < count; ++n) {
        run[std::size_t(n)] = std::uint8_t(n % 2 == 0 ? value >> 4 : value & 0x0F);
      }
      put(count);
    } else if (value == 0) {
      x = 0;
      ++row;
    } else if (value == 1) {
      return true;
    } else if (value == 2) {
      if (i + 2 > data.size()) {
        return false;
      }
      x += data[i];
      row += data[i + 1];
      i += 2;
    } else {
      const std::size_t bytes = four ? (std::size_t(value) + 1) / 2 : value;
      if (i + bytes > data.size()) {
        return false;
      }
      for (int n = 0; n < value; ++n) {
        const std::uint8_t b = data[i + std::size_t(four ? n / 2 : n)];
        run[std::size_t(n)] = four ? std::uint8_t(n % 2 == 0 ? b >> 4 : b & 0x0F) : b;
      }
      put(value);
      i += (bytes + 1) / 2 * 2;  // absolute runs end on a word boundary
    }
  }
  return true;
}

// The whole picture: the codes' pixels go into a zeroed picture, so the skipped ones are
// palette index 0 and cost nothing until something reads them.
class WholeRows {
 public:
  explicit WholeRows(QImage& image)
      : m_bottom(image.bits() + std::size_t(image.height() - 1) * std::size_t(image.bytesPerLine())),
        m_stride(image.bytesPerLine()) {}
  void Put(int storedRow, int x, const std::uint8_t* indexes, int count) {
    std::memcpy(At(storedRow, x), indexes, std::size_t(count));
  }
  void Fill(int storedRow, int x, std::uint8_t index, int count) {
    std::memset(At(storedRow, x), index, std::size_t(count));
  }

 private:
  uchar* At(int storedRow, int x) const { return m_bottom - std::ptrdiff_t(storedRow) * m_stride + x; }

  uchar* m_bottom;
  std::ptrdiff_t m_stride;
};

// A smaller picture made as the codes are read: each of its pixels is the mean of the
// box of pixels it covers (the boxes of ReducedRows), counted as palette index 0 but for
// what the codes set. Only the sums of one row are held, so neither the work nor the
// memory follows the picture's full size.
class ReducedRunLengths {
 public:
  ReducedRunLengths(QSize source, QSize target, const QList<QRgb>& palette)
      : m_source(source), m_picture(target, QImage::Format_RGB32), m_sums(std::size_t(target.width()) * 3, 0),
        m_done(std::size_t(target.height()), false) {
    m_background = palette[0];
    for (std::size_t i = 0; i < m_change.size(); ++i) {
      const QRgb c = palette[qsizetype(i)];
      m_change[i] = {qRed(c) - qRed(m_background), qGreen(c) - qGreen(m_background), qBlue(c) - qBlue(m_background)};
    }
  }
  bool Ok() const { return !m_picture.isNull(); }

  void Put(int storedRow, int x, const std::uint8_t* indexes, int count) {
    ForEachColumn(storedRow, x, count, [&](std::int64_t* sums, int first, int n) {
      for (int i = first; i < first + n; ++i) {
        Add(sums, indexes[i], 1);
      }
    });
  }
  void Fill(int storedRow, int x, std::uint8_t index, int count) {
    ForEachColumn(storedRow, x, count, [&](std::int64_t* sums, int, int n) { Add(sums, index, n); });
  }

  // The picture, its rows without codes in the colour of index 0.
  QImage Take() {
    EmitRow();
    for (int y = 0; y < m_picture.height(); ++y) {
      if (!m_done[std::size_t(y)]) {
        std::fill_n(reinterpret_cast<QRgb*>(m_picture.scanLine(y)), m_picture.width(), m_background);
      }
    }
    return std::move(m_picture);
  }

 private:
  // The first of `whole` source places that falls in target place `part` of `parts`.
  static int Start(int part, int parts, int whole) {
    return int((std::int64_t{part} * whole + parts - 1) / parts);
  }

  void Add(std::int64_t* sums, std::uint8_t index, int times) const {
    const auto& change = m_change[index];
    sums[0] += std::int64_t{change[0]} * times;
    sums[1] += std::int64_t{change[1]} * times;
    sums[2] += std::int64_t{change[2]} * times;
  }

  // Hands the pixels x .. x + count - 1 of a source row to `take` a target column at a
  // time: that column's sums, the first pixel's place in the run and how many fall in it.
  template <typename Take>
  void ForEachColumn(int storedRow, int x, int count, Take take) {
    const int target = int(std::int64_t{m_source.height() - 1 - storedRow} * m_picture.height() / m_source.height());
    if (target != m_row) {
      EmitRow();
      m_row = target;
    }
    const int width = m_picture.width();
    int column = int(std::int64_t{x} * width / m_source.width());
    for (int done = 0; done < count; ++column) {
      const int n = std::min(count - done, Start(column + 1, width, m_source.width()) - (x + done));
      take(m_sums.data() + std::size_t(column) * 3, done, n);
      done += n;
    }
  }

  void EmitRow() {
    if (m_row < 0) {
      return;
    }
    const int height = m_picture.height();
    const int width = m_picture.width();
    const std::int64_t rows = Start(m_row + 1, height, m_source.height()) - Start(m_row, height, m_source.height());
    auto* out = reinterpret_cast<QRgb*>(m_picture.scanLine(m_row));
    for (int c = 0; c < width; ++c) {
      const std::int64_t area = rows * (Start(c + 1, width, m_source.width()) - Start(c, width, m_source.width()));
      std::int64_t* sums = m_sums.data() + std::size_t(c) * 3;
      auto mean = [area](int base, std::int64_t change) { return int((base * area + change + area / 2) / area); };
      out[c] = qRgb(mean(qRed(m_background), sums[0]), mean(qGreen(m_background), sums[1]),
                    mean(qBlue(m_background), sums[2]));
      std::fill_n(sums, 3, 0);
    }
    m_done[std::size_t(m_row)] = true;
    m_row = -1;
  }

  QSize m_source;
  QImage m_picture;
  QRgb m_background = 0;
  std::array<std::array<int, 3>, 256> m_change{};  // each index's colour less index 0's
  std::vector<std::int64_t> m_sums;                 // red, green, blue changes per column
  std::vector<bool> m_done;
  int m_row = -1;
};

QImage DecodeRle(const LeReader& in, const Header& h, std::size_t bitsOffset, const QList<QRgb>& palette,
                 QSize reducedTo) {
  const auto data = in.Bytes(bitsOffset, in.Size() - bitsOffset);
  const QSize source(h.Width, h.Height);
  if (ReducesTo(source, reducedTo)) {
    ReducedRunLengths reduced(source, reducedTo, palette);
    return reduced.Ok() && DecodeRunLengths(data, h, reduced) ? reduced.Take() : QImage();
  }
  QImage image = ZeroedImage(h.Width, h.Height, QImage::Format_Indexed8);
  if (image.isNull()) {
    return {};
  }
  image.setColorTable(palette);
  WholeRows whole(image);
  return DecodeRunLengths(data, h, whole) ? image : QImage();
}

// Uncompressed pixels must all be there; only the padding of the last row may be missing.
bool UncompressedBitsComplete(const LeReader& in, const Header& h, std::size_t bitsOffset) {
  const std::size_t lastRow = (std::size_t(h.Width) * std::size_t(h.Bpp) + 7) / 8;
  const std::size_t needed = DibRowBytes(h.Width, h.Bpp) * std::size_t(h.Height - 1) + lastRow;
  return bitsOffset <= in.Size() && needed <= in.Size() - bitsOffset;
}

std::size_t DeclaredPaletteBytes(const Header& h) {
  if (h.Bpp > 8) {
    return 0;
  }
  const std::size_t entries = h.ColoursUsed != 0 ? std::min<std::size_t>(h.ColoursUsed, 256) : std::size_t{1} << h.Bpp;
  return entries * h.PaletteEntrySize;
}

QImage DecodeAt(const LeReader& in, const Header& h, std::size_t bitsOffset, QSize reducedTo = {}) {
  const bool rle = h.Compression == kBiRle8 || h.Compression == kBiRle4;
  if (bitsOffset > in.Size() || (!rle && !UncompressedBitsComplete(in, h, bitsOffset))) {
    return {};
  }
  if (h.Bpp > 8) {
    return DecodeTrueColour(in, h, bitsOffset);
  }
  const QList<QRgb> palette = ReadPalette(in, h, bitsOffset);
  return rle ? DecodeRle(in, h, bitsOffset, palette, reducedTo) : DecodeIndexed(in, h, bitsOffset, palette);
}

}  // namespace

QImage DecodeBmp(std::span<const std::uint8_t> file, QSize reducedTo) {
  const LeReader in(file);
  if (in.U8(0) != 'B' || in.U8(1) != 'M') {
    return {};
  }
  const std::optional<Header> h = ReadHeader(in, kFileHeaderSize);
  if (!h) {
    return {};
  }
  // The pixels are where the file header says, unless that points into the headers (some
  // writers leave it 0) or into a colour table whose length the header gives: the pixels
  // then follow the whole table. A table sized only by the depth may be shorter in old
  // files, which put their pixels right after the entries they hold.
  std::size_t bitsOffset = in.U32(10);
  const std::size_t tableEnd = h->PaletteStart + DeclaredPaletteBytes(*h);
  if (bitsOffset < h->PaletteStart || (h->ColoursUsed != 0 && bitsOffset < tableEnd)) {
    bitsOffset = tableEnd;
  }
  return DecodeAt(in, *h, bitsOffset, reducedTo);
}

QSize PictureSize(std::span<const std::uint8_t> file) {
  const LeReader in(file);
  const std::optional<Header> h =
      in.U8(0) == 'B' && in.U8(1) == 'M' ? ReadHeader(in, kFileHeaderSize) : std::nullopt;
  return h ? QSize(h->Width, h->Height) : QSize();
}

QImage DecodeDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits) {
  std::vector<std::uint8_t> joined(info.begin(), info.end());
  joined.insert(joined.end(), bits.begin(), bits.end());
  const LeReader in(joined);
  const std::optional<Header> h = ReadHeader(in, 0);
  // The record gives the pixels their own place: the colour table is whatever lies before.
  return h ? DecodeAt(in, *h, info.size()) : QImage();
}

QImage DecodePackedDib(std::span<const std::uint8_t> packed) {
  const LeReader in(packed);
  const std::optional<Header> h = ReadHeader(in, 0);
  return h ? DecodeAt(in, *h, h->PaletteStart + DeclaredPaletteBytes(*h)) : QImage();
}

}  // namespace Gdip::BmpCodec
