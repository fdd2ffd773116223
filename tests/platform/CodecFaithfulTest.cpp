// Every decoded pixel is defined and means what the file says: padding, skipped and
// out-of-table pixels, transparent colours, planes, bit fields, and files cut short.
#include <algorithm>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "CodecTestFiles.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/LittleEndian.h"

using CodecTestFiles::Bmp;

namespace {

std::unique_ptr<Gdip::Bitmap> Load(const QByteArray& bytes, QSize scaled = {}) {
  return Gdip::LoadImageFromMemory(Gdip::AsBytes(bytes), scaled);
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) {
    out.append(char(v));
  }
  return out;
}

}  // namespace

TEST(CodecFaithful, BmpRowPaddingIsZero) {
  // 3 pixels of 3 bytes leave 3 bytes of padding in every row; odd widths of a picture
  // Qt made leave its own row padding behind.
  for (int width : {1, 3, 5, 7}) {
    QImage picture(width, 4, QImage::Format_RGB32);
    picture.fill(0xFF123456);
    const QByteArray file = Gdip::BmpCodec::EncodeBmp(picture);
    const std::size_t rowBytes = Gdip::BmpCodec::DibRowBytes(width, 24);
    ASSERT_EQ(std::size_t(file.size()), 54 + rowBytes * 4);
    for (int row = 0; row < 4; ++row) {
      for (std::size_t i = std::size_t(width) * 3; i < rowBytes; ++i) {
        EXPECT_EQ(file[qsizetype(54 + row * rowBytes + i)], '\0') << width << " row " << row;
      }
    }
  }
}

TEST(CodecFaithful, RunLengthSkipsLeaveIndexZero) {
  const std::vector<std::uint32_t> palette = {0x00102030, 0x00FF0000, 0x0000FF00};
  // 6 x 3, RLE8: two pixels of 1, a delta of (2 right, 1 up), two of 2, end of line,
  // then the end of the picture. Everything else is skipped.
  const QByteArray rle8 = Bmp(6, 3, 8, 1, palette, Bytes({2, 1, 0, 2, 2, 1, 2, 2, 0, 0, 0, 1}));
  // RLE4 with an end of line right away: the bottom row is skipped whole.
  const QByteArray rle4 = Bmp(4, 2, 4, 2, palette, Bytes({0, 0, 4, 0x12, 0, 1}));
  for (const QByteArray& file : {rle8, rle4}) {
    auto first = Load(file);
    auto second = Load(file);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->Image(), second->Image());
  }
  const QImage picture = Load(rle8)->Image();
  EXPECT_EQ(picture.pixel(0, 2), 0xFFFF0000u);  // the first run, on the bottom row
  EXPECT_EQ(picture.pixel(4, 1), 0xFF00FF00u);  // after the delta
  for (QPoint skipped : {QPoint(2, 2), QPoint(3, 1), QPoint(0, 1), QPoint(5, 0), QPoint(0, 0)}) {
    EXPECT_EQ(picture.pixel(skipped), 0xFF102030u) << skipped.x() << "," << skipped.y();
  }
  const QImage nibbles = Load(rle4)->Image();
  EXPECT_EQ(nibbles.pixel(3, 1), 0xFF102030u);
  EXPECT_EQ(nibbles.pixel(1, 0), 0xFF00FF00u);
}

