#pragma once
// Form coordinates in twips: 15 to the pixel at the fixed 96 dots per inch.

namespace Forms {

inline constexpr int TwipsPerPixel = 15;

constexpr int PixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }
// Whole pixels, the fraction dropped toward zero.
constexpr int TwipsToPixels(int twips) { return twips / TwipsPerPixel; }

}  // namespace Forms
