// Our own TIFF reading, for the pages Qt's reader gets wrong or refuses, and for every
// thumbnail: rows are decoded in order into a picture of the wanted size, with no
// picture of the full size in between.
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/gdiplus/ReducedRows.h"
#include "platform/gdiplus/TiffCodec.h"

#include <tiffio.h>

namespace Gdip::TiffCodec {

namespace {

// A read-only view of bytes in memory, for libtiff's client interface.
struct MemoryStream {
  std::span<const std::uint8_t> data;
  std::size_t position = 0;
};

MemoryStream* StreamOf(thandle_t handle) { return static_cast<MemoryStream*>(handle); }

tsize_t MemoryRead(thandle_t handle, tdata_t data, tsize_t size) {
  MemoryStream* s = StreamOf(handle);
  const std::size_t n = std::min<std::size_t>(std::size_t(size), s->data.size() - s->position);
  std::memcpy(data, s->data.data() + s->position, n);
  s->position += n;
  return tsize_t(n);
}
tsize_t MemoryWrite(thandle_t, tdata_t, tsize_t) { return -1; }
toff_t MemorySeek(thandle_t handle, toff_t offset, int whence) {
  MemoryStream* s = StreamOf(handle);
  const std::uint64_t base = whence == SEEK_CUR ? s->position : whence == SEEK_END ? s->data.size() : 0;
  if (base + offset > s->data.size()) {
    return toff_t(-1);
  }
  s->position = std::size_t(base + offset);
  return s->position;
}
toff_t MemorySize(thandle_t handle) { return StreamOf(handle)->data.size(); }
int MemoryClose(thandle_t) { return 0; }
// libtiff reads the bytes in place, as from a file mapped for reading, which it never
// writes through. Unmapped, libtiff 4.5 fails uncompressed tiles in its RGBA interface.
int MemoryMap(thandle_t handle, tdata_t* base, toff_t* size) {
  const MemoryStream* s = StreamOf(handle);
  *base = const_cast<std::uint8_t*>(s->data.data());
  *size = s->data.size();
  return 1;
}
void MemoryUnmap(thandle_t, tdata_t, toff_t) {}

void Quiet(const char*, const char*, va_list) {}

// A one-value field of the first page's directory as the file stores it (tags of type
// SHORT keep their value in the entry).
std::optional<std::uint16_t> StoredShort(std::span<const std::uint8_t> data, std::uint32_t tag) {
  const bool big = data.size() >= 2 && data[0] == 'M';
  auto u16 = [&](std::size_t at) -> std::uint32_t {
    return at + 2 > data.size() ? 0 : big ? (data[at] << 8) | data[at + 1] : data[at] | (data[at + 1] << 8);
  };
  auto u32 = [&](std::size_t at) { return big ? (u16(at) << 16) | u16(at + 2) : u16(at) | (u16(at + 2) << 16); };
  const std::size_t directory = u32(4);
  const std::size_t entries = u16(directory);
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + i * 12;
    if (entry + 12 > data.size()) {
      break;
    }
    if (u16(entry) == tag) {
      return std::uint16_t(u16(entry + 8));
    }
  }
  return std::nullopt;
}

// What the first page holds, as libtiff reads its directory.
struct Page {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::uint16_t Bits = 1;
  std::uint16_t Samples = 1;
  std::uint16_t Photometric = PHOTOMETRIC_MINISWHITE;
  bool Planar = false;
  bool Tiled = false;
  std::uint32_t TileWidth = 0;
  std::uint32_t TileLength = 0;
  std::uint16_t ExtraCount = 0;
  std::uint16_t FirstExtra = EXTRASAMPLE_UNSPECIFIED;
  std::uint16_t InkSet = INKSET_CMYK;
};

Page ReadPage(TIFF* tif) {
  Page page;
  std::uint16_t planar = PLANARCONFIG_CONTIG;
  std::uint16_t* extra = nullptr;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &page.Width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &page.Height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &page.Bits);
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &page.Samples);
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &page.Photometric);
  TIFFGetFieldDefaulted(tif, TIFFTAG_INKSET, &page.InkSet);
  if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &page.ExtraCount, &extra) == 1 && page.ExtraCount > 0) {
    page.FirstExtra = extra[0];
  }
  page.Planar = planar == PLANARCONFIG_SEPARATE;
  page.Tiled = TIFFIsTiled(tif) != 0;
  if (page.Tiled) {
    TIFFGetField(tif, TIFFTAG_TILEWIDTH, &page.TileWidth);
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &page.TileLength);
  }
  return page;
}