TEST(CodecFaithful, RunLengthCodesMaySkipMostOfThePictureAndEndEarly) {
  const std::vector<std::uint32_t> palette = {0x00102030, 0x00FF0000, 0x0000FF00, 0x000000FF};
  // 600 x 400 from a few codes: a run on the bottom row, a delta far up and right, an
  // absolute run across the edge of a thumbnail's box, end of line, a run, end of picture.
  const QByteArray codes = Bytes({3, 1, 0, 2, 200, 250, 0, 5, 1, 2, 3, 2, 1, 0, 0, 0, 7, 3, 0, 1});
  const QByteArray rle8 = Bmp(600, 400, 8, 1, palette, codes);
  // RLE4: three rows skipped by end-of-line codes, a run of alternating nibbles, one of a
  // single index, the end.
  const QByteArray rle4 = Bmp(500, 300, 4, 2, palette, Bytes({0, 0, 0, 0, 0, 0, 9, 0x13, 4, 0x22, 0, 1}));
  auto eight = Load(rle8);
  auto four = Load(rle4);
  ASSERT_NE(eight, nullptr);
  ASSERT_NE(four, nullptr);
  const QImage picture = eight->Image();
  EXPECT_EQ(picture.pixel(2, 399), 0xFFFF0000u);
  EXPECT_EQ(picture.pixel(3, 399), 0xFF102030u);
  EXPECT_EQ(picture.pixel(203, 149), 0xFFFF0000u);  // the absolute run after the delta
  EXPECT_EQ(picture.pixel(207, 149), 0xFFFF0000u);
  EXPECT_EQ(picture.pixel(6, 148), 0xFF0000FFu);
  EXPECT_EQ(picture.pixel(7, 148), 0xFF102030u);
  EXPECT_EQ(picture.pixel(599, 0), 0xFF102030u);
  EXPECT_EQ(four->Image().pixel(0, 296), 0xFFFF0000u);
  EXPECT_EQ(four->Image().pixel(1, 296), 0xFF0000FFu);
  EXPECT_EQ(four->Image().pixel(12, 296), 0xFF00FF00u);
  EXPECT_EQ(four->Image().pixel(13, 296), 0xFF102030u);
  EXPECT_EQ(four->Image().pixel(0, 299), 0xFF102030u);

  // Thumbnails are reduced as the codes are read, to what the whole picture shrinks to.
  for (const auto& [file, whole] : {std::pair{rle8, picture}, {rle4, four->Image()}}) {
    for (const QSize size : {QSize(60, 40), QSize(7, 3), QSize(123, 97)}) {
      auto reduced = Load(file, size);
      auto shrunk = Load(Gdip::BmpCodec::EncodeBmp(whole.convertToFormat(QImage::Format_RGB32)), size);
      ASSERT_NE(reduced, nullptr);
      ASSERT_NE(shrunk, nullptr);
      EXPECT_EQ(CodecTestFiles::MaxChannelDifference(reduced->Image(), shrunk->Image()), 0) << size.width();
    }
  }
  // Codes that stop while rows are missing, without the end-of-picture code, are a file
  // cut short.
  const QByteArray cut = Bmp(600, 400, 8, 1, palette, codes.left(codes.size() - 2));
  EXPECT_EQ(Load(cut), nullptr);
  EXPECT_EQ(Load(cut, QSize(60, 40)), nullptr);
}

TEST(CodecFaithful, IndexesBeyondTheColourTableDrawOpaqueBlack) {
  std::vector<std::uint32_t> palette(101, 0x00808080);
  const QByteArray file = Bmp(4, 1, 8, 0, palette, Bytes({0, 100, 101, 252}));
  auto loaded = Load(file);
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(loaded->Image().colorCount(), 256);
  EXPECT_EQ(loaded->Image().pixel(1, 0), 0xFF808080u);
  EXPECT_EQ(loaded->Image().pixel(2, 0), 0xFF000000u);
  EXPECT_EQ(loaded->Image().pixel(3, 0), 0xFF000000u);
  // Drawn and saved, the picture keeps those pixels black.
  const QImage drawn = loaded->Image().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(drawn.pixel(3, 0), 0xFF000000u);
  auto resaved = Load(Gdip::BmpCodec::EncodeBmp(loaded->Image()));
  ASSERT_NE(resaved, nullptr);
  EXPECT_EQ(resaved->Image().pixel(3, 0), 0xFF000000u);
}

