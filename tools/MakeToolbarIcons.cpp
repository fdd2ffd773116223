// Draws the image toolbar's ten button pictures (27 x 27, "New.png" ... "Redo.png") into
// <folder>/Datas and the text strip's three icons into the icon file <folder>/Toolbar.dll.
// Usage: lorvane_make_toolbar_icons <folder> (the shipped copies live in assets/).
#include <cstdio>
#include <functional>
#include <vector>

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QtEndian>

namespace {

constexpr int kSide = 27;
const QColor kInk(40, 60, 110);
const QColor kBlue(70, 120, 210);
const QColor kGreen(60, 150, 60);

using Drawing = std::function<void(QPainter&)>;

QImage Draw(int side, const Drawing& drawing) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  drawing(p);
  return image;
}

QBrush Sheen(QColor top, QColor bottom, qreal height = kSide) {
  QLinearGradient gradient(0, 0, 0, height);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

// A sheet of paper with a folded corner.
void Page(QPainter& p) {
  QPainterPath page;
  page.moveTo(6.5, 3.5);
  page.lineTo(16.5, 3.5);
  page.lineTo(21.5, 8.5);
  page.lineTo(21.5, 23.5);
  page.lineTo(6.5, 23.5);
  page.closeSubpath();
  p.setBrush(Sheen(Qt::white, QColor(225, 232, 245)));
  p.drawPath(page);
  p.drawPolyline(QPolygonF({{16.5, 3.5}, {16.5, 8.5}, {21.5, 8.5}}));
}

void NewIcon(QPainter& p) {
  Page(p);
  p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(14, 13), QPointF(14, 20));
  p.drawLine(QPointF(10.5, 16.5), QPointF(17.5, 16.5));
}

void OpenIcon(QPainter& p) {
  p.setBrush(Sheen(QColor(250, 220, 120), QColor(220, 170, 50)));
  p.drawPath([] {
    QPainterPath back;
    back.addPolygon(QPolygonF({{3.5, 6.5}, {10.5, 6.5}, {12.5, 8.5}, {21.5, 8.5}, {21.5, 21.5}, {3.5, 21.5}}));
    back.closeSubpath();
    return back;
  }());
  p.setBrush(Sheen(QColor(255, 235, 160), QColor(235, 185, 70)));
  p.drawPolygon(QPolygonF({{3.5, 21.5}, {7.5, 12.5}, {25.5, 12.5}, {21.5, 21.5}}));
}

void ConvertIcon(QPainter& p) {
  p.setBrush(Sheen(kBlue.lighter(130), kBlue));
  p.drawRoundedRect(QRectF(4.5, 4.5, 18, 18), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8.5, 4.5, 10, 7));
  p.setBrush(QColor(200, 205, 215));
  p.drawRect(QRectF(8.5, 15.5, 10, 7));
}

void ImportIcon(QPainter& p) {
  p.setBrush(Sheen(QColor(235, 238, 245), QColor(190, 198, 215)));
  p.drawPolygon(QPolygonF({{3.5, 16.5}, {8.5, 16.5}, {10.5, 19.5}, {16.5, 19.5}, {18.5, 16.5}, {23.5, 16.5},
                           {23.5, 23.5}, {3.5, 23.5}}));
  p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(13.5, 3.5), QPointF(13.5, 15));
  p.drawPolyline(QPolygonF({{9, 11}, {13.5, 15.5}, {18, 11}}));
}

void SlideshowIcon(QPainter& p) {
  p.setBrush(Sheen(Qt::white, QColor(215, 222, 235)));
  p.drawRect(QRectF(3.5, 4.5, 20, 15));
  p.drawLine(QPointF(13.5, 19.5), QPointF(9.5, 24.5));
  p.drawLine(QPointF(13.5, 19.5), QPointF(17.5, 24.5));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawPolygon(QPolygonF({{11, 8}, {17.5, 12}, {11, 16}}));
}

