// Draws the pictures of the side panel and its sections on transparent ground: the
// twelve tool icons "Icon000.png" to "Icon011.png" (44 x 34), the stamp library's enter
// and delete buttons "Stampenter.png" and "DelStamp.png" and the calendar's buttons
// "Calbutton0.png" (next year) to "Calbutton3.png" (previous year), each 16 x 16.
// Usage: lorvane_make_panel_icons <folder> (the shipped copies live in assets/Datas).
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace {

const QColor kInk(50, 70, 110);
const QColor kPaper(255, 255, 255);
const QColor kSky(90, 150, 230);
const QColor kSun(250, 190, 50);
const QColor kGrass(90, 170, 90);
const QColor kRed(200, 50, 50);

using Body = std::function<void(QPainter&)>;

QImage Draw(QSize size, const Body& body) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  body(p);
  return image;
}

// A small landscape photograph: sky, sun and a green hill, framed in white.
void Photo(QPainter& p, const QRectF& r, bool grey = false) {
  const auto tone = [grey](QColor c) { return grey ? QColor::fromHsv(0, 0, c.value() * 3 / 4) : c; };
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawRect(r);
  const QRectF inner = r.adjusted(2, 2, -2, -2);
  p.setPen(Qt::NoPen);
  p.setBrush(tone(kSky));
  p.drawRect(inner);
  p.setBrush(tone(kSun));
  p.drawEllipse(QPointF(inner.right() - inner.width() / 4, inner.top() + inner.height() / 3), 2.5, 2.5);
  QPainterPath hill;
  hill.moveTo(inner.bottomLeft());
  hill.quadTo(QPointF(inner.center().x(), inner.top() + inner.height() / 3), inner.bottomRight());
  hill.closeSubpath();
  p.setBrush(tone(kGrass));
  p.drawPath(hill);
}

void Label(QPainter& p, const QRectF& r, const QString& text, int size, QColor colour) {
  p.setPen(colour);
  p.setFont(QFont(QStringLiteral("DejaVu Sans"), size, QFont::Bold));
  p.drawText(r, Qt::AlignCenter, text);
}

const std::array<Body, 12> kTools{
    [](QPainter& p) {  // browse: an open folder with a picture
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(240, 200, 90));
      p.drawRoundedRect(QRectF(8.5, 8.5, 28, 20), 2, 2);
      Photo(p, QRectF(13.5, 4.5, 18, 14));
      p.setBrush(QColor(250, 215, 110));
      p.drawPolygon(QPolygonF({{8.5, 28.5}, {12.5, 14.5}, {39.5, 14.5}, {36.5, 28.5}}));
    },
    [](QPainter& p) {  // crop: the two corner brackets over a photograph
      Photo(p, QRectF(12.5, 8.5, 20, 16));
      p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::SquareCap));
      p.drawPolyline(QPolygonF({{10, 2}, {10, 27}, {36, 27}}));
      p.drawPolyline(QPolygonF({{6, 6}, {35, 6}, {35, 32}}));
    },
    [](QPainter& p) {  // straighten: a tilted photograph and a level line
      p.save();
      p.translate(22, 16);
      p.rotate(-12);
      Photo(p, QRectF(-11.5, -9.5, 23, 17));
      p.restore();
      p.setPen(QPen(kRed, 1.5, Qt::DashLine));
      p.drawLine(QPointF(4, 16.5), QPointF(40, 16.5));
    },
    [](QPainter& p) {  // irradiation: a glowing sun with rays
      QRadialGradient glow(QPointF(22, 17), 16);
      glow.setColorAt(0, QColor(255, 240, 150));
      glow.setColorAt(1, QColor(255, 200, 60, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawEllipse(QPointF(22, 17), 16, 16);
      p.setPen(QPen(QColor(230, 150, 30), 1.5, Qt::SolidLine, Qt::RoundCap));
      for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        p.drawLine(QPointF(22 + 9 * std::cos(a), 17 + 9 * std::sin(a)),
                   QPointF(22 + 14 * std::cos(a), 17 + 14 * std::sin(a)));
      }
      p.setBrush(kSun);
      p.drawEllipse(QPointF(22, 17), 6, 6);
    },
    [](QPainter& p) {  // add text: a large letter beside a caret
      Label(p, QRectF(6, 1, 30, 32), QStringLiteral("A"), 20, kInk);
      p.setPen(QPen(kSky, 2));
      p.drawLine(QPointF(36, 6), QPointF(36, 29));
    },
    [](QPainter& p) {  // card: a greeting card with a photograph and lines
      p.setPen(QPen(kInk, 1));
      p.setBrush(QColor(255, 245, 230));
      p.drawRoundedRect(QRectF(5.5, 3.5, 33, 27), 3, 3);
      Photo(p, QRectF(9.5, 7.5, 14, 12));
      p.setPen(QPen(kInk, 1));
      for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(27, 10.5 + 4 * i), QPointF(35, 10.5 + 4 * i));
      }
      p.drawLine(QPointF(9, 25.5), QPointF(35, 25.5));
    },
    [](QPainter& p) {  // colorize: three overlapping colour discs
      p.setPen(Qt::NoPen);
      p.setCompositionMode(QPainter::CompositionMode_Multiply);
      p.setBrush(QColor(240, 90, 90, 220));
      p.drawEllipse(QPointF(17, 12), 9, 9);
      p.setBrush(QColor(90, 200, 90, 220));
      p.drawEllipse(QPointF(27, 12), 9, 9);
      p.setBrush(QColor(90, 120, 240, 220));
      p.drawEllipse(QPointF(22, 21), 9, 9);
    },
    [](QPainter& p) {  // gamma: a tone curve in a frame
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(8.5, 2.5, 28, 28));
      QPainterPath curve;
      curve.moveTo(9, 30);
      curve.cubicTo(QPointF(12, 10), QPointF(22, 4), QPointF(36, 3));
      p.setPen(QPen(kRed, 2));
      p.setBrush(Qt::NoBrush);
      p.drawPath(curve);
      p.setPen(QPen(QColor(170, 170, 170), 1, Qt::DotLine));
      p.drawLine(QPointF(9, 30), QPointF(36, 3));
    },
    [](QPainter& p) { Photo(p, QRectF(7.5, 4.5, 30, 24), true); },  // grey: a photograph in greys
    [](QPainter& p) {  // red eye: an eye with a red pupil
      QPainterPath eye;
      eye.moveTo(4, 17);
      eye.quadTo(QPointF(22, 0), QPointF(40, 17));
      eye.quadTo(QPointF(22, 34), QPointF(4, 17));
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(kPaper);
      p.drawPath(eye);
      p.setBrush(QColor(120, 90, 60));
      p.drawEllipse(QPointF(22, 17), 8, 8);
      p.setPen(Qt::NoPen);
      p.setBrush(kRed);
      p.drawEllipse(QPointF(22, 17), 4.5, 4.5);
      p.setBrush(kPaper);
      p.drawEllipse(QPointF(20, 15), 1.5, 1.5);
    },
    [](QPainter& p) {  // calendar: a page with a red header and a grid of days
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(8.5, 3.5, 27, 27));
      p.setBrush(kRed);
      p.drawRect(QRectF(8.5, 3.5, 27, 7));
      p.setPen(Qt::NoPen);
      p.setBrush(kInk);
      for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 5; ++column) {
          p.drawRect(QRectF(11 + 5 * column, 14 + 5 * row, 3, 3));
        }
      }
    },
    [](QPainter& p) {  // contrast: a disc half black, half white
      p.setPen(QPen(kInk, 1.5));
      p.setBrush(kPaper);
      p.drawEllipse(QPointF(22, 17), 14, 14);
      p.setBrush(kInk);
      p.drawPie(QRectF(8, 3, 28, 28), 90 * 16, 180 * 16);
    },
};

