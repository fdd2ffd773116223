#pragma once

#include <memory>

#include "effects/PixelView.h"

namespace Gdip {
class Bitmap;
}

namespace ModEffects {

// Convolution codes of ConvolveStamp3x3, with s the strength:
// blur: centre 101 - s, the eight neighbours +1, divisor 109 - s;
// sharpen: centre 109 - s, the eight neighbours -1, divisor 101 - s;
// soften: centre 101 - s, the four cross neighbours +1, divisor 105 - s.
inline constexpr int kBlurCode = 12;
inline constexpr int kSharpenCode = 13;
inline constexpr int kSoftenCode = 14;

// The filters run on the interior pixels (not the one-pixel border) whose alpha is not
// 0, and change blue, green and red only. Transparent pixels still feed their neighbours.

// Convolves in place, view row 1 upwards and left to right within a row: each pixel
// sees the already filtered values of its left neighbour and of the row below, so the
// order is part of the result. False, with nothing changed, for an unknown code or a
// strength whose divisor is not above 0 (or whose weights pass +-4096).
bool Convolve3x3(const PixelView& view, int strength, int code);
// Destination channel = the largest of the source's cross (the pixel and its four
// neighbours). The two views have one size and do not overlap.
void CrossMaximum(const PixelView& source, const PixelView& destination);
// Destination channel = 255 - (largest of the source's 3 x 3 square - source value).
void ContourSketch(const PixelView& source, const PixelView& destination);

// The whole-stamp filters: the stamp is drawn at width x height (rounded) into the shared
// effect DIB, filtered there, and returned as a new 32bpp ARGB bitmap the caller owns;
// nullptr when the size is empty. An unknown code returns the stamp unfiltered.
std::unique_ptr<Gdip::Bitmap> ConvolveStamp3x3(const Gdip::Bitmap& stamp, float width, float height, int strength,
                                               int code);
std::unique_ptr<Gdip::Bitmap> MaxFilterSmall(const Gdip::Bitmap& stamp, float width, float height);
std::unique_ptr<Gdip::Bitmap> MaxFilterLarge(const Gdip::Bitmap& stamp, float width, float height);

}  // namespace ModEffects
