#include "platform/gdiplus/MetafilePlayer.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <cstring>

#include <QFontMetricsF>
#include <QPainterPath>

namespace Gdip {

namespace {

enum MapMode { kText = 1, kLoMetric, kHiMetric, kLoEnglish, kHiEnglish, kTwips, kIsotropic, kAnisotropic };

// Logical units per inch of the fixed metric map modes.
double UnitsPerInch(int mode) {
  switch (mode) {
    case kLoMetric:
      return 254.0;
    case kHiMetric:
      return 2540.0;
    case kLoEnglish:
      return 100.0;
    case kHiEnglish:
      return 1000.0;
    default:
      return 1440.0;  // twips
  }
}

Qt::PenStyle PenStyleOf(int style) {
  switch (style & 0x0F) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    case 5:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

Qt::BrushStyle HatchOf(int hatch) {
  constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                         Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
  return hatch >= 0 && hatch < 6 ? kHatches[hatch] : Qt::SolidPattern;
}

double AxisScale(const QTransform& t, bool vertical) {
  return vertical ? std::hypot(t.m21(), t.m22()) : std::hypot(t.m11(), t.m12());
}

}  // namespace

MetafilePlayer::MetafilePlayer(QImage& target, const QTransform& deviceToPicture, double deviceDpi)
    : m_target(target), m_painter(&target), m_deviceToPicture(deviceToPicture), m_deviceDpi(deviceDpi) {
  m_painter.setRenderHint(QPainter::Antialiasing);
  m_painter.setRenderHint(QPainter::TextAntialiasing);
  m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

void MetafilePlayer::SetMapMode(int mode) { m_state.mapMode = mode; }
void MetafilePlayer::SetWindowOrg(QPointF origin) { m_state.windowOrg = origin; }
void MetafilePlayer::SetViewportOrg(QPointF origin) { m_state.viewportOrg = origin; }

void MetafilePlayer::SetWindowExt(QSizeF extent) {
  if (extent.width() != 0 && extent.height() != 0) {
    m_state.windowExt = extent;
  }
}

void MetafilePlayer::SetViewportExt(QSizeF extent) {
  if (extent.width() != 0 && extent.height() != 0) {
    m_state.viewportExt = extent;
  }
}

void MetafilePlayer::SetWorldTransform(const QTransform& transform) { m_state.world = transform; }

void MetafilePlayer::ModifyWorldTransform(const QTransform& transform, int mode) {
  switch (mode) {
    case 1:
      m_state.world.reset();
      break;
    case 2:
      m_state.world = transform * m_state.world;
      break;
    case 3:
      m_state.world = m_state.world * transform;
      break;
    case 4:
      m_state.world = transform;
      break;
    default:
      break;
  }
}

void MetafilePlayer::SaveDc() { m_saved.push_back(m_state); }

void MetafilePlayer::RestoreDc(int level) {
  const std::ptrdiff_t count = std::ptrdiff_t(m_saved.size());
  const std::ptrdiff_t keep = level < 0 ? count + level : std::ptrdiff_t(level) - 1;
  if (keep < 0 || keep >= count) {
    return;  // Restoring a state that was never saved is ignored, as the format allows.
  }
  m_state = m_saved[std::size_t(keep)];
  m_saved.resize(std::size_t(keep));
}

std::size_t MetafilePlayer::FreeSlot() const {
  const auto it = std::find_if(m_objects.begin(), m_objects.end(),
                               [](const Object& o) { return o.kind == Object::Kind::Empty; });
  return std::size_t(it - m_objects.begin());
}

namespace {

// Object tables are indexed by numbers from the file; a slot far beyond any real table
// size is refused instead of allocating for it.
constexpr std::size_t kMaxSlots = 65536;

}  // namespace

void MetafilePlayer::CreatePen(std::size_t slot, int style, double width, ColorRef colour) {
  if (slot >= kMaxSlots) {
    return;
  }
  m_objects.resize(std::max(m_objects.size(), slot + 1));
  Object& o = m_objects[slot];
  o = {};
  o.kind = Object::Kind::Pen;
  // Width 0 is one device pixel whatever the scale: a cosmetic pen.
  o.pen = QPen(ToColor(colour), std::max(0.0, width), PenStyleOf(style));
  o.pen.setCosmetic(width <= 0);
  o.pen.setJoinStyle(Qt::MiterJoin);
}

void MetafilePlayer::CreateBrush(std::size_t slot, int style, ColorRef colour, int hatch) {
  if (slot >= kMaxSlots) {
    return;
  }
  m_objects.resize(std::max(m_objects.size(), slot + 1));
  Object& o = m_objects[slot];
  o = {};
  o.kind = Object::Kind::Brush;
  constexpr int kNullBrush = 1;
  constexpr int kHatched = 2;
  o.brush = style == kNullBrush ? QBrush(Qt::NoBrush)
                                : QBrush(ToColor(colour), style == kHatched ? HatchOf(hatch) : Qt::SolidPattern);
}

void MetafilePlayer::CreateFont(std::size_t slot, double height, int weight, bool italic, bool underline,
                                bool strikeOut, double escapement, const QString& face) {
  if (slot >= kMaxSlots) {
    return;
  }
  m_objects.resize(std::max(m_objects.size(), slot + 1));
  Object& o = m_objects[slot];
  o = {};
  o.kind = Object::Kind::Font;
  o.font = QFont(face.isEmpty() ? QStringLiteral("Sans Serif") : face);
  // A negative height is the em height; a positive one the cell height, of which the em
  // is a font-dependent part. Sizes stay in logical units until drawing.
  o.font.setPixelSize(100);
  const double cell = QFontMetricsF(o.font).height();
  const double em = height < 0 ? -height : (height == 0 ? 12.0 : height * 100.0 / std::max(1.0, cell));
  o.fontEm = em;
  o.font.setWeight(weight <= 0 ? QFont::Normal : QFont::Weight(std::clamp(weight, 1, 1000)));
  o.font.setItalic(italic);
  o.font.setUnderline(underline);
  o.font.setStrikeOut(strikeOut);
  o.escapement = escapement;
}

void MetafilePlayer::SelectObject(std::size_t slot) {
  if (slot >= m_objects.size()) {
    return;
  }
  const Object& o = m_objects[slot];
  switch (o.kind) {
    case Object::Kind::Pen:
      m_state.pen = o.pen;
      break;
    case Object::Kind::Brush:
      m_state.brush = o.brush;
      break;
    case Object::Kind::Font:
      m_state.font = o.font;
      m_state.fontEm = o.fontEm;
      m_state.escapement = o.escapement;
      break;
    case Object::Kind::Empty:
      break;
  }
}

void MetafilePlayer::SelectStockObject(int stock) {
  constexpr int kGreys[] = {255, 192, 128, 64, 0};
  if (stock >= 0 && stock <= 4) {
    m_state.brush = QBrush(QColor(kGreys[stock], kGreys[stock], kGreys[stock]));
  } else if (stock == 5) {
    m_state.brush = QBrush(Qt::NoBrush);
  } else if (stock == 6 || stock == 7) {
    m_state.pen = QPen(stock == 6 ? Qt::white : Qt::black, 0);
  } else if (stock == 8) {
    m_state.pen = QPen(Qt::NoPen);
  }
}

void MetafilePlayer::DeleteObject(std::size_t slot) {
  if (slot < m_objects.size()) {
    m_objects[slot] = {};
  }
}

QTransform MetafilePlayer::PageToDevice() const {
  double sx = 1;
  double sy = 1;
  const int mode = m_state.mapMode;
  if (mode == kIsotropic || mode == kAnisotropic) {
    sx = m_state.viewportExt.width() / m_state.windowExt.width();
    sy = m_state.viewportExt.height() / m_state.windowExt.height();
    if (mode == kIsotropic) {
      const double s = std::min(std::abs(sx), std::abs(sy));
      sx = std::copysign(s, sx);
      sy = std::copysign(s, sy);
    }
  } else if (mode != kText) {
    // The metric modes count y upwards.
    sx = m_deviceDpi / UnitsPerInch(mode);
    sy = -sx;
  }
  return QTransform::fromTranslate(-m_state.windowOrg.x(), -m_state.windowOrg.y()) * QTransform::fromScale(sx, sy) *
         QTransform::fromTranslate(m_state.viewportOrg.x(), m_state.viewportOrg.y());
}

QTransform MetafilePlayer::LogicalToPicture() const { return m_state.world * PageToDevice() * m_deviceToPicture; }

void MetafilePlayer::Apply() {
  m_painter.setTransform(LogicalToPicture());
  m_painter.setPen(m_state.pen);
  m_painter.setBrush(m_state.brush);
  m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafilePlayer::Draw(const QPainterPath& shape, bool stroke, bool fill) {
  m_hasDrawn = true;
  if (m_pathOpen) {
    m_path.addPath(shape);
    return;
  }
  Apply();
  m_painter.setPen(stroke ? m_state.pen : QPen(Qt::NoPen));
  m_painter.setBrush(fill ? m_state.brush : QBrush(Qt::NoBrush));
  m_painter.drawPath(shape);
}

void MetafilePlayer::BeginPath() {
  m_path = QPainterPath();
  m_path.moveTo(m_state.position);
  m_pathOpen = true;
}

void MetafilePlayer::AbortPath() {
  m_path = QPainterPath();
  m_pathOpen = false;
}

void MetafilePlayer::CloseFigure() {
  if (m_pathOpen) {
    m_path.closeSubpath();
  }
}

void MetafilePlayer::DrawPath(bool stroke, bool fill) {
  QPainterPath path = m_path;
  path.setFillRule(m_state.fillRule);
  m_pathOpen = false;
  m_path = QPainterPath();  // a path is used up by the drawing that takes it
  Draw(path, stroke, fill);
}

void MetafilePlayer::MoveTo(QPointF point) {
  m_state.position = point;
  if (m_pathOpen) {
    m_path.moveTo(point);
  }
}

void MetafilePlayer::LineTo(QPointF point) {
  QPainterPath line(m_state.position);
  line.lineTo(point);
  if (m_pathOpen) {
    m_path.lineTo(point);
    m_hasDrawn = true;
  } else {
    Draw(line, true, false);
  }
  m_state.position = point;
}

void MetafilePlayer::PolylineTo(const QPolygonF& points) {
  for (const QPointF& point : points) {
    LineTo(point);
  }
}

namespace {

// Cubic curves through groups of three points (two controls and an end) after `start`.
QPainterPath Beziers(QPointF start, const QPolygonF& points) {
  QPainterPath path(start);
  for (qsizetype i = 0; i + 2 < points.size(); i += 3) {
    path.cubicTo(points[i], points[i + 1], points[i + 2]);
  }
  return path;
}

}  // namespace

void MetafilePlayer::PolyBezierTo(const QPolygonF& points) {
  if (points.size() < 3) {
    return;
  }
  const QPainterPath curves = Beziers(m_state.position, points);
  if (m_pathOpen) {
    m_path.connectPath(curves);
    m_hasDrawn = true;
  } else {
    Draw(curves, true, false);
  }
  m_state.position = points[points.size() - 1 - (points.size() % 3)];
}

void MetafilePlayer::PolyBezier(const QPolygonF& points) {
  if (points.size() >= 4) {
    Draw(Beziers(points.front(), points.mid(1)), true, false);
  }
}

void MetafilePlayer::Rectangle(const QRectF& box) {
  QPainterPath shape;
  shape.addRect(box.normalized());
  Draw(shape, true, true);
}

void MetafilePlayer::RoundRect(const QRectF& box, QSizeF corner) {
  QPainterPath shape;
  shape.addRoundedRect(box.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
  Draw(shape, true, true);
}

void MetafilePlayer::Ellipse(const QRectF& box) {
  QPainterPath shape;
  shape.addEllipse(box.normalized());
  Draw(shape, true, true);
}

void MetafilePlayer::Polygon(const QPolygonF& points) { PolyPolygon({points}); }

void MetafilePlayer::Polyline(const QPolygonF& points) {
  QPainterPath shape;
  shape.addPolygon(points);
  Draw(shape, true, false);
}

void MetafilePlayer::PolyPolygon(const std::vector<QPolygonF>& polygons) {
  QPainterPath path;
  path.setFillRule(m_state.fillRule);
  for (const QPolygonF& polygon : polygons) {
    path.addPolygon(polygon);
    path.closeSubpath();
  }
  Draw(path, true, true);
}

QPointF MetafilePlayer::AlignedStart(int align, double width, double ascent, double descent) {
  constexpr int kHorizontalMask = 6;
  constexpr int kVerticalMask = 24;
  const int horizontal = align & kHorizontalMask;
  const int vertical = align & kVerticalMask;
  const double x = horizontal == 6 ? -width / 2 : horizontal == 2 ? -width : 0;
  const double y = vertical == 24 ? 0 : vertical == 8 ? -descent : ascent;  // baseline, bottom, top
  return {x, y};
}

// How far the world transform turns the text's baseline, clockwise on the picture; a page
// mapping that mirrors one axis turns it the other way.
double MetafilePlayer::WorldTurnDegrees() const {
  const QTransform& world = m_state.world;
  const double degrees = std::atan2(world.m12(), world.m11()) * 180.0 / M_PI;
  return (PageToDevice() * m_deviceToPicture).determinant() < 0 ? -degrees : degrees;
}

void MetafilePlayer::Text(QPointF reference, const QString& text, const std::vector<double>& advances) {
  constexpr int kUpdateCurrentPosition = 1;
  const bool useCurrent = (m_state.textAlign & kUpdateCurrentPosition) != 0;
  if (useCurrent) {
    reference = m_state.position;
  }
  const QTransform toPicture = LogicalToPicture();
  // Text is laid out upright at the scaled size, whatever way the axes point, and turned
  // as the world transform and the font's escapement turn it.
  const double scale = AxisScale(toPicture, true);
  QFont font = m_state.font;
  const double pixels = m_state.fontEm * scale;
  if (text.isEmpty() || pixels < 0.5) {
    return;
  }
  font.setPixelSize(std::max(1, int(std::lround(pixels))));
  const QFontMetricsF metrics(font);
  const bool spaced = advances.size() == std::size_t(text.size());
  const double advanceScale = AxisScale(toPicture, false);
  const double width = spaced ? std::accumulate(advances.begin(), advances.end(), 0.0) * advanceScale
                              : metrics.horizontalAdvance(text);
  const QPointF start = AlignedStart(m_state.textAlign, width, metrics.ascent(), metrics.descent());
  double x = start.x();
  const double y = start.y();
  m_painter.setTransform(QTransform::fromTranslate(toPicture.map(reference).x(), toPicture.map(reference).y()));
  m_painter.rotate(WorldTurnDegrees() - m_state.escapement / 10.0);
  m_painter.setFont(font);
  m_painter.setPen(m_state.textColour);
  m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (spaced) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      m_painter.drawText(QPointF(x, y), QString(text[i]));
      x += advances[std::size_t(i)] * advanceScale;
    }
  } else {
    m_painter.drawText(QPointF(x, y), text);
  }
  m_hasDrawn = true;
  if (useCurrent) {
    m_state.position = toPicture.inverted().map(toPicture.map(reference) + QPointF(width, 0));
  }
}

bool MetafilePlayer::CopyPixelsDirectly(const QRectF& destination, const QImage& image, const QRectF& source) {
  const QTransform t = LogicalToPicture();
  const QRectF target = t.mapRect(destination);
  const QRect whole = target.toRect();
  // A frame stored in hundredths of a millimetre is off by up to 0.02 pixels in all.
  constexpr double kSlack = 0.05;
  const bool whole1to1 = std::abs(target.left() - whole.left()) < kSlack && std::abs(target.top() - whole.top()) < kSlack &&
                         std::abs(target.width() - whole.width()) < kSlack &&
                         std::abs(target.height() - whole.height()) < kSlack;
  if (t.type() > QTransform::TxScale || t.m11() < 0 || t.m22() < 0 || destination.width() <= 0 ||
      destination.height() <= 0 || !whole1to1 || source != QRectF(source.toRect()) ||
      whole.size() != source.size().toSize()) {
    return false;
  }
  // A copy at one to one: the pixels, alpha included, land unchanged.
  const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
  const QRect clipped = whole.intersected(m_target.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    const int sy = int(source.top()) + (y - whole.top());
    const int sx = int(source.left()) + (clipped.left() - whole.left());
    if (sy < 0 || sy >= pixels.height() || sx < 0 || sx + clipped.width() > pixels.width()) {
      continue;
    }
    std::memcpy(m_target.scanLine(y) + std::size_t(clipped.left()) * 4, pixels.constScanLine(sy) + std::size_t(sx) * 4,
                std::size_t(clipped.width()) * 4);
  }
  return true;
}

void MetafilePlayer::DrawBitmap(const QRectF& destination, const QImage& image, const QRectF& source) {
  if (image.isNull() || source.isEmpty() || destination.width() == 0 || destination.height() == 0) {
    return;
  }
  // Coordinates beyond any picture (a damaged record) would overflow the painter's whole
  // pixel numbers; such a record is skipped.
  constexpr double kFarOut = 1 << 24;
  const QRectF onPicture = LogicalToPicture().mapRect(destination);
  if (!(std::abs(onPicture.left()) < kFarOut && std::abs(onPicture.top()) < kFarOut &&
        onPicture.width() < kFarOut && onPicture.height() < kFarOut && source.width() < kFarOut &&
        source.height() < kFarOut && std::abs(source.left()) < kFarOut && std::abs(source.top()) < kFarOut)) {
    return;
  }
  m_hasDrawn = true;
  if (m_target.format() == QImage::Format_ARGB32 && CopyPixelsDirectly(destination, image, source)) {
    return;
  }
  const bool flipX = destination.width() < 0;
  const bool flipY = destination.height() < 0;
  const QImage picture = flipX || flipY ? image.mirrored(flipX, flipY) : image;
  QRectF from = source;
  if (flipX) {
    from.moveLeft(image.width() - source.right());
  }
  if (flipY) {
    from.moveTop(image.height() - source.bottom());
  }
  Apply();
  // A block transfer replaces what lies beneath, transparent pixels included.
  m_painter.setCompositionMode(QPainter::CompositionMode_Source);
  m_painter.drawImage(destination.normalized(), picture, from);
}

void MetafilePlayer::FillForRasterOp(const QRectF& destination, std::uint32_t rasterOp) {
  constexpr std::uint32_t kBlackness = 0x00000042;
  constexpr std::uint32_t kWhiteness = 0x00FF0062;
  m_hasDrawn = true;
  Apply();
  m_painter.setPen(Qt::NoPen);
  if (rasterOp == kBlackness || rasterOp == kWhiteness) {
    m_painter.setBrush(rasterOp == kBlackness ? Qt::black : Qt::white);
  }
  m_painter.drawRect(destination.normalized());
}

}  // namespace Gdip
