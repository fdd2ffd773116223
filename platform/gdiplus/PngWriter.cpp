#include "platform/gdiplus/PngWriter.h"

#include <algorithm>
#include <thread>
#include <vector>

#include <QImage>

#include "platform/gdiplus/IndexedPicture.h"
#include "platform/gdiplus/PngBands.h"
#include "platform/gdiplus/PngBytes.h"

#include <zlib.h>

namespace Gdip::PngWriter {

namespace {

using PngBytes::AppendBigEndian32;

constexpr int kMinRowsPerBand = 64;
constexpr std::size_t kChunkLimit = std::size_t(1) << 24;

// One band's share of the compressed stream. Every band but the last ends on a byte
// boundary (a sync flush), so the bands join into one valid deflate stream; each band
// starts without the previous band's history, which costs a little size.
struct Band {
  int firstRow = 0;
  int endRow = 0;
  QByteArray deflated;
  uLong adler = 0;
  uLong rawBytes = 0;
  bool ok = false;
};

// Converts a row of 32-bit pixels to RGB(A) bytes with the "sub" filter: each byte minus
// the same byte of the pixel to its left.
void FilterRow(const QRgb* pixels, int width, bool alpha, std::uint8_t* out) {
  const int channels = alpha ? 4 : 3;
  *out++ = 1;  // filter type "sub"
  std::uint8_t left[4] = {0, 0, 0, 0};
  for (int x = 0; x < width; ++x) {
    const std::uint8_t px[4] = {std::uint8_t(qRed(pixels[x])), std::uint8_t(qGreen(pixels[x])),
                                std::uint8_t(qBlue(pixels[x])), std::uint8_t(qAlpha(pixels[x]))};
    for (int c = 0; c < channels; ++c) {
      *out++ = std::uint8_t(px[c] - left[c]);
      left[c] = px[c];
    }
  }
}

bool Deflate(z_stream& z, const std::uint8_t* data, std::size_t size, int flush, QByteArray& out) {
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = uInt(size);
  std::uint8_t buffer[1 << 16];
  do {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    const int result = deflate(&z, flush);
    if (result == Z_STREAM_ERROR) {
      return false;
    }
    out.append(reinterpret_cast<const char*>(buffer), qsizetype(sizeof buffer - z.avail_out));
  } while (z.avail_out == 0);
  return true;
}

void CompressBand(const QImage& image, bool alpha, int level, bool last, Band& band) {
  z_stream z{};
  if (deflateInit2(&z, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return;
  }
  const std::size_t rowBytes = 1 + std::size_t(image.width()) * (alpha ? 4 : 3);
  std::vector<std::uint8_t> row(rowBytes);
  band.adler = adler32(0, nullptr, 0);
  bool ok = true;
  for (int y = band.firstRow; y < band.endRow && ok; ++y) {
    FilterRow(reinterpret_cast<const QRgb*>(image.constScanLine(y)), image.width(), alpha, row.data());
    band.adler = adler32(band.adler, row.data(), uInt(rowBytes));
    ok = Deflate(z, row.data(), rowBytes, Z_NO_FLUSH, band.deflated);
  }
  band.rawBytes = uLong(rowBytes) * uLong(band.endRow - band.firstRow);
  band.ok = ok && Deflate(z, nullptr, 0, last ? Z_FINISH : Z_SYNC_FLUSH, band.deflated);
  deflateEnd(&z);
}

void AppendChunk(QByteArray& out, const char* type, const char* data, std::size_t size) {
  AppendBigEndian32(out, std::uint32_t(size));
  const qsizetype start = out.size();
  out.append(type, 4);
  out.append(data, qsizetype(size));
  const auto* crcStart = reinterpret_cast<const Bytef*>(out.constData() + start);
  AppendBigEndian32(out, std::uint32_t(crc32(0, crcStart, uInt(size + 4))));
}

std::vector<Band> SplitIntoBands(int height) {
  const int threads = int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
  const int count = std::clamp(height / kMinRowsPerBand, 1, threads);
  std::vector<Band> bands(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    bands[std::size_t(i)].firstRow = int(std::int64_t{height} * i / count);
    bands[std::size_t(i)].endRow = int(std::int64_t{height} * (i + 1) / count);
  }
  return bands;
}

// The signature and header chunk of a picture of that size, depth and colour type.
QByteArray Start(int width, int height, int depth, int colourType) {
  QByteArray png(reinterpret_cast<const char*>(PngBytes::kSignature), sizeof PngBytes::kSignature);
  QByteArray header;
  AppendBigEndian32(header, std::uint32_t(width));
  AppendBigEndian32(header, std::uint32_t(height));
  header.append(char(depth));       // bits per sample
  header.append(char(colourType));
  header.append("\0\0\0", 3);       // deflate, adaptive filtering, no interlace
  AppendChunk(png, "IHDR", header.constData(), std::size_t(header.size()));
  return png;
}

void AppendPixelsAndEnd(QByteArray& png, const QByteArray& stream) {
  for (qsizetype at = 0; at < stream.size(); at += qsizetype(kChunkLimit)) {
    AppendChunk(png, "IDAT", stream.constData() + at, std::min<std::size_t>(kChunkLimit, std::size_t(stream.size() - at)));
  }
  AppendChunk(png, "IEND", nullptr, 0);
}

}  // namespace

QByteArray EncodeIndexed(const IndexedPicture& picture, int level) {
  if (picture.Width <= 0 || picture.Height <= 0 || picture.Palette.isEmpty()) {
    return {};
  }
  // Palette pictures are small next to photographs: one stream, rows unfiltered.
  const std::size_t rowBytes = picture.RowBytes();
  std::vector<std::uint8_t> raw;
  raw.reserve((rowBytes + 1) * std::size_t(picture.Height));
  for (int y = 0; y < picture.Height; ++y) {
    raw.push_back(0);
    const auto row = picture.Rows.begin() + std::ptrdiff_t(std::size_t(y) * rowBytes);
    raw.insert(raw.end(), row, row + std::ptrdiff_t(rowBytes));
  }
  uLongf size = compressBound(uLong(raw.size()));
  QByteArray stream(qsizetype(size), Qt::Uninitialized);
  if (compress2(reinterpret_cast<Bytef*>(stream.data()), &size, raw.data(), uLong(raw.size()), level) != Z_OK) {
    return {};
  }
  stream.resize(qsizetype(size));
  QByteArray png = Start(picture.Width, picture.Height, picture.Depth, 3);
  QByteArray colours;
  QByteArray alphas;
  for (QRgb c : picture.Palette) {
    colours.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    alphas.append(char(qAlpha(c)));
  }
  AppendChunk(png, "PLTE", colours.constData(), std::size_t(colours.size()));
  if (picture.HasTransparency()) {
    AppendChunk(png, "tRNS", alphas.constData(), std::size_t(alphas.size()));
  }
  AppendPixelsAndEnd(png, stream);
  return png;
}

QByteArray Encode(const QImage& source, int level) {
  if (source.isNull() || level < 1 || level > 9) {
    return {};
  }
  const bool alpha = source.hasAlphaChannel();
  const QImage image = source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  std::vector<Band> bands = SplitIntoBands(image.height());
  {
    std::vector<std::jthread> workers;
    for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
      workers.emplace_back([&, i] { CompressBand(image, alpha, level, false, bands[i]); });
    }
    CompressBand(image, alpha, level, true, bands.back());
  }
  uLong adler = adler32(0, nullptr, 0);
  std::size_t deflatedBytes = 0;
  // The stream starts with its two-byte header.
  std::vector<PngBands::Band> starts;
  for (const Band& band : bands) {
    if (!band.ok) {
      return {};
    }
    starts.push_back({std::uint32_t(band.firstRow), 2 + deflatedBytes});
    adler = adler32_combine(adler, band.adler, z_off_t(band.rawBytes));
    deflatedBytes += std::size_t(band.deflated.size());
  }