// Samples of one row in one plane.
std::size_t PlaneSamples(const Page& page, std::uint32_t width) {
  return std::size_t(width) * (page.Planar ? 1 : page.Samples);
}

// Whether the page's rows are stored whole, in strips, or in tiles each of whose rows
// ends on a byte, so that a row of tiles joins into rows of the page byte for byte.
bool RowsJoin(const Page& page) {
  return !page.Tiled ||
         (page.TileWidth > 0 && page.TileLength > 0 && PlaneSamples(page, page.TileWidth) * page.Bits % 8 == 0);
}

// The rows of one plane of the page as the file stores them, top row first: from strips
// a row at a time, from tiles a row of tiles at a time, each tile decoded once.
class StoredRows {
 public:
  StoredRows(TIFF* tif, const Page& page, std::uint16_t plane) : m_tif(tif), m_page(page), m_plane(plane) {
    if (!page.Tiled) {
      m_rows.resize(std::size_t(TIFFScanlineSize(tif)));
      m_ok = m_rows.size() >= (PlaneSamples(page, page.Width) * page.Bits + 7) / 8;
      return;
    }
    if (!RowsJoin(page)) {
      return;
    }
    m_tileRow = PlaneSamples(page, page.TileWidth) * page.Bits / 8;
    const std::uint64_t across = (page.Width + page.TileWidth - 1) / page.TileWidth;
    m_ok = across * m_tileRow * page.TileLength < (std::uint64_t{1} << 31);
    if (m_ok) {
      m_stride = std::size_t(across) * m_tileRow;
      m_rows.resize(m_stride * page.TileLength);
      m_tile.resize(m_tileRow * page.TileLength);
    }
  }

  bool Ok() const { return m_ok; }

  // The bytes of row y, enough for its samples; nullptr when the file fails there.
  const std::uint8_t* Row(std::uint32_t y) {
    if (!m_page.Tiled) {
      return TIFFReadScanline(m_tif, m_rows.data(), y, m_plane) == 1 ? m_rows.data() : nullptr;
    }
    const std::uint32_t top = y - y % m_page.TileLength;
    if (top != m_top && !ReadTileRow(top)) {
      return nullptr;
    }
    return m_rows.data() + std::size_t(y - top) * m_stride;
  }

 private:
  bool ReadTileRow(std::uint32_t top) {
    for (std::uint32_t left = 0; left < m_page.Width; left += m_page.TileWidth) {
      const std::uint32_t tile = TIFFComputeTile(m_tif, left, top, 0, m_plane);
      if (TIFFReadEncodedTile(m_tif, tile, m_tile.data(), tmsize_t(m_tile.size())) < 0) {
        return false;
      }
      std::uint8_t* to = m_rows.data() + left / m_page.TileWidth * m_tileRow;
      for (std::uint32_t row = 0; row < m_page.TileLength; ++row) {
        std::memcpy(to + row * m_stride, m_tile.data() + row * m_tileRow, m_tileRow);
      }
    }
    m_top = top;
    return true;
  }

