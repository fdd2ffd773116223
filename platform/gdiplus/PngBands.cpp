#include "platform/gdiplus/PngBands.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include <zlib.h>

#include "platform/ParallelRows.h"
#include "platform/gdiplus/PictureMemory.h"
#include "platform/gdiplus/PngBytes.h"

namespace Gdip::PngBands {

namespace {

using PngBytes::AppendBigEndian32;
using PngBytes::kSignature;
using PngBytes::ReadBigEndian32;

constexpr std::size_t kBandBytes = 12;  // first row, then the stream offset in two halves

// One data chunk's part of the zlib stream.
struct Piece {
  std::uint64_t streamOffset;
  std::span<const std::uint8_t> bytes;
};

struct Layout {
  int width = 0;
  int height = 0;
  bool alpha = false;
  std::vector<Band> bands;
  std::vector<Piece> pieces;
  std::uint64_t streamBytes = 0;
};

bool ReadHeader(std::span<const std::uint8_t> body, Layout& layout) {
  if (body.size() != 13) {
    return false;
  }
  const std::uint32_t width = ReadBigEndian32(body.data());
  const std::uint32_t height = ReadBigEndian32(body.data() + 4);
  const bool plain = body[8] == 8 && (body[9] == 2 || body[9] == 6) && body[10] == 0 && body[11] == 0 && body[12] == 0;
  if (!plain || width == 0 || height == 0 || std::uint64_t{width} * height * 4 >= (std::uint64_t{1} << 31)) {
    return false;
  }
  layout.width = int(width);
  layout.height = int(height);
  layout.alpha = body[9] == 6;
  return true;
}

bool ReadBands(std::span<const std::uint8_t> body, Layout& layout) {
  if (body.empty() || body.size() % kBandBytes != 0 || !layout.bands.empty()) {
    return false;
  }
  for (std::size_t at = 0; at < body.size(); at += kBandBytes) {
    const std::uint64_t offset = (std::uint64_t{ReadBigEndian32(body.data() + at + 4)} << 32) | ReadBigEndian32(body.data() + at + 8);
    layout.bands.push_back({ReadBigEndian32(body.data() + at), offset});
  }
  return true;
}

// The chunks up to the end: the header first, the band list before the pixels.
bool ReadLayout(std::span<const std::uint8_t> data, Layout& layout) {
  if (data.size() < 8 || std::memcmp(data.data(), kSignature, 8) != 0) {
    return false;
  }
  for (std::size_t at = 8; at + 12 <= data.size();) {
    const std::uint32_t length = ReadBigEndian32(data.data() + at);
    if (length > data.size() - at - 12) {
      return false;
    }
    const std::uint8_t* type = data.data() + at + 4;
    const std::span body(data.data() + at + 8, length);
    const bool first = at == 8;
    at += std::size_t(length) + 12;
    if (first != (std::memcmp(type, "IHDR", 4) == 0)) {
      return false;
    }
    if (first && !ReadHeader(body, layout)) {
      return false;
    }
    if (std::memcmp(type, kChunkType, 4) == 0 && (!layout.pieces.empty() || !ReadBands(body, layout))) {
      return false;
    }
    if (std::memcmp(type, "IDAT", 4) == 0) {
      if (layout.bands.empty()) {
        return false;  // not one of ours: no band list before the pixels
      }
      layout.pieces.push_back({layout.streamBytes, body});
      layout.streamBytes += length;
    }
    if (std::memcmp(type, "IEND", 4) == 0) {
      return true;
    }
  }
  return false;
}

// Bands in row order, each starting inside the stream before its checksum, and a
// stream long enough for the rows: deflate shrinks at most 1032 to 1, so a header that
// claims more rows than that is refused before their memory is taken.
bool BandsFit(const Layout& layout) {
  constexpr std::uint64_t kMaxDeflateRatio = 1032;
  const std::uint64_t rawBytes = (1 + std::uint64_t(layout.width) * (layout.alpha ? 4 : 3)) * std::uint64_t(layout.height);
  if (layout.bands.empty() || layout.bands.front().firstRow != 0 || layout.bands.front().streamOffset != 2 ||
      layout.streamBytes < 6 || rawBytes > layout.streamBytes * kMaxDeflateRatio) {
    return false;
  }
  for (std::size_t i = 0; i < layout.bands.size(); ++i) {
    const Band& band = layout.bands[i];
    const bool ordered = i == 0 || (band.firstRow > layout.bands[i - 1].firstRow &&
                                    band.streamOffset > layout.bands[i - 1].streamOffset);
    if (!ordered || band.firstRow >= std::uint32_t(layout.height) || band.streamOffset >= layout.streamBytes - 4) {
      return false;
    }
  }
  return true;
}

// Feeds the stream from an offset on, a data chunk at a time.
class StreamInput {
 public:
  StreamInput(const Layout& layout, std::uint64_t offset) : m_pieces(layout.pieces), m_offset(offset) {}

