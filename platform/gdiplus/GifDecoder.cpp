// Our own GIF reader. giflib refuses LZW minimum code sizes above 8, which common
// readers take up to 11, and frames without any colour table; the records and the LZW
// data are read here instead, straight into the rows of the picture.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include <QList>
#include <QRect>

#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/LittleEndian.h"

namespace Gdip::GifCodec {

namespace {

constexpr int kMaxCodes = 4096;  // LZW codes are at most 12 bits wide
constexpr int kMaxMinimumCodeSize = 11;

// The records before the first frame, read in file order.
class RecordReader {
 public:
  explicit RecordReader(std::span<const std::uint8_t> data) : m_in(data) {}

  std::uint8_t U8() { return m_in.U8(m_at++); }
  std::uint16_t U16() {
    const std::uint16_t v = m_in.U16(m_at);
    m_at += 2;
    return v;
  }
  std::span<const std::uint8_t> Bytes(std::size_t n) {
    const auto bytes = m_in.Bytes(m_at, n);
    m_at += n;
    return bytes;
  }
  // Skips a chain of data sub-blocks up to its empty block.
  void SkipSubBlocks() {
    for (std::uint8_t length = U8(); length != 0 && Ok(); length = U8()) {
      m_at += length;
    }
  }
  // The data of a chain of sub-blocks, joined; the chain may end with the file.
  std::vector<std::uint8_t> JoinSubBlocks() {
    std::vector<std::uint8_t> joined;
    while (m_at < m_in.Size()) {
      const std::size_t length = m_in.U8(m_at++);
      if (length == 0) {
        break;
      }
      const std::size_t available = std::min(length, m_in.Size() - m_at);
      const auto* start = m_in.Bytes(m_at, available).data();
      joined.insert(joined.end(), start, start + available);
      m_at += length;
    }
    return joined;
  }
  bool Ok() const { return m_in.Ok() && m_at <= m_in.Size(); }

