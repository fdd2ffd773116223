#include "support/TestPictures.h"

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

}  // namespace TestSupport