  // The next run of the stream; empty at its end.
  std::span<const std::uint8_t> Next() {
    while (m_piece < m_pieces.size() && m_pieces[m_piece].streamOffset + m_pieces[m_piece].bytes.size() <= m_offset) {
      ++m_piece;
    }
    if (m_piece == m_pieces.size()) {
      return {};
    }
    const Piece& piece = m_pieces[m_piece];
    const auto skip = std::size_t(m_offset - piece.streamOffset);
    m_offset = piece.streamOffset + piece.bytes.size();
    return piece.bytes.subspan(skip);
  }

 private:
  const std::vector<Piece>& m_pieces;
  std::size_t m_piece = 0;
  std::uint64_t m_offset;
};

// Inflates exactly out.size() bytes, or fails.
bool InflateInto(z_stream& z, StreamInput& input, std::span<std::uint8_t> out) {
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  while (z.avail_out > 0) {
    if (z.avail_in == 0) {
      const auto run = input.Next();
      if (run.empty()) {
        return false;
      }
      z.next_in = const_cast<Bytef*>(run.data());
      z.avail_in = uInt(run.size());
    }
    const int result = inflate(&z, Z_NO_FLUSH);
    if (result != Z_OK && !(result == Z_STREAM_END && z.avail_out == 0)) {
      return false;
    }
  }
  return true;
}

// Undoes the "sub" filter (or none) of one row into 32-bit pixels.
bool UnfilterRow(const std::uint8_t* row, int width, bool alpha, QRgb* out) {
  const std::uint8_t filter = row[0];
  if (filter > 1) {
    return false;
  }
  const int channels = alpha ? 4 : 3;
  // Without alpha samples every pixel is opaque.
  std::uint8_t left[4] = {0, 0, 0, std::uint8_t(alpha ? 0 : 0xFF)};
  ++row;
  for (int x = 0; x < width; ++x, row += channels) {
    for (int c = 0; c < channels; ++c) {
      left[c] = std::uint8_t(row[c] + (filter == 1 ? left[c] : 0));
    }
    out[x] = qRgba(left[0], left[1], left[2], left[3]);
  }
  return true;
}

// Inflates and unfilters the rows of one band; its checksum and byte count for the
// stream's checksum.
bool DecodeBand(const Layout& layout, std::size_t index, uchar* pixels, qsizetype stride, uLong& adler, uLong& bytes) {
  const Band& band = layout.bands[index];
  const int endRow = index + 1 < layout.bands.size() ? int(layout.bands[index + 1].firstRow) : layout.height;
  const std::size_t rowBytes = 1 + std::size_t(layout.width) * (layout.alpha ? 4 : 3);
  std::vector<std::uint8_t> row(rowBytes);
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) {
    return false;
  }
  StreamInput input(layout, band.streamOffset);
  adler = adler32(0, nullptr, 0);
  bool ok = true;
  for (int y = int(band.firstRow); y < endRow && ok; ++y) {
    ok = InflateInto(z, input, row) &&
         UnfilterRow(row.data(), layout.width, layout.alpha, reinterpret_cast<QRgb*>(pixels + stride * y));
    adler = adler32(adler, row.data(), uInt(rowBytes));
  }
  inflateEnd(&z);
  bytes = uLong(rowBytes * std::size_t(endRow - int(band.firstRow)));
  return ok;
}

// The checksum the stream ends with.
std::uint32_t StreamChecksum(const Layout& layout) {
  std::uint8_t tail[4];
  StreamInput input(layout, layout.streamBytes - 4);
  std::size_t got = 0;
  for (auto run = input.Next(); !run.empty() && got < 4; run = input.Next()) {
    const std::size_t n = std::min(run.size(), 4 - got);
    std::memcpy(tail + got, run.data(), n);
    got += n;
  }
  return ReadBigEndian32(tail);
}

}  // namespace

QByteArray Describe(const std::vector<Band>& bands) {
  QByteArray out;
  for (const Band& band : bands) {
    AppendBigEndian32(out, band.firstRow);
    AppendBigEndian32(out, std::uint32_t(band.streamOffset >> 32));
    AppendBigEndian32(out, std::uint32_t(band.streamOffset));
  }
  return out;
}

QImage Decode(std::span<const std::uint8_t> data) {
  Layout layout;
  if (!ReadLayout(data, layout) || !BandsFit(layout)) {
    return {};
  }
  QImage image = NewPicture(layout.width, layout.height, layout.alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) {
    return {};
  }
  // Taken once here: bits() on a writable picture counts a detach on every call.
  uchar* const pixels = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const std::size_t count = layout.bands.size();
  std::vector<uLong> adlers(count);
  std::vector<uLong> bytes(count);
  std::atomic<bool> failed = false;
  Threads::ParallelRows(0, int(count) - 1, [&](int first, int last) {
    for (int i = first; i <= last && !failed; ++i) {
      if (!DecodeBand(layout, std::size_t(i), pixels, stride, adlers[std::size_t(i)], bytes[std::size_t(i)])) {
        failed = true;
      }
    }
  }, 1);
  uLong adler = adler32(0, nullptr, 0);
  for (std::size_t i = 0; i < count; ++i) {
    adler = adler32_combine(adler, adlers[i], z_off_t(bytes[i]));
  }
  if (failed || adler != StreamChecksum(layout)) {
    return {};
  }
  return image;
}

}  // namespace Gdip::PngBands
