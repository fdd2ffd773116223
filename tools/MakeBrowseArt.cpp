// Draws the browser's pictures: the star mark "Favorties.png", the eye of the format
// filter "Eye.png" and the thumbnail bar's track "Scroll.png", the same bytes on every
// run. Usage: lorvane_make_browse_art <folder> (the shipped copies live in assets/Datas).
#include <cmath>
#include <cstdio>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace {

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

// A gold five-pointed star with a dark rim.
QImage Star() {
  QImage image = Blank(16, 16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath star;
  const QPointF centre(8, 8.6);
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 7.4 : 3.0;
    const double angle = -M_PI / 2 + i * M_PI / 5;
    const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    i == 0 ? star.moveTo(point) : star.lineTo(point);
  }
  star.closeSubpath();
  QLinearGradient gold(0, 1, 0, 15);
  gold.setColorAt(0, QColor(255, 236, 120));
  gold.setColorAt(1, QColor(238, 160, 20));
  p.setPen(QPen(QColor(150, 90, 10), 1));
  p.setBrush(gold);
  p.drawPath(star);
  return image;
}

// An open eye: a pointed oval with a blue iris and a dark pupil.
QImage Eye() {
  QImage image = Blank(16, 16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath lids;
  lids.moveTo(1, 8);
  lids.quadTo(8, 0.5, 15, 8);
  lids.quadTo(8, 15.5, 1, 8);
  p.setPen(QPen(QColor(40, 40, 40), 1.2));
  p.setBrush(Qt::white);
  p.drawPath(lids);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 100, 200));
  p.drawEllipse(QPointF(8, 8), 3.3, 3.3);
  p.setBrush(QColor(10, 10, 10));
  p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(9, 7), 0.7, 0.7);
  return image;
}

// The grip's track: a sunken groove 125 wide with a mark at its middle, where the grip
// stands for 100 %.
QImage Track() {
  QImage image = Blank(125, 10);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient groove(0, 3, 0, 7);
  groove.setColorAt(0, QColor(150, 150, 150));
  groove.setColorAt(1, QColor(235, 235, 235));
  p.setPen(QPen(QColor(120, 120, 120), 1));
  p.setBrush(groove);
  p.drawRoundedRect(QRectF(0.5, 3.5, 124, 4), 2, 2);
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.drawLine(QPointF(62.5, 0), QPointF(62.5, 2.5));
  p.drawLine(QPointF(62.5, 8.5), QPointF(62.5, 10));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/");
  const bool written = Star().save(folder + QStringLiteral("Favorties.png")) &&
                       Eye().save(folder + QStringLiteral("Eye.png")) &&
                       Track().save(folder + QStringLiteral("Scroll.png"));
  return written ? 0 : 1;
}