 private:
  LeReader m_in;
  std::size_t m_at = 0;
};

// A colour table as the file stores it; a frame without any has a grey ramp, as
// common readers give it.
QList<QRgb> ReadColourTable(RecordReader& in, std::uint8_t packed) {
  const std::size_t entries = std::size_t{2} << (packed & 0x07);
  const auto bytes = in.Bytes(entries * 3);
  QList<QRgb> table;
  for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
    table.append(qRgb(bytes[i], bytes[i + 1], bytes[i + 2]));
  }
  return table;
}

QList<QRgb> GreyRamp() {
  QList<QRgb> table;
  for (int i = 0; i < 256; ++i) {
    table.append(qRgb(i, i, i));
  }
  return table;
}

struct Frame {
  QRect Place;  // on the logical screen
  bool Interlaced = false;
  QList<QRgb> Colours;
  int MinimumCodeSize = 0;
  std::vector<std::uint8_t> Data;  // the LZW codes, sub-blocks joined
};

struct Picture {
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  int Background = 0;
  int Transparent = -1;
  Frame First;
};

// The transparent index of a graphic control extension; other extensions are skipped.
void ReadExtension(RecordReader& in, int& transparent) {
  constexpr std::uint8_t kGraphicControl = 0xF9;
  if (in.U8() == kGraphicControl) {
    const std::uint8_t length = in.U8();
    const auto block = in.Bytes(length);
    if (length >= 4 && block.size() == length) {
      transparent = (block[0] & 0x01) != 0 ? block[3] : -1;
    }
  }
  in.SkipSubBlocks();
}

// The screen, its colours and the first frame's codes; nullopt when the records are
// damaged or the file holds no frame.
std::optional<Picture> ReadRecords(std::span<const std::uint8_t> data) {
  RecordReader in(data);
  const auto signature = in.Bytes(6);
  if (signature.size() != 6 || std::memcmp(signature.data(), "GIF", 3) != 0) {
    return std::nullopt;
  }
  Picture picture;
  picture.ScreenWidth = in.U16();
  picture.ScreenHeight = in.U16();
  const std::uint8_t screenPacked = in.U8();
  picture.Background = in.U8();
  in.U8();  // pixel aspect ratio
  const QList<QRgb> global = (screenPacked & 0x80) != 0 ? ReadColourTable(in, screenPacked) : QList<QRgb>();
  while (in.Ok()) {
    const std::uint8_t introducer = in.U8();
    if (introducer == 0x21) {
      ReadExtension(in, picture.Transparent);
      continue;
    }
    if (introducer != 0x2C) {
      return std::nullopt;  // the trailer, or bytes that are no record
    }
    Frame& frame = picture.First;
    const int left = in.U16(), top = in.U16(), width = in.U16(), height = in.U16();
    frame.Place = QRect(left, top, width, height);
    const std::uint8_t packed = in.U8();
    frame.Interlaced = (packed & 0x40) != 0;
    frame.Colours = (packed & 0x80) != 0 ? ReadColourTable(in, packed) : global;
    if (frame.Colours.isEmpty()) {
      frame.Colours = GreyRamp();
    }
    frame.MinimumCodeSize = in.U8();
    frame.Data = in.JoinSubBlocks();
    return in.Ok() ? std::optional<Picture>(std::move(picture)) : std::nullopt;
  }
  return std::nullopt;
}

// Every LZW code is at least MinimumCodeSize + 1 bits and stands for at most as many
// pixels as codes came before it (and 4096 at most): a frame that claims more pixels than
// its data could give is refused before anything is allocated for it.
bool DataCanHold(const Frame& frame) {
  const std::uint64_t codes = std::uint64_t(frame.Data.size()) * 8 / std::uint64_t(frame.MinimumCodeSize + 1);
  const std::uint64_t pixels = std::uint64_t(frame.Place.width()) * std::uint64_t(frame.Place.height());
  return pixels <= codes * std::min<std::uint64_t>(codes + 1, kMaxCodes);
}

// Where the decoded pixels go: the frame's rows in stored order (interlaced frames store
// every 8th row, then the 4th, then every 2nd, then the rest), each into its screen row
// where it is visible, clipped to the screen's sides.
class RowSink {
 public:
  RowSink(QImage& screen, const QRect& place, bool interlaced)
      : m_bits(screen.bits()),
        m_stride(std::size_t(screen.bytesPerLine())),
        m_screenHeight(screen.height()),
        m_place(place),
        m_first(std::clamp(place.left(), 0, screen.width())),
        m_last(std::clamp(place.left() + place.width(), m_first, screen.width())),
        m_interlaced(interlaced) {}

  bool Full() const { return m_pass >= 4 || (!m_interlaced && m_pass > 0); }

  void Put(const std::uint8_t* pixels, std::size_t count) {
    while (count > 0 && !Full()) {
      const std::size_t n = std::min<std::size_t>(count, std::size_t(m_place.width() - m_x));
      CopyIntoRow(pixels, n);
      pixels += n;
      count -= n;
      m_x += int(n);
      if (m_x == m_place.width()) {
        NextRow();
      }
    }
  }

 private:
  void CopyIntoRow(const std::uint8_t* pixels, std::size_t n) {
    const int y = m_place.top() + m_row;
    const int from = std::max(m_place.left() + m_x, m_first);
    const int to = std::min(m_place.left() + m_x + int(n), m_last);
    if (y >= 0 && y < m_screenHeight && to > from) {
      std::memcpy(m_bits + std::size_t(y) * m_stride + std::size_t(from), pixels + (from - m_place.left() - m_x),
                  std::size_t(to - from));
    }
  }