  TIFF* m_tif;
  const Page& m_page;
  std::uint16_t m_plane;
  bool m_ok = false;
  std::size_t m_tileRow = 0;  // bytes of one row of a tile
  std::size_t m_stride = 0;   // bytes of one row of a row of tiles
  std::uint32_t m_top = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint8_t> m_rows;  // one scanline, or a row of tiles side by side
  std::vector<std::uint8_t> m_tile;
};

bool PictureFits(const Page& page) {
  return page.Width > 0 && page.Height > 0 && std::uint64_t{page.Width} * page.Height * 4 < (std::uint64_t{1} << 31);
}

// ---- Our own sample reader: grey, RGB and CMYK strips of 8, 12 or 16 bits ----

int ColourChannels(const Page& page) {
  switch (page.Photometric) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE:
      return 1;
    case PHOTOMETRIC_RGB:
      return 3;
    case PHOTOMETRIC_SEPARATED:
      return page.InkSet == INKSET_CMYK ? 4 : 0;
    default:
      return 0;
  }
}

bool HasAlpha(const Page& page) {
  return ColourChannels(page) != 4 && page.Samples > ColourChannels(page) &&
         (page.FirstExtra == EXTRASAMPLE_ASSOCALPHA || page.FirstExtra == EXTRASAMPLE_UNASSALPHA);
}

// The pages Qt's reader or libtiff's RGBA interface get wrong or refuse: channels in
// separate planes (Qt's 16-bit path reads them as if interleaved; separate inks neither
// reads), extra samples (Qt takes any for alpha and premultiplies unassociated alpha),
// samples of 12 bits, 16-bit samples (rounded off by one in places) and 16-bit inks.
bool IsOwnLayout(const Page& page) {
  const int channels = ColourChannels(page);
  const bool depth = page.Bits == 8 || page.Bits == 12 || page.Bits == 16;
  const bool awkward = page.Planar || page.ExtraCount > 0 || page.Bits != 8;
  return channels > 0 && page.Samples >= channels && depth && awkward && RowsJoin(page);
}

// Unpacks `count` samples of a row to 8 bits, rounded to the nearest.
void SamplesTo8(const std::uint8_t* in, int bits, std::size_t count, std::uint8_t* out) {
  if (bits == 8) {
    std::memcpy(out, in, count);
    return;
  }
  if (bits == 16) {
    for (std::size_t i = 0; i < count; ++i) {
      std::uint16_t v = 0;
      std::memcpy(&v, in + i * 2, 2);  // libtiff hands 16-bit samples over in our byte order
      out[i] = std::uint8_t((std::uint32_t(v) * 255 + 32767) / 65535);
    }
    return;
  }
  for (std::size_t i = 0; i < count; ++i) {  // 12 bits: two samples in three bytes, high bits first
    const std::uint8_t* p = in + i / 2 * 3;
    const std::uint32_t v = i % 2 == 0 ? (p[0] << 4) | (p[1] >> 4) : ((p[1] & 0x0F) << 8) | p[2];
    out[i] = std::uint8_t((v * 255 + 2047) / 4095);
  }
}

// The colour of cyan, magenta, yellow and black inks, none being 0.
QRgb InkColour(int c, int m, int y, int k) {
  const int white = 255 - k;
  return qRgb((255 - c) * white / 255, (255 - m) * white / 255, (255 - y) * white / 255);
}

// One row of 8-bit interleaved samples as pixels.
void SamplesToPixels(const Page& page, const std::uint8_t* s, QRgb* out) {
  const std::size_t step = page.Samples;
  const bool alpha = HasAlpha(page);
  const int channels = ColourChannels(page);
  for (std::uint32_t x = 0; x < page.Width; ++x, s += step) {
    const int a = alpha ? s[channels] : 255;
    if (channels == 4) {
      out[x] = InkColour(s[0], s[1], s[2], s[3]);
    } else if (channels == 3) {
      out[x] = qRgba(s[0], s[1], s[2], a);
    } else {
      const int v = page.Photometric == PHOTOMETRIC_MINISWHITE ? 255 - s[0] : s[0];
      out[x] = qRgba(v, v, v, a);
    }
  }
}

