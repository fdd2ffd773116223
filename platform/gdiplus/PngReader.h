#pragma once
// The PNG layouts Qt's reader gets wrong, read with libpng: 16-bit grey and RGB pictures
// with a transparent colour (a tRNS chunk), which Qt returns opaque with alpha bytes
// nobody wrote. Every other PNG goes to Qt's reader.

#include <cstdint>
#include <optional>
#include <span>

#include <QImage>

namespace Gdip::PngReader {

// True for a PNG whose header and chunks up to the pixels show 16-bit grey or RGB
// samples with a tRNS chunk.
bool IsDeepWithTransparentColour(std::span<const std::uint8_t> data);

// Decodes such a file to straight ARGB32, the transparent colour with alpha 0; a null
// image when the file is damaged or cut short.
QImage DecodeDeepWithTransparentColour(std::span<const std::uint8_t> data);

}  // namespace Gdip::PngReader