  void NextRow() {
    constexpr int kStarts[] = {0, 4, 2, 1};
    constexpr int kSteps[] = {8, 8, 4, 2};
    m_x = 0;
    m_row += m_interlaced ? kSteps[m_pass] : 1;
    while (m_row >= m_place.height() && !Full()) {
      ++m_pass;
      m_row = m_interlaced && m_pass < 4 ? kStarts[m_pass] : 0;
    }
  }

  uchar* m_bits;
  std::size_t m_stride;
  int m_screenHeight;
  QRect m_place;
  int m_first;
  int m_last;
  bool m_interlaced;
  int m_pass = 0;
  int m_row = 0;
  int m_x = 0;
};

// Reads variable-width codes, least significant bit first.
class CodeReader {
 public:
  explicit CodeReader(std::span<const std::uint8_t> data) : m_data(data) {}
  // -1 when the data ends first.
  int Next(int width) {
    while (m_count < width) {
      if (m_at >= m_data.size()) {
        return -1;
      }
      m_bits |= std::uint32_t(m_data[m_at++]) << m_count;
      m_count += 8;
    }
    const int code = int(m_bits & ((1u << width) - 1));
    m_bits >>= width;
    m_count -= width;
    return code;
  }

 private:
  std::span<const std::uint8_t> m_data;
  std::size_t m_at = 0;
  std::uint32_t m_bits = 0;
  int m_count = 0;
};

// The string table: each code is its prefix code plus one more pixel. Pixels are stored
// as the indexes they are written as; values beyond the 256 a picture holds (minimum code
// sizes above 8) keep their low 8 bits, as other readers take them.
class LzwTable {
 public:
  explicit LzwTable(int minimumCodeSize) : m_clear(1 << minimumCodeSize) {
    for (int code = 0; code < m_clear; ++code) {
      m_suffix[std::size_t(code)] = std::uint8_t(code & 0xFF);
      m_first[std::size_t(code)] = m_suffix[std::size_t(code)];
      m_length[std::size_t(code)] = 1;
    }
  }
  int Clear() const { return m_clear; }
  int Size() const { return m_size; }
  void Reset() { m_size = m_clear + 2; }
  void Add(int prefix, std::uint8_t pixel) {
    if (m_size < kMaxCodes) {
      const auto at = std::size_t(m_size++);
      m_prefix[at] = std::uint16_t(prefix);
      m_suffix[at] = pixel;
      m_first[at] = m_first[std::size_t(prefix)];
      m_length[at] = std::uint16_t(m_length[std::size_t(prefix)] + 1);
    }
  }
  std::uint8_t First(int code) const { return m_first[std::size_t(code)]; }
  // Writes the code's pixels into `out` (room for 4096); returns how many.
  std::size_t Expand(int code, std::uint8_t* out) const {
    const std::size_t length = m_length[std::size_t(code)];
    for (std::size_t i = length; i > 0; --i) {
      out[i - 1] = m_suffix[std::size_t(code)];
      code = m_prefix[std::size_t(code)];
    }
    return length;
  }

