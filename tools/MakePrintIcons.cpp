// Draws the print window's ten icons, "Print01.png" to "Print010.png", 16 x 16 on
// transparent ground: the three layouts, the printer, its set-up, the copies, the two
// page arrows, help and cancel. Usage: lorvane_make_print_icons <folder> (the shipped
// copies live in assets/Datas).
#include <algorithm>
#include <cstdio>
#include <functional>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace {

const QColor kInk(40, 60, 110);
const QColor kPaper(255, 255, 255);
const QColor kPhoto(90, 150, 230);
const QColor kSun(250, 200, 60);

QImage Draw(const std::function<void(QPainter&)>& body) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  body(p);
  return image;
}

void Sheet(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
}

void Photo(QPainter& p, const QRectF& r) {
  p.setPen(Qt::NoPen);
  p.setBrush(kPhoto);
  p.drawRect(r);
  p.setBrush(kSun);
  const double d = std::min(r.width(), r.height()) / 3;
  p.drawEllipse(QRectF(r.right() - d - 1, r.top() + 1, d, d));
}

void Arrow(QPainter& p, bool right) {
  QPainterPath path;
  const double tip = right ? 12.5 : 3.5;
  const double back = right ? 5.5 : 10.5;
  path.moveTo(back, 3.5);
  path.lineTo(tip, 8);
  path.lineTo(back, 12.5);
  path.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawPath(path);
}

QImage Icon(int index) {
  switch (index) {
    case 1:  // fit to page: a picture centred on the sheet
      return Draw([](QPainter& p) { Sheet(p, {2.5, 0.5, 11, 15}); Photo(p, {4.5, 5, 7, 5}); });
    case 2:  // full page: the picture covers the sheet
      return Draw([](QPainter& p) { Sheet(p, {2.5, 0.5, 11, 15}); Photo(p, {3, 1, 10, 14}); });
    case 3:  // thumbnails: four small pictures
      return Draw([](QPainter& p) {
        Sheet(p, {2.5, 0.5, 11, 15});
        for (int i = 0; i < 4; ++i) {
          Photo(p, {4.0 + (i % 2) * 4.5, 3.0 + (i / 2) * 5.5, 3.5, 4});
        }
      });
    case 4:  // the printer
      return Draw([](QPainter& p) {
        Sheet(p, {4.5, 1.5, 7, 5});
        p.setBrush(QColor(120, 130, 150));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        Sheet(p, {4.5, 10.5, 7, 4});
      });
    case 5:  // the set-up: a sheet with sliders
      return Draw([](QPainter& p) {
        Sheet(p, {2.5, 0.5, 11, 15});
        p.setPen(QPen(kInk, 1));
        for (int i = 0; i < 3; ++i) {
          p.drawLine(QPointF(4.5, 4.5 + i * 3.5), QPointF(11.5, 4.5 + i * 3.5));
          p.setBrush(kSun);
          p.drawEllipse(QPointF(5.5 + i * 2.5, 4.5 + i * 3.5), 1.3, 1.3);
        }
      });
    case 6:  // copies: two sheets, one behind the other
      return Draw([](QPainter& p) { Sheet(p, {5.5, 0.5, 9, 12}); Sheet(p, {1.5, 3.5, 9, 12}); });
    case 7:
      return Draw([](QPainter& p) { Arrow(p, true); });
    case 8:
      return Draw([](QPainter& p) { Arrow(p, false); });
    case 9:  // help
      return Draw([](QPainter& p) {
        p.setPen(QPen(kInk, 1.5));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold));
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
      });
    default:  // cancel
      return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(170, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
      });
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lorvane_make_print_icons <folder>\n");
    return 2;
  }
  // The help icon's question mark needs fonts, which need an application object.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 1; i <= 10; ++i) {
    const QString name = folder + QStringLiteral("/Print0") + QString::number(i) + QStringLiteral(".png");
    if (!Icon(i).save(name, "PNG")) {
      std::fprintf(stderr, "could not write %s\n", qPrintable(name));
      return 1;
    }
  }
  return 0;
}
