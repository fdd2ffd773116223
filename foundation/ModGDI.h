#pragma once
// Colour helpers, the encoder lookup and the bridges between images and 32-bit DIBs.

#include <cstdint>
#include <memory>

#include <QString>
#include <QUuid>

class CDIB;
namespace Gdip {
class Bitmap;
}

namespace ModGDI {

// alpha * 2^24 + red * 2^16 + green * 2^8 + blue.
constexpr std::uint32_t MakeARGB(std::uint8_t alpha, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return (std::uint32_t{alpha} << 24) | (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue;
}
// The same colour with its highest byte replaced.
constexpr std::uint32_t SetARGBAlpha(std::uint32_t argb, std::uint8_t alpha) {
  return (argb & 0x00FFFFFFu) | (std::uint32_t{alpha} << 24);
}
// An RGB colour reference (red in the lowest byte) with the same red, green and blue.
constexpr std::uint32_t ARGBToRGB(std::uint32_t argb) {
  return ((argb >> 16) & 0xFFu) | (argb & 0xFF00u) | ((argb & 0xFFu) << 16);
}
constexpr std::uint32_t RGBToARGB(std::uint32_t rgb, std::uint8_t alpha) {
  return MakeARGB(alpha, rgb & 0xFFu, (rgb >> 8) & 0xFFu, (rgb >> 16) & 0xFFu);
}

// The 1-based index of the encoder whose MIME type matches, ignoring case, with its
// class id in Clsid; -1 with Clsid untouched when none matches.
int GetEncoderClsid(const QString& MimeType, QUuid& Clsid);
// The class id written with braces; a null id for text that is not one.
QUuid StringToClsid(const QString& text);
// The text of a NUL-terminated UTF-16 string; empty for a null pointer.
QString WidePtrToString(const char16_t* text);

// Replaces the DIB's pixels by the image scaled to the DIB's size, upright. Refuses
// (returns false) unless the DIB holds a 32-bit bitmap.
bool GdipImageToDIB(CDIB& dib, const Gdip::Bitmap& image);
// A new 32bpp ARGB bitmap holding a copy of the DIB's pixels, upright; nullptr unless
// the DIB holds a 32-bit bitmap.
std::unique_ptr<Gdip::Bitmap> DIBToGdipBitmap(const CDIB& dib);

}  // namespace ModGDI
