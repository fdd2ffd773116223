#pragma once
// JPEG decoding straight into 32-bit pixels with libjpeg-turbo. Qt's plugin decodes to
// 24-bit rows and converts them afterwards; writing the final layout directly, and
// letting the decoder shrink by 1/2, 1/4 or 1/8 inside the DCT for thumbnail-size
// loads, is what makes large photographs open quickly.

#include <cstdint>
#include <span>

#include <QImage>
#include <QSize>

namespace Gdip::JpegDecoder {

// True when the bytes start with the start-of-image marker. Every such file is ours to
// decode or refuse: Qt's reader would show a cut-short one as whole.
bool LooksLikeJpeg(std::span<const std::uint8_t> data);

// What a reduced decode is for; it decides how much exactness is traded for speed. A
// decode at full size is always whole.
enum class Purpose {
  // Every scan.
  Picture,
  // A picture to be shrunk to a small size: a progressive stream reduced by 1/8 is read
  // only as far as its block averages, which are all such a reduced block shows (they
  // may still lack their last refinement bit: a level or two at usual qualities).
  Thumbnail,
  // A picture shown only until the whole decode replaces it: a progressive stream is
  // read only until every colour has its coarsest detail, the finer detail left out.
  FirstLook,
};

// Decodes baseline, progressive, grey, RGB, CMYK and YCCK streams into Format_RGB32.
// With a valid scaledSize the picture comes back at exactly that size (the decoder's own
// scaling does most of the reduction, as the purpose allows). A null image for a corrupt
// or truncated stream: a picture whose end is missing is not passed off as whole, even
// when the scans left unread are the ones missing.
QImage Decode(std::span<const std::uint8_t> data, QSize scaledSize = {}, Purpose purpose = Purpose::Picture);

// The picture's size as its header gives it; empty when the header cannot be read.
QSize Dimensions(std::span<const std::uint8_t> data);

// The memory a decode holds for the whole picture besides its output, at any scale:
// progressive and other multi-scan streams are decoded through the coefficients of every
// block (some 36 MB for 12 megapixels). 0 for single-scan streams, whose decode holds a
// few rows at a time, and for headers that cannot be read (the first bytes of a file
// are enough when they hold its header).
std::int64_t WholePictureBytes(std::span<const std::uint8_t> data);

}  // namespace Gdip::JpegDecoder