bool ReadInterleaved(TIFF* tif, const Page& page, ReducedRows& rows) {
  StoredRows stored(tif, page, 0);
  if (!stored.Ok()) {
    return false;
  }
  const std::size_t samples = PlaneSamples(page, page.Width);
  std::vector<std::uint8_t> eight(samples);
  for (std::uint32_t y = 0; y < page.Height; ++y) {
    const std::uint8_t* raw = stored.Row(y);
    if (raw == nullptr) {
      return false;
    }
    SamplesTo8(raw, page.Bits, samples, eight.data());
    SamplesToPixels(page, eight.data(), rows.Row(int(y)));
    rows.Finish(int(y));
  }
  return true;
}

// Writes one plane's 8-bit samples into the pixels: grey sets all three colours, then
// red, green, blue and alpha in turn (inks go to the same places, black to alpha's, and
// are made colours once all are in). The first plane starts each pixel afresh, opaque.
void PutPlane(QRgb* out, const std::uint8_t* s, std::uint32_t width, int plane, int channels, bool whiteIsZero) {
  const bool colour = plane < std::min(channels, 3);
  const int shift = !colour ? 24 : 16 - 8 * plane;
  const QRgb keep = ~(QRgb{0xFF} << shift);
  for (std::uint32_t x = 0; x < width; ++x) {
    if (colour && channels == 1) {
      const QRgb v = whiteIsZero ? 255 - s[x] : s[x];
      out[x] = 0xFF000000u | (v << 16) | (v << 8) | v;
    } else if (plane == 0) {
      out[x] = 0xFF000000u | (QRgb{s[x]} << shift);
    } else {
      out[x] = (out[x] & keep) | (QRgb{s[x]} << shift);
    }
  }
}

void InksToColours(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      row[x] = InkColour(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), qAlpha(row[x]));
    }
  }
}

// Separate planes are read one after the other, each from its first row: compressed
// strips cannot be read out of order. The rows are therefore kept at full size.
bool ReadPlanes(TIFF* tif, const Page& page, QImage& image) {
  std::vector<std::uint8_t> eight(page.Width);
  const int channels = ColourChannels(page);
  const int planes = channels + (HasAlpha(page) ? 1 : 0);
  for (int plane = 0; plane < planes; ++plane) {
    StoredRows stored(tif, page, std::uint16_t(plane));
    if (!stored.Ok()) {
      return false;
    }
    for (std::uint32_t y = 0; y < page.Height; ++y) {
      const std::uint8_t* raw = stored.Row(y);
      if (raw == nullptr) {
        return false;
      }
      SamplesTo8(raw, page.Bits, page.Width, eight.data());
      PutPlane(reinterpret_cast<QRgb*>(image.scanLine(int(y))), eight.data(), page.Width, plane, channels,
               page.Photometric == PHOTOMETRIC_MINISWHITE);
    }
  }
  if (channels == 4) {
    InksToColours(image);
  }
  return true;
}

// Associated alpha stores colours multiplied by it; the program works on straight alpha.
void Unpremultiply(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int a = qAlpha(row[x]);
      auto straight = [a](int c) { return a == 0 ? 0 : std::min(255, (c * 255 + a / 2) / a); };
      row[x] = qRgba(straight(qRed(row[x])), straight(qGreen(row[x])), straight(qBlue(row[x])), a);
    }
  }
}

