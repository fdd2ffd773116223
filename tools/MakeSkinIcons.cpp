// Draws the two small pictures of the drawn menu and the title bar: the menu's check
// mark "MenuSeled.png" and the program logo "Logo16pixel.png", both 16 x 16 on
// transparent ground. Usage: lorvane_make_skin_icons <folder> (the shipped copies live
// in assets/Datas).
#include <cstdio>

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace {

QImage Blank() {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

// A dark blue tick with round ends.
QImage CheckMark() {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(30, 60, 150), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(3.5, 8.5), QPointF(6.5, 11.5), QPointF(12.5, 4.5)}));
  return image;
}

// A blue rounded tile holding a white hill under a yellow sun: a picture.
QImage Logo() {
  QImage image = Blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 16);
  sky.setColorAt(0, QColor(120, 170, 255));
  sky.setColorAt(1, QColor(40, 80, 200));
  p.setPen(QPen(QColor(20, 50, 140), 1));
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 220, 80));
  p.drawEllipse(QPointF(11, 5), 2.2, 2.2);
  QPainterPath hill;
  hill.moveTo(1.5, 14.5);
  hill.lineTo(6, 7.5);
  hill.lineTo(9, 11);
  hill.lineTo(10.5, 9.5);
  hill.lineTo(14.5, 14.5);
  hill.closeSubpath();
  p.setBrush(QColor(250, 250, 255));
  p.drawPath(hill);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const bool ok =
      CheckMark().save(folder + "/MenuSeled.png", "PNG") && Logo().save(folder + "/Logo16pixel.png", "PNG");
  return ok ? 0 : 1;
}
