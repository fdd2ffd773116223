#include "platform/gdiplus/JpegDecoder.h"

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/gdiplus/JpegCoefficientMemory.h"
#include "platform/gdiplus/PictureMemory.h"

namespace Gdip::JpegDecoder {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return; we jump back
// to the decode call. Warnings arrive through emit_message: a scan whose data ends early
// is fatal for us (see OnMessage); other warnings leave the picture whole (stray bytes
// before a marker, a missing end marker after the last scan) and are tolerated.
struct ErrorManager {
  jpeg_error_mgr base{};
  std::jmp_buf jump{};
  bool endSupplied = false;  // the file ended and libjpeg put in the end marker itself
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// A Huffman-coded scan whose data ends while its blocks still need bits is refused at
// once: libjpeg would otherwise go on decoding grey blocks for every row the header
// declares, seconds of work for a few bytes. A file that merely ends without its end
// marker is judged once its scans are read (WholeWhereItEnds); an arithmetic-coded one
// is refused, since its decoder reads a cut scan as zero bits without a word.
void OnMessage(j_common_ptr common, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(common->err);
  if (level >= 0) {
    return;
  }
  if (err->base.msg_code == JWRN_JPEG_EOF) {
    err->endSupplied = true;
    if (reinterpret_cast<j_decompress_ptr>(common)->arith_code) {
      std::longjmp(err->jump, 1);
    }
  } else if (err->base.msg_code == JWRN_HIT_MARKER) {
    std::longjmp(err->jump, 1);
  }
}

// Whether the scans read up to the file's end make the whole picture. Without its end
// marker a file may have lost scans after the last one read: a progressive picture is
// whole when every coefficient of every component has its last bit; a picture of
// several other scans is refused.
bool WholeWhereItEnds(jpeg_decompress_struct& cinfo) {
  if (!reinterpret_cast<const ErrorManager*>(cinfo.err)->endSupplied) {
    return true;
  }
  if (!cinfo.progressive_mode) {
    return !jpeg_has_multiple_scans(&cinfo);
  }
  for (int c = 0; c < cinfo.num_components; ++c) {
    for (int k = 0; k < DCTSIZE2; ++k) {
      if (cinfo.coef_bits[c][k] != 0) {
        return false;
      }
    }
  }
  return true;
}

// The largest reduction (1/8, 1/4, 1/2) that still gives at least the wanted size.
unsigned ScaleDenominator(const jpeg_decompress_struct& cinfo, QSize wanted) {
  if (!wanted.isValid() || wanted.isEmpty()) {
    return 1;
  }
  for (unsigned denom : {8u, 4u, 2u}) {
    if (cinfo.image_width / denom >= unsigned(wanted.width()) && cinfo.image_height / denom >= unsigned(wanted.height())) {
      return denom;
    }
  }
  return 1;
}

// The arithmetic decoder takes a marker inside a scan's data for its end and decodes zero
// bits from there on. An encoder drops the zero bytes after its last code, so a valid
// scan ends early wherever the rest of the picture costs nothing (a flat lower part, and
// most of a smooth picture's later scans); but a scan cut short, or a few bytes under a
// header claiming a huge picture, would be decoded the same way, grey for every row the
// header declares: seconds of work for a few bytes. The work done past the first scan's
// data (which holds every block's average) is therefore bounded by the work its data
// paid for: up to kRowsPastDataPerRowOfData times the rows decoded with data, and any
// picture up to kPixelsPastDataAlways. libjpeg calls the progress hook between rows of
// blocks, in single-scan and multi-scan streams alike.
constexpr std::uint64_t kRowsPastDataPerRowOfData = 3;
constexpr std::uint64_t kPixelsPastDataAlways = std::uint64_t{1} << 20;

struct ScanProgress {
  jpeg_progress_mgr base{};
  JDIMENSION rowsWithData = 0;  // 0 until the first scan's data ends
};

void CheckArithmeticScanEnd(j_common_ptr common) {
  auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
  if (!cinfo->arith_code || cinfo->unread_marker == 0 || cinfo->input_scan_number != 1) {
    return;
  }
  auto* progress = reinterpret_cast<ScanProgress*>(cinfo->progress);
  if (progress->rowsWithData == 0) {
    progress->rowsWithData = std::max<JDIMENSION>(cinfo->input_iMCU_row, 1);
  }
  const std::uint64_t rowPixels = std::uint64_t{cinfo->image_width} * std::uint64_t(cinfo->max_v_samp_factor) * DCTSIZE;
  const std::uint64_t rowsPast = cinfo->input_iMCU_row > progress->rowsWithData
                                     ? cinfo->input_iMCU_row - progress->rowsWithData
                                     : 0;
  const std::uint64_t allowed =
      std::max(kPixelsPastDataAlways, progress->rowsWithData * kRowsPastDataPerRowOfData * rowPixels);
  if (rowsPast * rowPixels > allowed) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
  }
}

// Every 8 x 8 block of the most finely sampled component costs at least one bit of
// Huffman-coded data, so such a stream cannot hold more pixels than 512 per byte; a
// header that claims more belongs to a file cut short (or made up), refused before
// anything is allocated for it. Arithmetic coding can go below a bit a block; its scans
// are checked as they are decoded (CheckArithmeticScanEnd).
bool SizeFitsData(const jpeg_decompress_struct& cinfo, std::size_t bytes) {
  constexpr std::uint64_t kMaxPixelsPerByte = 512;
  return cinfo.arith_code ||
         std::uint64_t{cinfo.image_width} * cinfo.image_height <= std::uint64_t{bytes} * kMaxPixelsPerByte;
}

// Four-component JPEGs hold CMYK. Files with an Adobe marker store the inks inverted,
// which is nearly every CMYK JPEG written by prepress tools.
void CmykRowToRgb32(const JSAMPLE* cmyk, QRgb* out, int width, bool inverted) {
  for (int x = 0; x < width; ++x, cmyk += 4) {
    int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
  }
}

bool DecodeRows(jpeg_decompress_struct& cinfo, QImage& image) {
  const bool cmyk = cinfo.out_color_space == JCS_CMYK;
  // The CMYK row lives in libjpeg's own pool, which the error jump cannot leak.
  JSAMPARRAY cmykRow =
      cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 4, 1)
           : nullptr;
  // Asking for several rows at once lets the decoder write each row group of a
  // subsampled picture straight into place instead of through its spare row.
  constexpr JDIMENSION kRowsPerRead = 16;
  uchar* const pixels = image.bits();
  const qsizetype stride = image.bytesPerLine();
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION y = cinfo.output_scanline;
    const JDIMENSION wanted = cmyk ? 1 : std::min(kRowsPerRead, cinfo.output_height - y);
    JSAMPROW rows[kRowsPerRead];
    for (JDIMENSION i = 0; i < wanted; ++i) {
      rows[i] = cmyk ? cmykRow[0] : pixels + stride * qsizetype(y + i);
    }
    if (jpeg_read_scanlines(&cinfo, rows, wanted) == 0) {
      return false;
    }
    if (cmyk) {
      CmykRowToRgb32(cmykRow[0], reinterpret_cast<QRgb*>(pixels + stride * qsizetype(y)), image.width(),
                     cinfo.saw_Adobe_marker);
    }
  }
  return true;
}