QImage ReadOwn(TIFF* tif, const Page& page, QSize wanted) {
  const bool alpha = HasAlpha(page);
  const QSize size(int(page.Width), int(page.Height));
  // Associated alpha is averaged as it is stored, then made straight.
  const bool associated = alpha && page.FirstExtra == EXTRASAMPLE_ASSOCALPHA;
  const QImage::Format format = !alpha ? QImage::Format_RGB32 : associated ? QImage::Format_ARGB32_Premultiplied
                                                                           : QImage::Format_ARGB32;
  QImage image;
  if (page.Planar) {
    image = QImage(size, format);
    if (image.isNull() || !ReadPlanes(tif, page, image)) {
      return {};
    }
  } else {
    ReducedRows rows(size, wanted, format);
    if (!rows.Ok() || !ReadInterleaved(tif, page, rows)) {
      return {};
    }
    image = rows.Take();
  }
  if (associated) {
    image.reinterpretAsFormat(QImage::Format_ARGB32);
    Unpremultiply(image);
  }
  return image;
}

// ---- Palettes of 2 and 4 bits, which Qt's reader turns into 32-bit pixels ----

bool IsSmallPalette(const Page& page) {
  return page.Photometric == PHOTOMETRIC_PALETTE && (page.Bits == 2 || page.Bits == 4) && page.Samples == 1 &&
         !page.Tiled;
}

// The colour map, padded to 256 opaque black entries. Old writers stored 8-bit values in
// the 16-bit map: a map with no value above 255 is read as such.
QList<QRgb> ColourTable(TIFF* tif, int bits) {
  std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
  QList<QRgb> table(256, qRgb(0, 0, 0));
  if (TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) != 1) {
    return {};
  }
  const std::size_t entries = std::size_t{1} << bits;
  bool eightBit = true;
  for (std::size_t i = 0; i < entries; ++i) {
    eightBit = eightBit && red[i] < 256 && green[i] < 256 && blue[i] < 256;
  }
  auto to8 = [eightBit](std::uint16_t v) { return eightBit ? int(v) : int((std::uint32_t(v) * 255 + 32767) / 65535); };
  for (std::size_t i = 0; i < entries; ++i) {
    table[qsizetype(i)] = qRgb(to8(red[i]), to8(green[i]), to8(blue[i]));
  }
  return table;
}

QImage ReadSmallPalette(TIFF* tif, const Page& page) {
  const QList<QRgb> table = ColourTable(tif, page.Bits);
  StoredRows stored(tif, page, 0);
  if (table.isEmpty() || !stored.Ok()) {
    return {};
  }
  QImage image(int(page.Width), int(page.Height), QImage::Format_Indexed8);
  if (image.isNull()) {
    return {};
  }
  image.setColorTable(table);
  const int perByte = 8 / page.Bits;
  const unsigned mask = (1u << page.Bits) - 1;
  for (std::uint32_t y = 0; y < page.Height; ++y) {
    const std::uint8_t* raw = stored.Row(y);
    if (raw == nullptr) {
      return {};
    }
    uchar* out = image.scanLine(int(y));
    for (std::uint32_t x = 0; x < page.Width; ++x) {
      const int shift = 8 - page.Bits * int(x % perByte + 1);
      out[x] = uchar((raw[x / perByte] >> shift) & mask);
    }
  }
  return image;
}

// ---- Black and white thumbnails, counted straight from the bits ----

bool IsBilevel(const Page& page) {
  return page.Bits == 1 && page.Samples == 1 &&
         (page.Photometric == PHOTOMETRIC_MINISWHITE || page.Photometric == PHOTOMETRIC_MINISBLACK) && RowsJoin(page);
}

// Each row is read once, as the full picture reads it, and its bits are counted into the
// thumbnail: no row of 32-bit pixels is made for a page of many megapixels.
QImage ReadBilevel(TIFF* tif, const Page& page, QSize wanted) {
  ReducedRows rows(QSize(int(page.Width), int(page.Height)), wanted, QImage::Format_RGB32);
  StoredRows stored(tif, page, 0);
  if (!rows.Ok() || !stored.Ok()) {
    return {};
  }
  for (std::uint32_t y = 0; y < page.Height; ++y) {
    const std::uint8_t* bits = stored.Row(y);
    if (bits == nullptr) {
      return {};
    }
    rows.FinishBits(int(y), bits, page.Photometric == PHOTOMETRIC_MINISBLACK);
  }
  return rows.Take();
}

