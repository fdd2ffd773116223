#include "support/TestPictures.h"

#include <algorithm>
#include <cmath>

#include <QLinearGradient>
#include <QPainter>

namespace TestSupport {

QImage Quadrants(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, width / 2, height / 2, Qt::red);
  p.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
  p.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
  p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::white);
  return image;
}

QImage Sky(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor(120, 170, 230));
  sky.setColorAt(1, QColor(250, 230, 200));
  p.fillRect(image.rect(), sky);
  return image;
}

QImage Transparent(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(0);
  return image;
}

QRect Changed(const QImage& a, const QImage& b) {
  QRect box;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

std::vector<double> LightPerCell(const QImage& image, QRgb ground, int cell) {
  std::vector<double> cells;
  for (int top = 0; top + cell <= image.height(); top += cell) {
    for (int left = 0; left + cell <= image.width(); left += cell) {
      double light = 0;
      for (int y = top; y < top + cell; ++y) {
        for (int x = left; x < left + cell; ++x) {
          light += std::max(0, qGray(image.pixel(x, y)) - qGray(ground));
        }
      }
      cells.push_back(light);
    }
  }
  return cells;
}

double Correlation(const std::vector<double>& a, const std::vector<double>& b) {
  const auto n = double(a.size());
  double ma = 0;
  double mb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    ma += a[i] / n;
    mb += b[i] / n;
  }
  double ab = 0;
  double aa = 0;
  double bb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    ab += (a[i] - ma) * (b[i] - mb);
    aa += (a[i] - ma) * (a[i] - ma);
    bb += (b[i] - mb) * (b[i] - mb);
  }
  return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

}  // namespace TestSupport