TEST(CodecFaithful, DeepPngTransparentColourIsTransparent) {
  const std::array<std::uint16_t, 3> key{0x1234, 0x5678, 0x9ABC};
  const std::vector<std::array<std::uint16_t, 3>> pixels = {key, {0xFFFF, 0, 0}, {0x1234, 0x5678, 0x9ABD}, key};
  auto rgb = Load(CodecTestFiles::DeepPngWithTransparentColour(pixels, 2, key, false));
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(qAlpha(rgb->Image().pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(rgb->Image().pixel(1, 1)), 0);
  EXPECT_EQ(rgb->Image().pixel(1, 0), 0xFFFF0000u);
  EXPECT_EQ(qAlpha(rgb->Image().pixel(0, 1)), 255);  // one step off the key stays opaque

  const std::vector<std::array<std::uint16_t, 3>> greys = {{0x8000, 0, 0}, {0xFFFF, 0, 0}};
  auto grey = Load(CodecTestFiles::DeepPngWithTransparentColour(greys, 2, {0x8000, 0, 0}, true));
  ASSERT_NE(grey, nullptr);
  EXPECT_EQ(qAlpha(grey->Image().pixel(0, 0)), 0);
  EXPECT_EQ(grey->Image().pixel(1, 0), 0xFFFFFFFFu);
}

namespace {

int Sample(int x, int y, int channel) { return (x * 4099 + y * 257 + channel * 12345) & 0xFFFF; }
int Sample8(int x, int y, int channel) { return Sample(x, y, channel) & 0xFF; }

}  // namespace

TEST(CodecFaithful, TiffPlanesAndExtraSamples) {
  for (int bits : {8, 16}) {
    const auto sample = bits == 16 ? Sample : Sample8;
    auto planar = Load(CodecTestFiles::RgbTiff(7, 5, bits, true, -1, sample));
    auto contiguous = Load(CodecTestFiles::RgbTiff(7, 5, bits, false, -1, sample));
    ASSERT_NE(planar, nullptr) << bits;
    ASSERT_NE(contiguous, nullptr) << bits;
    EXPECT_EQ(CodecTestFiles::MaxChannelDifference(planar->Image(), contiguous->Image()), 0) << bits;
    EXPECT_EQ(qGreen(planar->Image().pixel(3, 2)), bits == 16 ? (Sample(3, 2, 1) + 128) / 257 : Sample8(3, 2, 1));
    // The stored bytes too: the first plane starts each pixel opaque, none keeps what the
    // memory held.
    const QImage& stored = planar->Image();
    for (int y = 0; y < stored.height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(stored.constScanLine(y));
      EXPECT_TRUE(std::all_of(row, row + stored.width(), [](QRgb p) { return qAlpha(p) == 255; })) << bits << " " << y;
    }
  }
  // An unspecified extra sample is not alpha; associated and unassociated alpha are.
  auto half = [](int x, int, int channel) { return channel == 3 ? 128 : (channel == 0 ? 64 : x); };
  auto unspecified = Load(CodecTestFiles::RgbTiff(3, 2, 8, false, EXTRASAMPLE_UNSPECIFIED, half));
  ASSERT_NE(unspecified, nullptr);
  EXPECT_EQ(unspecified->Image().pixel(2, 1), qRgb(64, 2, 2));
  auto unassociated = Load(CodecTestFiles::RgbTiff(3, 2, 8, true, EXTRASAMPLE_UNASSALPHA, half));
  ASSERT_NE(unassociated, nullptr);
  EXPECT_EQ(unassociated->Image().pixel(2, 1), qRgba(64, 2, 2, 128));
  auto associated = Load(CodecTestFiles::RgbTiff(3, 2, 8, false, EXTRASAMPLE_ASSOCALPHA, half));
  ASSERT_NE(associated, nullptr);
  EXPECT_EQ(associated->Image().pixel(2, 1), qRgba(128, 4, 4, 128));
}

TEST(CodecFaithful, BmpBitFieldsScaleToFullRange) {
  // 16 bits: 5-6-5 white, then 1-5-5-5 with its 1-bit alpha set.
  const std::vector<std::uint32_t> rgb565 = {0xF800, 0x07E0, 0x001F};
  auto white565 = Load(Bmp(2, 1, 16, 3, rgb565, Bytes({0xFF, 0xFF, 0x10, 0x84})));
  ASSERT_NE(white565, nullptr);
  EXPECT_EQ(white565->Image().pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(white565->Image().pixel(1, 0), qRgb(132, 130, 132));  // half of each field

  auto white555 = Load(Bmp(1, 1, 16, 0, {}, Bytes({0xFF, 0x7F, 0, 0})));
  ASSERT_NE(white555, nullptr);
  EXPECT_EQ(white555->Image().pixel(0, 0), 0xFFFFFFFFu);

  const std::vector<std::uint32_t> argb1555 = {0x7C00, 0x03E0, 0x001F, 0x8000};
  auto oneBitAlpha = Load(Bmp(2, 1, 16, 6, argb1555, Bytes({0x00, 0xFC, 0x1F, 0x00})));
  ASSERT_NE(oneBitAlpha, nullptr);
  EXPECT_EQ(oneBitAlpha->Image().pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(qAlpha(oneBitAlpha->Image().pixel(1, 0)), 0);

  // 32 bits: 4-bit alpha, 2-bit red, 11-bit green, 4-bit blue.
  const std::vector<std::uint32_t> odd = {0x00600000, 0x001FFC00, 0x0000000F, 0xF0000000};
  auto wide = Load(Bmp(1, 1, 32, 6, odd, Bytes({0x0F, 0xFC, 0x7F, 0xF0})));
  ASSERT_NE(wide, nullptr);
  EXPECT_EQ(wide->Image().pixel(0, 0), 0xFFFFFFFFu);
  auto parts = Load(Bmp(1, 1, 32, 6, odd, Bytes({0x05, 0x00, 0x34, 0x70})));  // green 0x500: top 8 bits 0xA0
  ASSERT_NE(parts, nullptr);
  EXPECT_EQ(parts->Image().pixel(0, 0), qRgba(85, 0xA0, 85, 119));
}

TEST(CodecFaithful, OldBmpHeadersAndShortPalettes) {
  // The 12-byte header with 3-byte colours, and a 2-entry table for a 4-bit picture.
  QByteArray core;
  Gdip::LeWriter w(core);
  w.U8('B');
  w.U8('M');
  w.U32(14 + 12 + 6 + 4);
  w.U32(0);
  w.U32(14 + 12 + 6);
  w.U32(12);
  w.U16(3);
  w.U16(1);
  w.U16(1);
  w.U16(4);
  w.Bytes(Gdip::AsBytes(Bytes({0, 0, 255, 0, 255, 0})));  // red, green
  w.Bytes(Gdip::AsBytes(Bytes({0x01, 0x70, 0, 0})));
  auto loaded = Load(core);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Image().pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(loaded->Image().pixel(1, 0), 0xFF00FF00u);
  EXPECT_EQ(loaded->Image().pixel(2, 0), 0xFF000000u);  // past the two entries present
  EXPECT_EQ(Load(core.left(core.size() - 3)), nullptr);
}

TEST(CodecFaithful, CutShortFilesAreRefused) {
  const QImage picture = CodecTestFiles::Gradient(40, 30, false);
  QByteArray rle;
  for (int row = 0; row < 30; ++row) {
    rle += Bytes({40, row % 3, 0, 0});
  }
  rle += Bytes({0, 1});
  const struct {
    const char* name;
    QByteArray file;
  } files[] = {
      {"bmp", Gdip::BmpCodec::EncodeBmp(picture)},
      {"rle8", Bmp(40, 30, 8, 1, {0x0000FF, 0x00FF00, 0xFF0000}, rle)},
      {"jpeg", CodecTestFiles::EncodedByQt(picture, "jpeg")},
      {"png", CodecTestFiles::EncodedByQt(picture, "png")},
      {"gif", Gdip::GifCodec::Encode(picture)},
      {"tiff", CodecTestFiles::RgbTiff(40, 30, 16, true, -1, Sample)},
  };
  for (const auto& f : files) {
    ASSERT_NE(Load(f.file), nullptr) << f.name;
    for (int percent : {50, 90}) {
      const QByteArray cut = f.file.left(f.file.size() * percent / 100);
      EXPECT_EQ(Load(cut), nullptr) << f.name << " at " << percent << "%";
      EXPECT_EQ(Load(cut, QSize(8, 6)), nullptr) << f.name << " at " << percent << "% as a thumbnail";
    }
  }
  // A start-of-image marker and nothing more is ours to refuse, not Qt's to guess at.
  EXPECT_EQ(Load(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00})), nullptr);
}

namespace {

// Peak resident memory, which the kernel can be asked to reset: a decoder that works on
// a picture's declared size touches that much memory, while one that stops where the
// data stops touches little. This counts the work without timing it.
std::int64_t PeakResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) {
    return -1;
  }
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) {
      return line.mid(6).trimmed().split(' ').front().toLongLong();
    }
  }
  return -1;
}

