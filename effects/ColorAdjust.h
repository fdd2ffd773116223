#pragma once

#include <cstdint>
#include <memory>

#include <QRectF>

#include "platform/gdiplus/GdipTypes.h"
#include "platform/gdiplus/ImageAttributes.h"

class QImage;
class QPainter;

namespace Gdip {
class Bitmap;
class Graphics;
}  // namespace Gdip

namespace ModEffects {

// Adjustment modes of ApplyColorAdjust; any other number draws the image unchanged.
inline constexpr int kGreyAdjust = 0;
inline constexpr int kGammaAdjust = 2;
inline constexpr int kContrastAdjust = 4;

// Gamma below this would wash the picture out to white (and 0 is no gamma at all), so
// smaller values are raised to it.
inline constexpr float kMinimumGamma = 0.1f;

// The image attributes of an adjustment: grey (each colour channel becomes
// 0.35 * (r + g + b)), gamma, or contrast (each colour channel c becomes c * (1 + value) + value,
// channels counted 0..1).
Gdip::ImageAttributes ColorAdjustAttributes(int mode, float gamma, float value);

// Preview: draws the image adjusted at the destination, its top-left corner rounded to
// whole pixels. The caller passes the picture at the size it shows it.
void ApplyColorAdjust(QPainter& target, const QImage& image, int mode, float gamma, const QRectF& destination,
                      float value);
// Commit: draws the whole image adjusted at its own size at (0, 0) of the graphics. The
// image stays the caller's.
void ApplyColorAdjust(Gdip::Graphics& target, const Gdip::Bitmap& image, int mode, float gamma, float value);
// Commit into a new picture of the image's size; nullptr when it cannot be made, so the
// caller keeps its own picture and swaps only on success.
std::unique_ptr<Gdip::Bitmap> ColorAdjusted(const Gdip::Bitmap& image, int mode, float gamma, float value);

// Draws part of an image (from (0, 0) of the source size) into the destination with an
// opacity, every coordinate rounded to whole pixels. Drawing onto a graphics then
// releases the shared effect objects.
void DrawImageColorMatrix(Gdip::Graphics& target, const Gdip::Bitmap& image, const QRectF& destination,
                          QSizeF sourceSize, float Opacity);
void DrawImageColorMatrix(QPainter& target, const QImage& image, const QRectF& destination, QSizeF sourceSize,
                          float Opacity);

// The three bytes of a colour after its outer bytes are exchanged: an ARGB colour gives
// blue, green, red; a device colour (red in the low byte) gives red, green, blue.
struct ColorBytes {
  std::uint8_t first;
  std::uint8_t second;
  std::uint8_t third;
};
ColorBytes SplitColor(std::uint32_t colour);

struct RGBBytes {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};
// The red, green and blue of an ARGB colour.
RGBBytes SplitARGB(Gdip::ARGB colour);
// The red, green and blue of a device colour reference.
RGBBytes SplitColorRef(std::uint32_t colorRef);

}  // namespace ModEffects