// ---- libtiff's RGBA interface: other tiled pages, and thumbnails of other layouts ----

struct RgbaImage {
  TIFFRGBAImage img{};
  bool begun = false;
  ~RgbaImage() {
    if (begun) {
      TIFFRGBAImageEnd(&img);
    }
  }
};

// libtiff gives red in the lowest byte, colours multiplied by alpha.
void RgbaToPixels(const std::uint32_t* in, QRgb* out, std::uint32_t width) {
  for (std::uint32_t x = 0; x < width; ++x) {
    const std::uint32_t p = in[x];
    out[x] = (p & 0xFF00FF00u) | ((p & 0xFF) << 16) | ((p >> 16) & 0xFF);
  }
}

// Rows are fetched a strip or a row of tiles at a time, each decoded once. A page stored
// other than top row first is fetched whole, as libtiff turns it round.
std::uint32_t BandRows(TIFF* tif, const Page& page) {
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  std::uint32_t band = page.Height;
  if (orientation != ORIENTATION_TOPLEFT) {
    return band;
  }
  if (page.Tiled) {
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &band);
  } else {
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &band);
  }
  return std::clamp<std::uint32_t>(band, 1, page.Height);
}

// The page through the interface, null when it is damaged; nullopt when the interface
// does not take its layout. Stopping at the first error refuses a damaged page as Qt's
// reader refuses it, at whatever size.
std::optional<QImage> ReadRgba(TIFF* tif, const Page& page, QSize wanted) {
  char message[1024] = {};
  RgbaImage rgba;
  if (TIFFRGBAImageOK(tif, message) != 1 || TIFFRGBAImageBegin(&rgba.img, tif, 1, message) != 1) {
    return std::nullopt;
  }
  rgba.begun = true;
  rgba.img.req_orientation = ORIENTATION_TOPLEFT;
  const std::uint32_t band = BandRows(tif, page);
  const QImage::Format format = rgba.img.alpha != 0 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
  ReducedRows rows(QSize(int(page.Width), int(page.Height)), wanted, format);
  std::vector<std::uint32_t> raster;
  if (!rows.Ok() || std::uint64_t{band} * page.Width * 4 >= (std::uint64_t{1} << 31)) {
    return QImage();
  }
  raster.resize(std::size_t(band) * page.Width);
  for (std::uint32_t top = 0; top < page.Height; top += band) {
    const std::uint32_t count = std::min(band, page.Height - top);
    rgba.img.row_offset = int(top);
    if (TIFFRGBAImageGet(&rgba.img, raster.data(), page.Width, count) != 1) {
      return QImage();
    }
    for (std::uint32_t i = 0; i < count; ++i) {
      RgbaToPixels(raster.data() + std::size_t(i) * page.Width, rows.Row(int(top + i)), page.Width);
      rows.Finish(int(top + i));
    }
  }
  return rows.Take();
}

// Whether the page's tiles are of a size for its pixels: a reader holds a row of tiles, so
// a few pixels in tiles of a gigabyte would cost that gigabyte. A tile may cover four times
// the page, or a megapixel (small pages written with large fixed tiles), whichever is more.
bool TilesFitPage(TIFF* tif) {
  std::uint32_t width = 0, height = 0, tileWidth = 0, tileLength = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
  TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileLength);
  const std::uint64_t pagePixels = std::uint64_t{width} * height;
  return std::uint64_t{tileWidth} * tileLength <= std::max<std::uint64_t>(4 * pagePixels, std::uint64_t{1} << 20);
}

