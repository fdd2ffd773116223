// Whole-picture loops split over cores give the very bytes a one-row-at-a-time run
// gives, for odd sizes too: no band boundary may show in the result.
#include <cstring>
#include <random>

#include <QImage>

#include <gtest/gtest.h>

#include "effects/ColorAdjust.h"
#include "platform/gdiplus/ImageAttributes.h"

namespace {

QImage Noise(QSize size, unsigned seed) {
  QImage image(size, QImage::Format_ARGB32);
  std::mt19937 random(seed);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      row[x] = random();
    }
  }
  return image;
}

// The same transform done on each row as a picture of its own, so on one thread.
QImage RowByRow(const Gdip::ImageAttributes& attributes, const QImage& source) {
  QImage result(source.size(), QImage::Format_ARGB32);
  for (int y = 0; y < source.height(); ++y) {
    const QImage row = attributes.Transformed(source.copy(0, y, source.width(), 1));
    std::memcpy(result.scanLine(y), row.constScanLine(0), std::size_t(row.bytesPerLine()));
  }
  return result;
}

}  // namespace

TEST(ParallelEffectsTest, ColourAdjustmentsOnAllCoresMatchARowByRowRun) {
  const QSize sizes[] = {{1, 1}, {3, 2}, {4097, 3}, {501, 777}};
  const struct {
    int mode;
    float gamma;
    float value;
  } adjustments[] = {{ModEffects::kGreyAdjust, 1, 0},     {ModEffects::kGammaAdjust, 0.6f, 0},
                     {ModEffects::kGammaAdjust, 2.2f, 0},  {ModEffects::kContrastAdjust, 1, 0.3f},
                     {ModEffects::kContrastAdjust, 1, -0.45f}};
  unsigned seed = 7;
  for (const QSize size : sizes) {
    const QImage source = Noise(size, seed++);
    for (const auto& adjustment : adjustments) {
      const auto attributes = ModEffects::ColorAdjustAttributes(adjustment.mode, adjustment.gamma, adjustment.value);
      EXPECT_EQ(attributes.Transformed(source), RowByRow(attributes, source))
          << size.width() << "x" << size.height() << " mode " << adjustment.mode;
    }
  }
}
