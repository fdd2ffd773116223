#pragma once
// The PNG layouts Qt's reader gets wrong, read with libpng: 16-bit grey and RGB pictures
// with a transparent colour (a tRNS chunk), which Qt returns opaque with alpha bytes
// nobody wrote. Every other PNG goes to Qt's reader.

#include <cstdint>
#include <optional>
#include <span>

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace Gdip::PngReader {

// True for a PNG whose header and chunks up to the pixels show 16-bit grey or RGB
// samples with a tRNS chunk.
bool IsDeepWithTransparentColour(std::span<const std::uint8_t> data);

// Decodes such a file to straight ARGB32, the transparent colour with alpha 0; a null
// image when the file is damaged or cut short.
QImage DecodeDeepWithTransparentColour(std::span<const std::uint8_t> data);

// The same PNG without its compressed text chunks (zTXt, iTXt), which every reader
// inflates whole while it reads the header, however large they unpack (a known
// decompression bomb), and which the program never shows; nullopt when there are none.
std::optional<QByteArray> WithoutCompressedText(std::span<const std::uint8_t> data);

// True for an interlaced PNG of one bit per pixel. Its passes write some bits of each byte
// and leave the others as the memory held them, so it is decoded into zeroed rows.
bool IsInterlacedOneBit(std::span<const std::uint8_t> data);

// The width and height its header chunk gives; empty for anything else.
QSize HeaderSize(std::span<const std::uint8_t> data);

}  // namespace Gdip::PngReader