  QByteArray png = Start(image.width(), image.height(), 8, alpha ? 6 : 2);  // RGBA or RGB
  // Room for the whole file at once; its pages become resident only as each band is
  // copied in and let go, so the compressed picture is never held twice.
  png.reserve(png.size() + qsizetype(deflatedBytes + deflatedBytes / kChunkLimit * 12 + 128));
  const QByteArray bandList = PngBands::Describe(starts);
  AppendChunk(png, PngBands::kChunkType, bandList.constData(), std::size_t(bandList.size()));
  // The zlib stream runs on across the data chunks: a header for a 32 KB window, the
  // bands in order, and the checksum of all the filtered bytes.
  AppendChunk(png, "IDAT", "\x78\x01", 2);
  for (Band& band : bands) {
    for (qsizetype at = 0; at < band.deflated.size(); at += qsizetype(kChunkLimit)) {
      AppendChunk(png, "IDAT", band.deflated.constData() + at,
                  std::min<std::size_t>(kChunkLimit, std::size_t(band.deflated.size() - at)));
    }
    band.deflated = QByteArray();
  }
  QByteArray checksum;
  AppendBigEndian32(checksum, std::uint32_t(adler));
  AppendChunk(png, "IDAT", checksum.constData(), 4);
  AppendChunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace Gdip::PngWriter