void FitIcon(QPainter& p) {
  p.setBrush(Sheen(Qt::white, QColor(215, 222, 235)));
  p.drawRect(QRectF(3.5, 3.5, 20, 20));
  p.setPen(QPen(kBlue, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (const QPointF corner : {QPointF(7, 7), QPointF(20, 7), QPointF(20, 20), QPointF(7, 20)}) {
    const qreal dx = corner.x() < 13 ? 4 : -4;
    const qreal dy = corner.y() < 13 ? 4 : -4;
    p.drawPolyline(QPolygonF({corner + QPointF(dx, 0), corner, corner + QPointF(0, dy)}));
  }
}

// A round button with an arrow pointing left (step back) or right (step on).
void StepIcon(QPainter& p, bool forward) {
  p.setBrush(Sheen(kBlue.lighter(140), kBlue));
  p.drawEllipse(QRectF(3.5, 3.5, 20, 20));
  p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const qreal tip = forward ? 18 : 9;
  const qreal back = forward ? 13 : 14;
  p.drawPolyline(QPolygonF({{back, 8.5}, {tip, 13.5}, {back, 18.5}}));
}

// A curved arrow turning back to the left (undo) or on to the right (redo).
void TurnIcon(QPainter& p, bool forward) {
  if (forward) {
    p.translate(kSide, 0);
    p.scale(-1, 1);
  }
  p.setPen(QPen(kBlue, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath arc;
  arc.moveTo(7, 10);
  arc.cubicTo(QPointF(16, 6), QPointF(24, 12), QPointF(19, 21));
  p.drawPath(arc);
  p.drawPolyline(QPolygonF({{10, 4.5}, {6, 10}, {12, 13.5}}));
}

// The text strip's icons: 0 before the rendering list, 1 before the size list, 2 before
// the text box.
void SmoothIcon(QPainter& p) {
  p.setPen(kInk);
  p.setFont(QFont(QStringLiteral("DejaVu Sans"), 11, QFont::Bold));
  p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("a"));
  p.setPen(QPen(kBlue, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(2.5, 3.5, 19, 17), 3, 3);
}

void SizeIcon(QPainter& p) {
  p.setPen(kInk);
  p.setFont(QFont(QStringLiteral("DejaVu Sans"), 13, QFont::Bold));
  p.drawText(QRectF(0, 2, 15, 20), Qt::AlignBottom | Qt::AlignHCenter, QStringLiteral("T"));
  p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8, QFont::Bold));
  p.drawText(QRectF(12, 5, 11, 16), Qt::AlignBottom | Qt::AlignHCenter, QStringLiteral("T"));
}

void TextIcon(QPainter& p) {
  p.setBrush(Qt::white);
  p.drawRect(QRectF(2.5, 5.5, 19, 13));
  p.setPen(QPen(kInk, 1.6));
  p.drawLine(QPointF(6, 9), QPointF(6, 15));
  p.setPen(QPen(kBlue, 1.2));
  p.drawLine(QPointF(9, 12), QPointF(18, 12));
}

// One icon of an icon file: a 32-bit bottom-up bitmap with its all-clear AND mask.
QByteArray IconBitmap(const QImage& icon) {
  const int side = icon.width();
  const int maskRow = ((side + 31) / 32) * 4;
  QByteArray data(40, '\0');
  auto put32 = [&](int at, quint32 value) { qToLittleEndian<quint32>(value, data.data() + at); };
  put32(0, 40);
  put32(4, quint32(side));
  put32(8, quint32(side * 2));
  qToLittleEndian<quint16>(1, data.data() + 12);
  qToLittleEndian<quint16>(32, data.data() + 14);
  put32(20, quint32(side * side * 4 + maskRow * side));
  const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
  for (int y = side - 1; y >= 0; --y) {
    data.append(reinterpret_cast<const char*>(argb.constScanLine(y)), side * 4);
  }
  data.append(QByteArray(maskRow * side, '\0'));
  return data;
}

QByteArray IconFile(const std::vector<QImage>& icons) {
  QByteArray header(6 + 16 * int(icons.size()), '\0');
  qToLittleEndian<quint16>(1, header.data() + 2);
  qToLittleEndian<quint16>(quint16(icons.size()), header.data() + 4);
  QByteArray body;
  for (std::size_t i = 0; i < icons.size(); ++i) {
    const QByteArray bitmap = IconBitmap(icons[i]);
    char* entry = header.data() + 6 + 16 * int(i);
    entry[0] = char(icons[i].width());
    entry[1] = char(icons[i].height());
    qToLittleEndian<quint16>(1, entry + 4);
    qToLittleEndian<quint16>(32, entry + 6);
    qToLittleEndian<quint32>(quint32(bitmap.size()), entry + 8);
    qToLittleEndian<quint32>(quint32(header.size() + body.size()), entry + 12);
    body.append(bitmap);
  }
  return header + body;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  // The text strip's icons draw letters, which needs the font database.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const std::vector<std::pair<QString, Drawing>> buttons{
      {"New", NewIcon},
      {"Open", OpenIcon},
      {"Convert", ConvertIcon},
      {"Import", ImportIcon},
      {"Slideshow", SlideshowIcon},
      {"Fitmode", FitIcon},
      {"Zoomout", [](QPainter& p) { StepIcon(p, false); }},
      {"Zoomin", [](QPainter& p) { StepIcon(p, true); }},
      {"Undo", [](QPainter& p) { TurnIcon(p, false); }},
      {"Redo", [](QPainter& p) { TurnIcon(p, true); }}};
  bool ok = true;
  for (const auto& [name, drawing] : buttons) {
    ok = Draw(kSide, drawing).save(folder + "/Datas/" + name + ".png", "PNG") && ok;
  }
  QFile icons(folder + "/Toolbar.dll");
  ok = icons.open(QIODevice::WriteOnly) &&
       icons.write(IconFile({Draw(24, SmoothIcon), Draw(24, SizeIcon), Draw(24, TextIcon)})) > 0 && ok;
  return ok ? 0 : 1;
}