// How many of each block's leading coefficients (in the stream's zig-zag order) a
// progressive decode reads before it stops; 0 reads every scan. A block reduced to one
// pixel shows its average alone. A first look at a larger scale waits for the lowest
// frequencies both ways, which the common scan orders send in their first few scans.
int LeadingCoefficientsNeeded(Purpose purpose, unsigned denom) {
  constexpr int kFirstLookCoefficients = 6;
  if (denom == 1 || purpose == Purpose::Picture) {
    return 0;
  }
  if (denom == 8) {
    return 1;
  }
  return purpose == Purpose::FirstLook ? kFirstLookCoefficients : 0;
}

// The output layout and scale, and for a progressive stream whether its reduced decode
// stops after its first scans. Such a decode leaves the unread coefficients at zero:
// libjpeg's estimate of them from the neighbouring blocks costs a third of the decode
// and looks no closer to the whole picture at these scales.
void Configure(jpeg_decompress_struct& cinfo, QSize wanted, Purpose purpose) {
  const bool fourComponents = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = fourComponents ? JCS_CMYK : JCS_EXT_BGRA;
  cinfo.scale_num = 1;
  cinfo.scale_denom = ScaleDenominator(cinfo, wanted);
  if (cinfo.progressive_mode && LeadingCoefficientsNeeded(purpose, cinfo.scale_denom) > 0) {
    cinfo.buffered_image = TRUE;
    cinfo.do_block_smoothing = FALSE;
  }
}