// AddressSanitizer writes the shadow of every large allocation and valgrind fills every
// block it hands out, which is work of their own; the count is meaningful only without.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kShadowedAllocations = true;
#else
constexpr bool kShadowedAllocations = false;
#endif

bool AllocationsAreTouched() {
  return kShadowedAllocations || qEnvironmentVariable("LD_PRELOAD").contains(QLatin1String("vgpreload"));
}

bool ResetPeakResident() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

}  // namespace

TEST(CodecFaithful, SmallFilesDeclaringHugeSizesCostLittle) {
  const bool counted = !AllocationsAreTouched() && ResetPeakResident();
  // 20000 x 20000 pixels are 400 to 1600 MB; decoding a few KB of data touches a few.
  auto expectLittleWork = [counted](auto&& load, const std::string& what) {
    const std::int64_t before = counted && ResetPeakResident() ? PeakResidentKb() : 0;
    load();
    if (counted) {
      EXPECT_LT(PeakResidentKb() - before, 32 * 1024) << what;
    }
  };
  for (const auto& [name, file] : CodecTestFiles::FilesDeclaring(20000)) {
    ASSERT_LT(file.size(), 64 * 1024) << name;
    for (const QSize scaled : {QSize(), QSize(160, 160)}) {
      const std::string what = name + (scaled.isValid() ? " as a thumbnail" : "");
      expectLittleWork([&] { EXPECT_EQ(Load(file, scaled), nullptr) << what; }, what);
    }
  }
  // A run-length picture that ends after a few codes is whole, the rest index 0, and
  // costs its codes, full size and as a thumbnail.
  const QByteArray ended = CodecTestFiles::RunLengthBmpDeclaring(20000, 20000);
  EXPECT_EQ(Gdip::PictureSize(Gdip::AsBytes(ended)), QSize(20000, 20000));  // the sheet's size, from the header
  for (const QSize scaled : {QSize(), QSize(160, 160)}) {
    expectLittleWork(
        [&] {
          auto picture = Load(ended, scaled);
          ASSERT_NE(picture, nullptr);
          EXPECT_EQ(picture->Image().size(), scaled.isValid() ? scaled : QSize(20000, 20000));
        },
        scaled.isValid() ? "run-length thumbnail" : "run-length picture");
  }
  // A whole small frame on a huge screen is shown as the frame alone.
  QByteArray screen = Gdip::GifCodec::Encode(CodecTestFiles::Gradient(16, 16, false));
  screen[6] = screen[8] = char(20000 & 0xFF);
  screen[7] = screen[9] = char(20000 >> 8);
  expectLittleWork(
      [&] {
        auto frame = Load(screen);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->Image().size(), QSize(16, 16));
      },
      "gif frame");
}
