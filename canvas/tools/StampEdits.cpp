#include "canvas/tools/StampEdits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include <QPainter>

#include "effects/RetouchBrushes.h"
#include "effects/StampFilters.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/gdiplus/Bitmap.h"

namespace StampEdits {

namespace {

// The retouch brushes' strength at the press and while dragging, by sub-tool 2 to 6:
// a single click works harder than each step of a stroke.
struct Strength {
  int press;
  int drag;
};
constexpr std::array<Strength, 5> kRetouchStrengths{{{10, 3}, {10, 3}, {10, 3}, {30, 5}, {-10, -3}}};
constexpr int kEraserStrength = 50;
constexpr std::uint8_t kAirbrushAlpha = 10;

QRect Airbrush(QImage& stamp, const Dab& dab) {
  const auto r = float(dab.airRadius);
  const auto x = float(dab.at.x());
  const auto y = float(dab.at.y());
  ModGDI::FillRadialEllipse(stamp, x, y, r, r, x, y, 0, ModGDI::RGBToARGB(dab.airColour, kAirbrushAlpha), 0, true);
  return QRectF(dab.at.x() - r, dab.at.y() - r, 2 * r, 2 * r).toAlignedRect().adjusted(-1, -1, 1, 1) & stamp.rect();
}

QImage Resampled(const QImage& filtered, QSizeF shown) {
  if (shown == QSizeF(filtered.size())) {
    return filtered;  // drawing it at its own size would copy it unchanged
  }
  QImage result(Numbers::RoundToInt(shown.width()), Numbers::RoundToInt(shown.height()), QImage::Format_ARGB32);
  if (result.isNull()) {
    return filtered;
  }
  result.fill(Qt::transparent);
  QPainter painter(&result);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QRectF(QPointF(0, 0), shown), filtered);
  painter.end();
  return result;
}

std::unique_ptr<Gdip::Bitmap> RunFilter(const Gdip::Bitmap& source, int filter) {
  const auto w = float(source.Width());
  const auto h = float(source.Height());
  switch (filter) {
    case 1:
      return ModEffects::ConvolveStamp3x3(source, w, h, 100, ModEffects::kBlurCode);
    case 2:
      return ModEffects::ConvolveStamp3x3(source, w, h, 90, ModEffects::kSharpenCode);
    case 3:
      return ModEffects::ConvolveStamp3x3(source, w, h, 100, ModEffects::kSoftenCode);
    case 4:
      return ModEffects::MaxFilterLarge(source, w, h);
    default:
      return ModEffects::MaxFilterSmall(source, w, h);
  }
}

}  // namespace

bool IsBrush(int subTool) { return subTool >= kEraserTool && subTool <= kAirbrushTool; }

QPointF ToStamp(QPointF canvasPoint, const QRectF& frame, QSize stamp) {
  if (frame.isEmpty()) {
    return {-1, -1};
  }
  const QPointF inFrame = canvasPoint - frame.topLeft();
  return {inFrame.x() * stamp.width() / frame.width(), inFrame.y() * stamp.height() / frame.height()};
}

int BrushDiameter(int brushSize, QSizeF pictureScale) {
  const int m = Numbers::RoundToInt(std::max(pictureScale.width(), pictureScale.height()));
  return brushSize * (m + 1);
}

QRect Paint(QImage& stamp, const Dab& dab) {
  if (!IsBrush(dab.subTool) || stamp.isNull()) {
    return {};
  }
  if (stamp.format() != QImage::Format_ARGB32) {
    stamp = stamp.convertToFormat(QImage::Format_ARGB32);
  }
  if (dab.subTool == kAirbrushTool) {
    return Airbrush(stamp, dab);
  }
  const PixelView view = ModEffects::ViewOfImage(stamp);
  const QPoint centre(Numbers::RoundToInt(dab.at.x()), Numbers::RoundToInt(dab.at.y()));
  if (dab.subTool == kEraserTool) {
    return ModEffects::EraserBrush(view, centre, dab.diameter, kEraserStrength, dab.eraserMode);
  }
  if (dab.subTool == kSmudgeTool) {
    return ModEffects::SmudgeBrush(view, dab.at, dab.diameter);
  }
  const Strength strength = kRetouchStrengths[std::size_t(dab.subTool - 2)];
  return ModEffects::RetouchBrush(view, centre, dab.diameter, dab.dragging ? strength.drag : strength.press,
                                  dab.subTool);
}

QImage Filtered(const QImage& stamp, int filter, QSizeF shownInPicture) {
  if (stamp.isNull() || filter < 1 || filter > 7) {
    return {};
  }
  if (filter == 6 || filter == 7) {
    return stamp.mirrored(filter == 7, filter == 6);
  }
  const auto source = Gdip::Bitmap::FromImage(stamp, Gdip::PixelFormatOf(stamp));
  const auto filtered = source ? RunFilter(*source, filter) : nullptr;
  if (!filtered) {
    return {};
  }
  // A stamp that has not been shown yet has no frame: it keeps its own size.
  const bool shown = shownInPicture.width() >= 1 && shownInPicture.height() >= 1;
  return Resampled(filtered->Image(), shown ? shownInPicture : QSizeF(stamp.size()));
}

}  // namespace StampEdits