// The next marker's code from `at` on, past entropy-coded data (where a 0xFF byte is
// followed by a zero or a restart marker) and fill bytes; `at` ends after the code.
// -1 when the data ends first.
int NextMarker(std::span<const std::uint8_t> rest, std::size_t& at) {
  while (at < rest.size()) {
    const void* found = std::memchr(rest.data() + at, 0xFF, rest.size() - at);
    if (found == nullptr) {
      return -1;
    }
    at = std::size_t(static_cast<const std::uint8_t*>(found) - rest.data()) + 1;
    while (at < rest.size() && rest[at] == 0xFF) {
      ++at;
    }
    if (at == rest.size()) {
      return -1;
    }
    const int code = rest[at++];
    if (code != 0 && (code < 0xD0 || code > 0xD7)) {
      return code;
    }
  }
  return -1;
}

// Whether the stream after the last scan read still holds every segment and scan up
// to its end marker. Scans left unread are not decoded, but a file cut short is refused
// however few of its scans a reduced decode needs.
bool RestReachesEnd(const jpeg_decompress_struct& cinfo) {
  constexpr int kEndOfImage = 0xD9;
  const std::span<const std::uint8_t> rest(cinfo.src->next_input_byte, cinfo.src->bytes_in_buffer);
  std::size_t at = 0;
  int marker = cinfo.unread_marker;
  for (;;) {
    if (marker == 0 && (marker = NextMarker(rest, at)) < 0) {
      return false;
    }
    if (marker == kEndOfImage) {
      return true;
    }
    // Start of image, restarts and the temporary marker stand alone; the rest carry
    // their length (a scan's header too, its data follows it).
    const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
    if (!standalone) {
      if (rest.size() - at < 2) {
        return false;
      }
      const std::size_t length = std::size_t(rest[at]) << 8 | rest[at + 1];
      if (length < 2 || length > rest.size() - at) {
        return false;
      }
      at += length;
    }
    marker = 0;
  }
}

bool HasLeadingCoefficients(const jpeg_decompress_struct& cinfo, int count) {
  for (int c = 0; c < cinfo.num_components; ++c) {
    for (int k = 0; k < count; ++k) {
      if (cinfo.coef_bits[c][k] < 0) {
        return false;
      }
    }
  }
  return true;
}

// Reads whole scans of a progressive stream until every component has its leading
// coefficients and the rest of the stream reaches its end marker, or else to the end.
// False when the stream is not whole (see WholeWhereItEnds).
bool ReadLeadingScans(jpeg_decompress_struct& cinfo, int count) {
  for (;;) {
    const int status = jpeg_consume_input(&cinfo);
    // libjpeg calls no progress hook while scans are read ahead of an output pass.
    CheckArithmeticScanEnd(reinterpret_cast<j_common_ptr>(&cinfo));
    if (status == JPEG_REACHED_EOI) {
      return WholeWhereItEnds(cinfo);
    }
    if (status == JPEG_SUSPENDED) {
      return false;
    }
    // Without its end marker the rest is read, to tell a missing marker from lost scans.
    if (status == JPEG_SCAN_COMPLETED && HasLeadingCoefficients(cinfo, count) && RestReachesEnd(cinfo)) {
      return true;
    }
  }
}

