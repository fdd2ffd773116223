#pragma once
// The whole-picture filters of the Effect menu. Each takes a picture and returns a new
// straight-ARGB32 picture of its size, or a null image when none can be made. Borders
// repeat their edge pixels, and colours are weighted by alpha, so a transparent pixel
// lends its neighbours no colour. Rows run on all cores.

class QImage;

namespace ModEffects {

// Separable 1-4-6-4-1 in both directions.
QImage Blur(const QImage& picture);
// Separable 1-2-1 in both directions.
QImage Soften(const QImage& picture);
// The picture plus its difference from the softened picture, clamped.
QImage Sharpen(const QImage& picture);
// Softens only the pixels whose luminance differs from the mean of their 3 x 3
// neighbourhood by more than 16 levels.
QImage Antialias(const QImage& picture);
// Each pixel sampled (bilinear) from (x + s sin(2 pi y / 60), y + s sin(2 pi x / 60)),
// the sample point kept inside the picture.
QImage Ripple(const QImage& picture, int strength = 10);

}  // namespace ModEffects
