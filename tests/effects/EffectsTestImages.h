#pragma once
// Tiny pictures for the effects tests, built in code.

#include <cstdint>

#include <QImage>

#include "effects/PixelView.h"

namespace EffectsTest {

struct Bgra {
  int b, g, r, a;
  bool operator==(const Bgra&) const = default;
};

// An ARGB32 picture filled with one straight colour.
inline QImage Filled(int width, int height, Bgra colour) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(qRgba(colour.r, colour.g, colour.b, colour.a));
  return image;
}

// The pixel at picture column x, line y (top-left origin).
inline Bgra PixelAt(const QImage& image, int x, int y) {
  const std::uint8_t* p = image.constScanLine(y) + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

inline void SetPixel(QImage& image, int x, int y, Bgra c) {
  std::uint8_t* p = image.scanLine(y) + x * 4;
  p[0] = std::uint8_t(c.b);
  p[1] = std::uint8_t(c.g);
  p[2] = std::uint8_t(c.r);
  p[3] = std::uint8_t(c.a);
}

// Pixel (x, y) of a view (rows counted from the bottom).
inline Bgra ViewPixel(const PixelView& view, int x, int y) {
  const std::uint8_t* p = view.At(x, y);
  return {p[0], p[1], p[2], p[3]};
}

inline void SetViewPixel(const PixelView& view, int x, int y, Bgra c) {
  std::uint8_t* p = view.At(x, y);
  p[0] = std::uint8_t(c.b);
  p[1] = std::uint8_t(c.g);
  p[2] = std::uint8_t(c.r);
  p[3] = std::uint8_t(c.a);
}

// A picture whose every pixel differs, so that any moved or mixed-up byte shows.
inline QImage Pattern(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      SetPixel(image, x, y, {(x * 37 + y * 11) % 256, (x * 5 + y * 71) % 256, (x * 101 + y * 3) % 256, 255});
    }
  }
  return image;
}

}  // namespace EffectsTest

inline std::ostream& operator<<(std::ostream& os, const EffectsTest::Bgra& c) {
  return os << "(b " << c.b << ", g " << c.g << ", r " << c.r << ", a " << c.a << ")";
}