QImage Button(int index) {
  return Draw({16, 16}, [index](QPainter& p) {
    switch (index) {
      case 0: Label(p, QRectF(0, 0, 16, 16), QStringLiteral("\u00BB"), 11, kInk); break;  // next year
      case 1: Label(p, QRectF(0, 0, 16, 16), QStringLiteral("\u203A"), 11, kInk); break;  // next month
      case 2: Label(p, QRectF(0, 0, 16, 16), QStringLiteral("\u2039"), 11, kInk); break;  // previous month
      default: Label(p, QRectF(0, 0, 16, 16), QStringLiteral("\u00AB"), 11, kInk); break;  // previous year
    }
  });
}

QImage EnterButton() {
  return Draw({16, 16}, [](QPainter& p) {
    p.setPen(QPen(QColor(40, 130, 60), 1));
    p.setBrush(QColor(110, 200, 120));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(kPaper, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(4, 8), QPointF(11, 8));
    p.drawPolyline(QPolygonF({{8, 5}, {11, 8}, {8, 11}}));
  });
}

QImage DeleteButton() {
  return Draw({16, 16}, [](QPainter& p) {
    p.setPen(QPen(QColor(150, 30, 30), 1));
    p.setBrush(QColor(225, 90, 90));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(kPaper, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
  });
}

bool Save(const QImage& image, const QString& path) {
  if (image.save(path, "PNG")) {
    return true;
  }
  std::fprintf(stderr, "could not write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lorvane_make_panel_icons <folder>\n");
    return 2;
  }
  // The letters need fonts, which need an application object.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
  bool written = true;
  for (int i = 0; i < int(kTools.size()); ++i) {
    const QString name = QStringLiteral("Icon%1.png").arg(i, 3, 10, QLatin1Char('0'));
    written = Save(Draw({44, 34}, kTools[std::size_t(i)]), folder + name) && written;
  }
  for (int i = 0; i < 4; ++i) {
    written = Save(Button(i), folder + QStringLiteral("Calbutton%1.png").arg(i)) && written;
  }
  written = Save(EnterButton(), folder + QStringLiteral("Stampenter.png")) && written;
  written = Save(DeleteButton(), folder + QStringLiteral("DelStamp.png")) && written;
  return written ? 0 : 1;
}
