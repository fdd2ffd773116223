#include "windows/SkinBackground.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QSize kSkinSize(237, 104);
constexpr int kBand = 52;  // the height of the top and bottom pieces
constexpr QRgb kPanel = 0xFFF0EEE9;  // RGB(240, 238, 233)

// The skin drawn once from code: no smoothing anywhere, so every pixel is either the
// window or exactly magenta.
QImage DrawMainSkin() {
  QImage skin(kSkinSize, QImage::Format_RGB32);
  skin.fill(kSkinMaskColor);
  QPainter p(&skin);
  p.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0, 0, kSkinSize.width() - 1, kSkinSize.height() - 1), 8, 8);
  p.setPen(QColor(90, 100, 120));
  p.setBrush(QColor(kPanel));
  p.drawPath(shape);
  p.setClipPath(shape);
  QLinearGradient title(0, 1, 0, 30);
  title.setColorAt(0, QColor(120, 160, 255));
  title.setColorAt(1, QColor(70, 110, 200));
  p.fillRect(QRect(1, 1, kSkinSize.width() - 2, 29), title);
  p.setPen(QColor(50, 80, 150));
  p.drawLine(1, 30, kSkinSize.width() - 2, 30);
  // The program's name leads the title each window draws after it, from x = 83.
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(14, 8, 68, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lorvane"));
  return skin;
}

}  // namespace

const QImage& MainSkin() {
  static const QImage skin = DrawMainSkin();
  return skin;
}

std::vector<SkinPiece> SkinPieces(QSize target, QSize source) {
  const int W = target.width();
  const int H = target.height();
  const int SW = source.width();
  const int SH = source.height();
  const SkinPiece all[] = {
      {{0, 0, 150, kBand}, {0, 0, 150, kBand}},
      {{150, 0, W - 206, kBand}, {150, 0, 5, kBand}},
      {{W - 98, 0, 98, kBand}, {SW - 98, 0, 98, kBand}},
      {{0, kBand, 15, H - 80}, {0, kBand, 15, 5}},
      {{15, kBand, W - 30, H - 80}, {15, kBand, 5, 5}},
      {{W - 15, kBand, 15, H - 80}, {SW - 15, kBand, 15, 5}},
      {{0, H - kBand, 150, kBand}, {0, SH - kBand, 150, kBand}},
      {{150, H - kBand, W - 165, kBand}, {152, SH - kBand, 5, kBand}},
      {{W - 15, H - kBand, 15, kBand}, {SW - 15, SH - kBand, 15, kBand}},
  };
  std::vector<SkinPiece> pieces;
  for (const SkinPiece& piece : all) {
    if (piece.target.width() > 0 && piece.target.height() > 0) {
      pieces.push_back(piece);
    }
  }
  return pieces;
}

QImage CreateSkinBackground(QSize target, const QImage& source) {
  if (target.isEmpty()) {
    return {};
  }
  QImage background(target, QImage::Format_RGB32);
  background.fill(kPanel);
  QPainter p(&background);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  for (const SkinPiece& piece : SkinPieces(target, source.size())) {
    p.drawImage(piece.target, source, piece.source);
  }
  return background;
}