 private:
  int m_clear;
  int m_size = 0;
  std::array<std::uint16_t, kMaxCodes> m_prefix{};
  std::array<std::uint8_t, kMaxCodes> m_suffix{};
  std::array<std::uint8_t, kMaxCodes> m_first{};
  std::array<std::uint16_t, kMaxCodes> m_length{};
};

// Decodes the frame's codes into the sink; false when they end (or go wrong) before
// every pixel of the frame is there.
bool DecodeCodes(const Frame& frame, RowSink& sink) {
  LzwTable table(frame.MinimumCodeSize);
  table.Reset();
  CodeReader codes(frame.Data);
  const int clear = table.Clear();
  const int end = clear + 1;
  int width = frame.MinimumCodeSize + 1;
  int previous = -1;
  std::array<std::uint8_t, kMaxCodes> expanded{};
  while (!sink.Full()) {
    const int code = codes.Next(width);
    if (code < 0 || code == end) {
      return false;
    }
    if (code == clear) {
      table.Reset();
      width = frame.MinimumCodeSize + 1;
      previous = -1;
      continue;
    }
    if (code > table.Size() || (code == table.Size() && previous < 0) || (previous < 0 && code >= clear)) {
      return false;
    }
    if (previous >= 0) {
      // The code just after the table's end is the previous string plus its own first pixel.
      table.Add(previous, code == table.Size() ? table.First(previous) : table.First(code));
    }
    sink.Put(expanded.data(), table.Expand(code, expanded.data()));
    if (table.Size() >= (1 << width) && width < 12) {
      ++width;
    }
    previous = code;
  }
  return true;
}

// A screen this large around a frame this much smaller is a few bytes claiming a huge
// picture; the frame alone is then the picture, rather than acres of background.
constexpr std::int64_t kLargeScreenPixels = std::int64_t{1} << 24;
constexpr std::int64_t kSmallFrameShare = 16;

bool FrameIsThePicture(const Picture& picture) {
  const std::int64_t screen = std::int64_t{picture.ScreenWidth} * picture.ScreenHeight;
  const std::int64_t frame = std::int64_t{picture.First.Place.width()} * picture.First.Place.height();
  return picture.ScreenWidth <= 0 || picture.ScreenHeight <= 0 ||
         (screen > kLargeScreenPixels && frame * kSmallFrameShare < screen);
}

// The colour table padded to 256 opaque black entries; an index the table does not hold
// draws black.
QList<QRgb> PaddedTable(const QList<QRgb>& colours, int transparent) {
  QList<QRgb> table = colours.mid(0, 256);
  table.resize(256, qRgb(0, 0, 0));
  if (transparent >= 0 && transparent < 256) {
    table[transparent] = 0;
  }
  return table;
}

// Where the first frame does not cover the screen, the screen shows its background:
// the rows above and below the frame and the margins beside it.
void FillAroundFrame(QImage& screen, const QRect& place, std::uint8_t background) {
  const int first = std::clamp(place.left(), 0, screen.width());
  const int last = std::clamp(place.left() + place.width(), first, screen.width());
  for (int y = 0; y < screen.height(); ++y) {
    uchar* row = screen.scanLine(y);
    if (y < place.top() || y >= place.top() + place.height()) {
      std::memset(row, background, std::size_t(screen.width()));
      continue;
    }
    std::memset(row, background, std::size_t(first));
    std::memset(row + last, background, std::size_t(screen.width() - last));
  }
}

QImage DecodePicture(Picture& picture) {
  Frame& frame = picture.First;
  if (frame.Place.isEmpty() || frame.MinimumCodeSize < 1 || frame.MinimumCodeSize > kMaxMinimumCodeSize ||
      !DataCanHold(frame)) {
    return {};
  }
  if (FrameIsThePicture(picture)) {
    frame.Place.moveTo(0, 0);
    picture.ScreenWidth = frame.Place.width();
    picture.ScreenHeight = frame.Place.height();
  }
  if (std::int64_t{picture.ScreenWidth} * picture.ScreenHeight * 4 >= (std::int64_t{1} << 31)) {
    return {};
  }
  QImage screen(picture.ScreenWidth, picture.ScreenHeight, QImage::Format_Indexed8);
  if (screen.isNull()) {
    return {};
  }
  screen.setColorTable(PaddedTable(frame.Colours, picture.Transparent));
  RowSink sink(screen, frame.Place, frame.Interlaced);
  if (!DecodeCodes(frame, sink)) {
    return {};
  }
  FillAroundFrame(screen, frame.Place,
                  std::uint8_t(picture.Transparent >= 0 ? picture.Transparent : picture.Background));
  return screen;
}

}  // namespace

QImage Decode(std::span<const std::uint8_t> data) {
  std::optional<Picture> picture = ReadRecords(data);
  return picture ? DecodePicture(*picture) : QImage();
}

}  // namespace Gdip::GifCodec