// Whether the first page's strips or tiles lie inside the file and hold enough data for
// the pixels they declare. The layer refuses a page that fails here before any reader
// allocates for it: a few bytes claiming a huge picture would otherwise cost a reader
// work for every declared row. None of the general-purpose compressions packs more than
// about 4096 bytes into one (LZW at best, deflate 1032); the fax and JPEG codings are
// left unchecked.
bool DataCoversPicture(TIFF* tif, std::size_t fileSize) {
  const bool tiled = TIFFIsTiled(tif) != 0;
  if (tiled && !TilesFitPage(tif)) {
    return false;
  }
  const std::uint32_t count = tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
  const std::uint64_t pieceBytes = tiled ? std::uint64_t(TIFFTileSize64(tif)) : std::uint64_t(TIFFStripSize64(tif));
  std::uint64_t stored = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    int error = 0;
    const std::uint64_t offset = TIFFGetStrileOffsetWithErr(tif, i, &error);
    const std::uint64_t bytes = TIFFGetStrileByteCountWithErr(tif, i, &error);
    if (error != 0 || offset > fileSize || bytes > fileSize - offset) {
      return false;
    }
    stored += bytes;
  }
  std::uint16_t compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  const bool bounded = compression == COMPRESSION_NONE || compression == COMPRESSION_LZW ||
                       compression == COMPRESSION_DEFLATE || compression == COMPRESSION_ADOBE_DEFLATE ||
                       compression == COMPRESSION_PACKBITS;
  constexpr std::uint64_t kMaxExpansion = 4096;
  return count > 0 && (!bounded || pieceBytes * count <= (stored + 64) * kMaxExpansion);
}

// A palette page whose colour map is missing: the file was cut short before it. libtiff
// takes such a page of 8 bits for a grey one; the photometric value the file stores tells.
bool ColourMapMissing(TIFF* tif, std::span<const std::uint8_t> data) {
  std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
  return StoredShort(data, TIFFTAG_PHOTOMETRIC) == PHOTOMETRIC_PALETTE &&
         TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) != 1;
}

std::optional<QImage> DecodePage(TIFF* tif, std::span<const std::uint8_t> data, QSize wanted) {
  if (!DataCoversPicture(tif, data.size()) || ColourMapMissing(tif, data)) {
    return QImage();
  }
  const Page page = ReadPage(tif);
  if (!PictureFits(page)) {
    return std::nullopt;  // Qt's reader tells a size it cannot hold
  }
  const bool thumbnail = wanted.isValid() && !wanted.isEmpty();
  if (IsOwnLayout(page)) {
    return ReadOwn(tif, page, wanted);
  }
  if (IsSmallPalette(page)) {
    return ReadSmallPalette(tif, page);
  }
  if (thumbnail && IsBilevel(page)) {
    return ReadBilevel(tif, page, wanted);
  }
  if (page.Tiled || thumbnail) {
    std::optional<QImage> image = ReadRgba(tif, page, wanted);
    // A strip page of a layout the interface does not take is left to Qt's reader.
    return image || !page.Tiled ? image : QImage();
  }
  return std::nullopt;
}

}  // namespace

int PaletteBits(std::span<const std::uint8_t> data) {
  return StoredShort(data, TIFFTAG_PHOTOMETRIC) == PHOTOMETRIC_PALETTE
             ? StoredShort(data, TIFFTAG_BITSPERSAMPLE).value_or(1)
             : 0;
}

std::optional<QImage> Decode(std::span<const std::uint8_t> data, QSize wanted) {
  // libtiff reports problems on stderr by default; a failed read is answer enough.
  TIFFSetWarningHandler(Quiet);
  TIFFSetErrorHandler(Quiet);
  MemoryStream stream{data};
  TIFF* tif = TIFFClientOpen("picture", "r", &stream, MemoryRead, MemoryWrite, MemorySeek, MemoryClose, MemorySize,
                             MemoryMap, MemoryUnmap);
  if (tif == nullptr) {
    return std::nullopt;
  }
  std::optional<QImage> result = DecodePage(tif, data, wanted);
  TIFFClose(tif);
  return result;
}

}  // namespace Gdip::TiffCodec
