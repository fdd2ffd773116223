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

// Decodes baseline, progressive, grey, RGB, CMYK and YCCK streams into Format_RGB32.
// With a valid scaledSize the picture comes back at exactly that size (the decoder's own
// scaling does most of the reduction). A null image for a corrupt or truncated stream:
// a picture whose end is missing is not passed off as whole.
QImage Decode(std::span<const std::uint8_t> data, QSize scaledSize = {});

// The picture's size as its header gives it; empty when the header cannot be read.
QSize Dimensions(std::span<const std::uint8_t> data);

// The memory a decode holds for the whole picture besides its output, at any scale:
// progressive and other multi-scan streams are decoded through the coefficients of every
// block (some 36 MB for 12 megapixels). 0 for single-scan streams, whose decode holds a
// few rows at a time, and for headers that cannot be read (the first bytes of a file
// are enough when they hold its header).
std::int64_t WholePictureBytes(std::span<const std::uint8_t> data);

}  // namespace Gdip::JpegDecoder