// Everything between jpeg_create_decompress and jpeg_destroy_decompress lives here, so
// that no object with a destructor is skipped by the error jump.
bool DecodeInto(jpeg_decompress_struct& cinfo, ErrorManager& err, std::span<const std::uint8_t> data, QSize wanted,
                Purpose purpose, QImage& image) {
  if (setjmp(err.jump) != 0) {
    return false;
  }
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
    return false;
  }
  Configure(cinfo, wanted, purpose);
  jpeg_calc_output_dimensions(&cinfo);
  if (std::uint64_t{cinfo.output_width} * cinfo.output_height * 4 >= (std::uint64_t{1} << 31) ||
      !SizeFitsData(cinfo, data.size())) {
    return false;
  }
  // Every row is written below; a stream that ends early is refused whole.
  image = NewPicture(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
  if (image.isNull()) {
    return false;
  }
  jpeg_start_decompress(&cinfo);
  // A stream of several scans has been read whole by now, unless it is buffered.
  if (!cinfo.buffered_image && !WholeWhereItEnds(cinfo)) {
    return false;
  }
  if (cinfo.buffered_image) {
    // One output pass from the scans read so far; the rest are never decoded.
    if (!ReadLeadingScans(cinfo, LeadingCoefficientsNeeded(purpose, cinfo.scale_denom))) {
      return false;
    }
    jpeg_start_output(&cinfo, cinfo.input_scan_number);
    return DecodeRows(cinfo, image);
  }
  if (!DecodeRows(cinfo, image)) {
    return false;
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

// A decompressor with our error handling, destroyed however the decode ends.
struct Decompressor {
  jpeg_decompress_struct cinfo{};
  ErrorManager err;
  ScanProgress progress;
  JpegCoefficientMemory coefficients;
  Decompressor() {
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.base.emit_message = OnMessage;
    jpeg_create_decompress(&cinfo);
    coefficients.Serve(cinfo);
    progress.base.progress_monitor = CheckArithmeticScanEnd;
    cinfo.progress = &progress.base;
  }
  ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
};

// Reads the header up to the first scan; false when it cannot be read.
bool ReadHeader(jpeg_decompress_struct& cinfo, ErrorManager& err, std::span<const std::uint8_t> data) {
  if (setjmp(err.jump) != 0) {
    return false;
  }
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  return jpeg_read_header(&cinfo, TRUE) == JPEG_HEADER_OK;
}

// The coefficients of the whole picture, which a stream of several scans is decoded
// through whatever the output scale: 64 two-byte values per block of each component.
std::int64_t CoefficientBytes(const jpeg_decompress_struct& cinfo) {
  std::int64_t blocks = 0;
  for (int c = 0; c < cinfo.num_components; ++c) {
    blocks += std::int64_t{cinfo.comp_info[c].width_in_blocks} * cinfo.comp_info[c].height_in_blocks;
  }
  return blocks * DCTSIZE2 * std::int64_t{sizeof(JCOEF)};
}

}  // namespace

bool LooksLikeJpeg(std::span<const std::uint8_t> data) {
  return data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8;
}

QImage Decode(std::span<const std::uint8_t> data, QSize scaledSize, Purpose purpose) {
  if (!LooksLikeJpeg(data)) {
    return {};
  }
  QImage image;
  {
    Decompressor decompressor;
    if (!DecodeInto(decompressor.cinfo, decompressor.err, data, scaledSize, purpose, image)) {
      return {};
    }
  }
  if (scaledSize.isValid() && !scaledSize.isEmpty() && image.size() != scaledSize) {
    return image.scaled(scaledSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return image;
}

QSize Dimensions(std::span<const std::uint8_t> data) {
  if (!LooksLikeJpeg(data)) {
    return {};
  }
  Decompressor decompressor;
  const jpeg_decompress_struct& cinfo = decompressor.cinfo;
  if (!ReadHeader(decompressor.cinfo, decompressor.err, data)) {
    return {};
  }
  return QSize(int(std::min<JDIMENSION>(cinfo.image_width, INT_MAX)), int(std::min<JDIMENSION>(cinfo.image_height, INT_MAX)));
}

std::int64_t WholePictureBytes(std::span<const std::uint8_t> data) {
  if (!LooksLikeJpeg(data)) {
    return 0;
  }
  Decompressor decompressor;
  if (!ReadHeader(decompressor.cinfo, decompressor.err, data) || !jpeg_has_multiple_scans(&decompressor.cinfo)) {
    return 0;
  }
  return CoefficientBytes(decompressor.cinfo);
}

}  // namespace Gdip::JpegDecoder
