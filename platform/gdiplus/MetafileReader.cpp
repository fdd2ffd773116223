#include "platform/gdiplus/MetafileReader.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileFormat.h"
#include "platform/gdiplus/MetafilePlayer.h"
#include "platform/gdiplus/ZeroedImage.h"

namespace Gdip::MetafileReader {

namespace {

// Metafiles are drawn at 96 dots per inch; a frame beyond this many pixels a side, or
// in all, is refused rather than allocated: a record of a few bytes can fill it whole.
constexpr double kPictureDpi = 96.0;
constexpr int kMaxSide = 20000;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

using Bytes = std::span<const std::uint8_t>;

// A transparent picture of that size in pixels; null, with the reason, for a size that
// is empty or beyond the limits.
QImage BlankPicture(double width, double height, Refusal& why) {
  if (!(width > 0 && height > 0)) {
    why = Refusal::Damaged;
    return {};
  }
  const bool fits = width <= kMaxSide && height <= kMaxSide && width * height <= double(kMaxPixels);
  const int w = fits ? int(std::lround(width)) : 0;
  const int h = fits ? int(std::lround(height)) : 0;
  QImage picture = w > 0 && h > 0 ? ZeroedImage(w, h, QImage::Format_ARGB32) : QImage();
  if (picture.isNull()) {
    why = fits && (w <= 0 || h <= 0) ? Refusal::Damaged : Refusal::TooLarge;
  }
  return picture;
}

QRectF RectFromEdges(double left, double top, double right, double bottom) {
  return QRectF(QPointF(left, top), QPointF(right, bottom));
}

// ---- Enhanced metafiles ----

QPolygonF EmfPoints(const LeReader& r, std::size_t offset, std::uint32_t count, bool shortPoints) {
  QPolygonF points;
  const std::size_t step = shortPoints ? 4 : 8;
  if (count > r.Size() / step) {
    r.Fail();
    return points;
  }
  points.reserve(qsizetype(count));
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::size_t at = offset + i * step;
    points.append(shortPoints ? QPointF(r.I16(at), r.I16(at + 2)) : QPointF(r.I32(at), r.I32(at + 4)));
  }
  return points;
}

std::vector<QPolygonF> EmfPolyPolygon(const LeReader& r, bool shortPoints) {
  const std::uint32_t polygons = r.U32(24);
  std::vector<QPolygonF> out;
  if (polygons > r.Size() / 4) {
    r.Fail();
    return out;
  }
  std::size_t pointOffset = 32 + std::size_t(polygons) * 4;
  for (std::uint32_t i = 0; i < polygons && r.Ok(); ++i) {
    const std::uint32_t count = r.U32(32 + std::size_t(i) * 4);
    out.push_back(EmfPoints(r, pointOffset, count, shortPoints));
    pointOffset += std::size_t(count) * (shortPoints ? 4 : 8);
  }
  return out;
}

QTransform EmfTransform(const LeReader& r, std::size_t offset) {
  auto f = [&](std::size_t at) {
    const std::uint32_t bits = r.U32(at);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? double(value) : 0.0;
  };
  return QTransform(f(offset), f(offset + 4), f(offset + 8), f(offset + 12), f(offset + 16), f(offset + 20));
}

QString Utf16(const LeReader& r, std::size_t offset, std::size_t chars) {
  const Bytes bytes = r.Bytes(offset, chars * 2);
  QString text(qsizetype(bytes.size() / 2), Qt::Uninitialized);
  for (std::size_t i = 0; i < bytes.size() / 2; ++i) {
    text[qsizetype(i)] = QChar(char16_t(bytes[i * 2] | (bytes[i * 2 + 1] << 8)));
  }
  return text;
}

// The picture a bitmap record carries; nullopt when the record has none, and a null
// image when its picture does not decode: that one record is then skipped, and the
// rest of the metafile still drawn.
std::optional<QImage> RecordBitmap(const LeReader& r, std::size_t offInfo, std::size_t cbInfo, std::size_t offBits,
                                   std::size_t cbBits) {
  if (cbInfo == 0) {
    return std::nullopt;
  }
  const LeReader whole(r.Bytes(0, r.Size()));
  return BmpCodec::DecodeDib(whole.Bytes(offInfo, cbInfo), whole.Bytes(offBits, cbBits));
}

void EmfBitmap(MetafilePlayer& player, const LeReader& r, std::uint32_t type) {
  if (type == Emf::kStretchDibits) {
    const std::optional<QImage> bitmap = RecordBitmap(r, r.U32(48), r.U32(52), r.U32(56), r.U32(60));
    const QRectF destination(r.I32(24), r.I32(28), r.I32(72), r.I32(76));
    if (!bitmap) {
      player.FillForRasterOp(destination, r.U32(68));
      return;
    }
    const QImage& image = *bitmap;
    if (image.isNull()) {
      return;
    }
    // The source rectangle of this record counts rows from the bottom of a bottom-up DIB.
    const bool bottomUp = r.I32(r.U32(48) + 8) > 0;
    const double cy = r.I32(44);
    const double y = bottomUp ? double(image.height()) - r.I32(36) - cy : r.I32(36);
    player.DrawBitmap(destination, image, QRectF(r.I32(32), y, r.I32(40), cy));
    return;
  }
  const QRectF destination(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
  const std::optional<QImage> bitmap = RecordBitmap(r, r.U32(84), r.U32(88), r.U32(92), r.U32(96));
  if (!bitmap) {
    player.FillForRasterOp(destination, r.U32(40));
    return;
  }
  const QImage& image = *bitmap;
  if (image.isNull()) {
    return;
  }
  const QSizeF sourceSize = type == Emf::kStretchBlt ? QSizeF(r.I32(100), r.I32(104)) : destination.size();
  player.DrawBitmap(destination, image, QRectF(QPointF(r.I32(44), r.I32(48)), sourceSize));
}

void EmfFont(MetafilePlayer& player, const LeReader& r) {
  QString face = Utf16(r, 40, 32);
  face.truncate(face.indexOf(QChar(0)) < 0 ? face.size() : face.indexOf(QChar(0)));
  player.CreateFont(r.U32(8), r.I32(12), r.I32(28), r.U8(32) != 0, r.U8(33) != 0, r.U8(34) != 0, r.I32(20), face);
}

void EmfText(MetafilePlayer& player, const LeReader& r) {
  const std::uint32_t chars = r.U32(44);
  if (chars > r.Size()) {
    r.Fail();
    return;
  }
  player.Text(QPointF(r.I32(36), r.I32(40)), Utf16(r, r.U32(48), chars));
}

void EmfObject(MetafilePlayer& player, const LeReader& r, std::uint32_t type) {
  switch (type) {
    case Emf::kCreatePen:
      player.CreatePen(r.U32(8), int(r.U32(12)), r.I32(16), r.U32(24));
      break;
    case Emf::kExtCreatePen: {
      constexpr std::uint32_t kGeometric = 0x00010000;
      const std::uint32_t style = r.U32(28);
      player.CreatePen(r.U32(8), int(style), (style & kGeometric) != 0 ? r.U32(32) : 0, r.U32(40));
      break;
    }
    case Emf::kCreateBrushIndirect:
      player.CreateBrush(r.U32(8), int(r.U32(12)), r.U32(16), int(r.U32(20)));
      break;
    case Emf::kExtCreateFontIndirectW:
      EmfFont(player, r);
      break;
    case Emf::kSelectObject: {
      const std::uint32_t handle = r.U32(8);
      if ((handle & 0x80000000u) != 0) {
        player.SelectStockObject(int(handle & 0x7FFFFFFFu));
      } else {
        player.SelectObject(handle);
      }
      break;
    }
    case Emf::kDeleteObject:
      player.DeleteObject(r.U32(8));
      break;
    default:
      break;
  }
}

void EmfShape(MetafilePlayer& player, const LeReader& r, std::uint32_t type) {
  const QRectF box = RectFromEdges(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
  switch (type) {
    case Emf::kRectangle:
      player.Rectangle(box);
      break;
    case Emf::kEllipse:
      player.Ellipse(box);
      break;
    case Emf::kRoundRect:
      player.RoundRect(box, QSizeF(r.I32(24), r.I32(28)));
      break;
    case Emf::kPolygon:
    case Emf::kPolygon16:
      player.Polygon(EmfPoints(r, 28, r.U32(24), type == Emf::kPolygon16));
      break;
    case Emf::kPolyline:
    case Emf::kPolyline16:
      player.Polyline(EmfPoints(r, 28, r.U32(24), type == Emf::kPolyline16));
      break;
    case Emf::kPolyBezier:
    case Emf::kPolyBezier16:
      player.PolyBezier(EmfPoints(r, 28, r.U32(24), type == Emf::kPolyBezier16));
      break;
    case Emf::kPolylineTo:
    case Emf::kPolylineTo16:
      player.PolylineTo(EmfPoints(r, 28, r.U32(24), type == Emf::kPolylineTo16));
      break;
    case Emf::kPolyBezierTo:
    case Emf::kPolyBezierTo16:
      player.PolyBezierTo(EmfPoints(r, 28, r.U32(24), type == Emf::kPolyBezierTo16));
      break;
    case Emf::kPolyPolygon:
    case Emf::kPolyPolygon16:
      player.PolyPolygon(EmfPolyPolygon(r, type == Emf::kPolyPolygon16));
      break;
    case Emf::kPolyPolyline:
    case Emf::kPolyPolyline16:
      for (const QPolygonF& line : EmfPolyPolygon(r, type == Emf::kPolyPolyline16)) {
        player.Polyline(line);
      }
      break;
    default:
      break;
  }
}

void EmfPath(MetafilePlayer& player, std::uint32_t type) {
  switch (type) {
    case Emf::kBeginPath:
      player.BeginPath();
      break;
    case Emf::kEndPath:
      player.EndPath();
      break;
    case Emf::kCloseFigure:
      player.CloseFigure();
      break;
    case Emf::kFillPath:
      player.FillPath();
      break;
    case Emf::kStrokePath:
      player.StrokePath();
      break;
    case Emf::kStrokeAndFillPath:
      player.StrokeAndFillPath();
      break;
    case Emf::kAbortPath:
      player.AbortPath();
      break;
    default:
      break;  // records we do not draw
  }
}

void EmfState(MetafilePlayer& player, const LeReader& r, std::uint32_t type) {
  auto point = [&r] { return QPointF(r.I32(8), r.I32(12)); };
  switch (type) {
    case Emf::kSetWindowExtEx:
      player.SetWindowExt(QSizeF(point().x(), point().y()));
      break;
    case Emf::kSetWindowOrgEx:
      player.SetWindowOrg(point());
      break;
    case Emf::kSetViewportExtEx:
      player.SetViewportExt(QSizeF(point().x(), point().y()));
      break;
    case Emf::kSetViewportOrgEx:
      player.SetViewportOrg(point());
      break;
    case Emf::kSetMapMode:
      player.SetMapMode(r.I32(8));
      break;
    case Emf::kSetPolyFillMode:
      player.SetPolyFillMode(r.I32(8));
      break;
    case Emf::kSetTextAlign:
      player.SetTextAlign(r.I32(8));
      break;
    case Emf::kSetTextColor:
      player.SetTextColor(r.U32(8));
      break;
    case Emf::kMoveToEx:
      player.MoveTo(point());
      break;
    case Emf::kLineTo:
      player.LineTo(point());
      break;
    case Emf::kSaveDc:
      player.SaveDc();
      break;
    case Emf::kRestoreDc:
      player.RestoreDc(r.I32(8));
      break;
    case Emf::kSetWorldTransform:
      player.SetWorldTransform(EmfTransform(r, 8));
      break;
    case Emf::kModifyWorldTransform:
      player.ModifyWorldTransform(EmfTransform(r, 8), r.I32(32));
      break;
    default:
      EmfPath(player, type);
      break;
  }
}

void PlayEmfRecord(MetafilePlayer& player, const LeReader& r, std::uint32_t type) {
  switch (type) {
    case Emf::kBitBlt:
    case Emf::kStretchBlt:
    case Emf::kStretchDibits:
      EmfBitmap(player, r, type);
      break;
    case Emf::kExtTextOutW:
      EmfText(player, r);
      break;
    case Emf::kCreatePen:
    case Emf::kExtCreatePen:
    case Emf::kCreateBrushIndirect:
    case Emf::kExtCreateFontIndirectW:
    case Emf::kSelectObject:
    case Emf::kDeleteObject:
      EmfObject(player, r, type);
      break;
    case Emf::kRectangle:
    case Emf::kEllipse:
    case Emf::kRoundRect:
    case Emf::kPolygon:
    case Emf::kPolygon16:
    case Emf::kPolyline:
    case Emf::kPolyBezier:
    case Emf::kPolyline16:
    case Emf::kPolyBezier16:
    case Emf::kPolylineTo:
    case Emf::kPolylineTo16:
    case Emf::kPolyBezierTo:
    case Emf::kPolyBezierTo16:
    case Emf::kPolyPolygon:
    case Emf::kPolyPolygon16:
    case Emf::kPolyPolyline:
    case Emf::kPolyPolyline16:
      EmfShape(player, r, type);
      break;
    default:
      EmfState(player, r, type);
      break;
  }
}

// Plays records until the end-of-file record; false when a record is malformed or the
// data ends first.
template <typename Play>
bool PlayRecords(Bytes data, std::size_t offset, std::size_t sizeUnit, std::size_t sizeField, Play play) {
  const LeReader in(data);
  while (offset < data.size()) {
    const std::size_t size = std::size_t(in.U32(offset + sizeField)) * sizeUnit;
    if (!in.Ok() || size < 6 || size > data.size() - offset) {
      return false;
    }
    const LeReader record(data.subspan(offset, size));
    const std::optional<bool> finished = play(record);
    if (!record.Ok()) {
      return false;
    }
    if (finished.value_or(false)) {
      return true;
    }
    offset += size;
  }
  return false;
}

QImage ReadEmf(Bytes data, Refusal& why) {
  const LeReader in(data);
  const QRectF frame = RectFromEdges(in.I32(24), in.I32(28), in.I32(32), in.I32(36));  // 0.01 mm
  const double devicePixelsX = in.I32(72), devicePixelsY = in.I32(76);
  const double deviceMmX = in.I32(80), deviceMmY = in.I32(84);
  const std::size_t headerSize = in.U32(4);
  if (!in.Ok() || frame.width() <= 0 || frame.height() <= 0 || headerSize < 88) {
    return {};
  }
  QImage picture = BlankPicture(frame.width() * kPictureDpi / 2540.0, frame.height() * kPictureDpi / 2540.0, why);
  if (picture.isNull()) {
    return {};
  }
  // Device pixels per millimetre of the reference device, 96 dpi when it gives none.
  const double pxPerMmX = devicePixelsX > 0 && deviceMmX > 0 ? devicePixelsX / deviceMmX : kPictureDpi / 25.4;
  const double pxPerMmY = devicePixelsY > 0 && deviceMmY > 0 ? devicePixelsY / deviceMmY : kPictureDpi / 25.4;
  const QRectF frameDevice(frame.left() / 100 * pxPerMmX, frame.top() / 100 * pxPerMmY,
                           frame.width() / 100 * pxPerMmX, frame.height() / 100 * pxPerMmY);
  const QTransform deviceToPicture = QTransform::fromTranslate(-frameDevice.left(), -frameDevice.top()) *
                                     QTransform::fromScale(picture.width() / frameDevice.width(),
                                                           picture.height() / frameDevice.height());
  bool complete = false;
  bool onlyEmfPlus = false;
  {
    MetafilePlayer player(picture, deviceToPicture, pxPerMmX * 25.4);
    bool emfPlus = false;
    complete = PlayRecords(data, headerSize, 1, 4, [&](const LeReader& r) -> std::optional<bool> {
      const std::uint32_t type = r.U32(0);
      if (type == Emf::kEof) {
        return true;
      }
      emfPlus = emfPlus || (type == Emf::kComment && r.Size() >= 16 && r.U32(12) == Emf::kEmfPlusCommentId);
      PlayEmfRecord(player, r, type);
      return std::nullopt;
    });
    // A drawing made only of the extended records, which we do not play, would show as
    // an empty picture: it is refused instead.
    onlyEmfPlus = emfPlus && !player.HasDrawn();
  }
  if (!complete || onlyEmfPlus) {
    why = complete ? Refusal::Unplayable : Refusal::Damaged;
    return {};
  }
  return picture;
}

// ---- Old-style metafiles ----

QPolygonF WmfPoints(const LeReader& r, std::size_t offset, std::size_t count) {
  QPolygonF points;
  if (count > r.Size() / 4) {
    r.Fail();
    return points;
  }
  points.reserve(qsizetype(count));
  for (std::size_t i = 0; i < count; ++i) {
    points.append(QPointF(r.I16(offset + i * 4), r.I16(offset + i * 4 + 2)));
  }
  return points;
}

void WmfPolyPolygon(MetafilePlayer& player, const LeReader& r) {
  const std::size_t polygons = r.U16(6);
  std::vector<QPolygonF> all;
  std::size_t pointOffset = 8 + polygons * 2;
  for (std::size_t i = 0; i < polygons && r.Ok(); ++i) {
    const std::size_t count = r.U16(8 + i * 2);
    all.push_back(WmfPoints(r, pointOffset, count));
    pointOffset += count * 4;
  }
  player.PolyPolygon(all);
}

QString Ansi(const LeReader& r, std::size_t offset, std::size_t length) {
  const Bytes bytes = r.Bytes(offset, length);
  QString text = QString::fromLatin1(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  const qsizetype end = text.indexOf(QChar(0));
  return end < 0 ? text : text.left(end);
}

void WmfFont(MetafilePlayer& player, const LeReader& r) {
  const std::size_t faceLength = r.Size() > 24 ? std::min<std::size_t>(32, r.Size() - 24) : 0;
  player.CreateFont(player.FreeSlot(), r.I16(6), r.I16(14), r.U8(16) != 0, r.U8(17) != 0, r.U8(18) != 0, r.I16(10),
                    Ansi(r, 24, faceLength));
}

void WmfExtTextOut(MetafilePlayer& player, const LeReader& r) {
  constexpr std::uint16_t kHasRectangle = 0x0006;
  const std::size_t length = std::size_t(std::max<std::int16_t>(0, r.I16(10)));
  const std::size_t textOffset = (r.U16(12) & kHasRectangle) != 0 ? 22 : 14;
  player.Text(QPointF(r.I16(8), r.I16(6)), Ansi(r, textOffset, length));
}

// Bitmap records. The two block transfers may come without a bitmap, with one more
// reserved word before the destination; they then paint with the brush.
void WmfBitmap(MetafilePlayer& player, const LeReader& r, std::uint16_t function) {
  const bool stretch = function != Wmf::kDibBitBlt;
  if (function == Wmf::kDibStretchBlt && r.Size() == 28) {
    player.FillForRasterOp(QRectF(r.I16(26), r.I16(24), r.I16(22), r.I16(20)), r.U32(6));
    return;
  }
  if (function == Wmf::kDibBitBlt && r.Size() == 24) {
    player.FillForRasterOp(QRectF(r.I16(22), r.I16(20), r.I16(18), r.I16(16)), r.U32(6));
    return;
  }
  const std::size_t p = function == Wmf::kStretchDib ? 12 : 10;  // the first size or position word
  const std::size_t dibAt = p + (stretch ? 16 : 12);
  const QImage image = BmpCodec::DecodePackedDib(r.Bytes(dibAt, r.Size() > dibAt ? r.Size() - dibAt : 0));
  if (image.isNull()) {
    return;  // a picture we cannot decode: this record is skipped, the rest still drawn
  }
  QRectF source, destination;
  if (stretch) {
    source = QRectF(r.I16(p + 6), r.I16(p + 4), r.I16(p + 2), r.I16(p));
    destination = QRectF(r.I16(p + 14), r.I16(p + 12), r.I16(p + 10), r.I16(p + 8));
  } else {
    destination = QRectF(r.I16(p + 10), r.I16(p + 8), r.I16(p + 6), r.I16(p + 4));
    source = QRectF(r.I16(p + 2), r.I16(p), destination.width(), destination.height());
  }
  if (function == Wmf::kStretchDib) {
    // This record counts source rows from the bottom of a bottom-up DIB.
    source.moveTop(image.height() - source.top() - source.height());
  }
  player.DrawBitmap(destination, image, source);
}

void PlayWmfRecord(MetafilePlayer& player, const LeReader& r, std::uint16_t function) {
  // Fields are read only by the records that have them: a read past a record's end
  // marks the file as damaged.
  auto point = [&r] { return QPointF(r.I16(8), r.I16(6)); };
  auto box = [&r] { return RectFromEdges(r.I16(12), r.I16(10), r.I16(8), r.I16(6)); };
  switch (function) {
    case Wmf::kSetWindowOrg:
      player.SetWindowOrg(point());
      break;
    case Wmf::kSetWindowExt:
      player.SetWindowExt(QSizeF(point().x(), point().y()));
      break;
    case Wmf::kSetPolyFillMode:
      player.SetPolyFillMode(r.U16(6));
      break;
    case Wmf::kSetTextAlign:
      player.SetTextAlign(r.U16(6));
      break;
    case Wmf::kSetTextColor:
      player.SetTextColor(r.U32(6));
      break;
    case Wmf::kSaveDc:
      player.SaveDc();
      break;
    case Wmf::kRestoreDc:
      player.RestoreDc(r.I16(6));
      break;
    case Wmf::kCreatePenIndirect:
      player.CreatePen(player.FreeSlot(), r.U16(6), r.I16(8), r.U32(12));
      break;
    case Wmf::kCreateBrushIndirect:
      player.CreateBrush(player.FreeSlot(), r.U16(6), r.U32(8), r.U16(12));
      break;
    case Wmf::kCreateFontIndirect:
      WmfFont(player, r);
      break;
    case Wmf::kSelectObject:
      player.SelectObject(r.U16(6));
      break;
    case Wmf::kDeleteObject:
      player.DeleteObject(r.U16(6));
      break;
    case Wmf::kMoveTo:
      player.MoveTo(point());
      break;
    case Wmf::kLineTo:
      player.LineTo(point());
      break;
    case Wmf::kRectangle:
      player.Rectangle(box());
      break;
    case Wmf::kEllipse:
      player.Ellipse(box());
      break;
    case Wmf::kRoundRect:
      player.RoundRect(RectFromEdges(r.I16(16), r.I16(14), r.I16(12), r.I16(10)), QSizeF(r.I16(8), r.I16(6)));
      break;
    case Wmf::kPolygon:
      player.Polygon(WmfPoints(r, 8, r.U16(6)));
      break;
    case Wmf::kPolyline:
      player.Polyline(WmfPoints(r, 8, r.U16(6)));
      break;
    case Wmf::kPolyPolygon:
      WmfPolyPolygon(player, r);
      break;
    case Wmf::kTextOut: {
      const std::size_t length = std::size_t(std::max<std::int16_t>(0, r.I16(6)));
      const std::size_t after = 8 + (length + 1) / 2 * 2;
      player.Text(QPointF(r.I16(after + 2), r.I16(after)), Ansi(r, 8, length));
      break;
    }
    case Wmf::kExtTextOut:
      WmfExtTextOut(player, r);
      break;
    case Wmf::kStretchDib:
    case Wmf::kDibStretchBlt:
    case Wmf::kDibBitBlt:
      WmfBitmap(player, r, function);
      break;
    default:
      break;  // map mode, viewport and palette records: the window is fitted to the frame
  }
}

// The points a drawing record of the old layout touches, for sizing a metafile that
// names no window: corners of shapes, ends of lines, the points of polygons.
QPolygonF WmfRecordPoints(const LeReader& r, std::uint16_t function) {
  switch (function) {
    case Wmf::kMoveTo:
    case Wmf::kLineTo:
      return {QPointF(r.I16(8), r.I16(6))};
    case Wmf::kRectangle:
    case Wmf::kEllipse:
      return {QPointF(r.I16(12), r.I16(10)), QPointF(r.I16(8), r.I16(6))};
    case Wmf::kRoundRect:
      return {QPointF(r.I16(16), r.I16(14)), QPointF(r.I16(12), r.I16(10))};
    case Wmf::kPolygon:
    case Wmf::kPolyline:
      return WmfPoints(r, 8, r.U16(6));
    case Wmf::kPolyPolygon: {
      const std::size_t polygons = r.U16(6);
      std::size_t total = 0;
      for (std::size_t i = 0; i < polygons; ++i) {
        total += r.U16(8 + i * 2);
      }
      return WmfPoints(r, 8 + polygons * 2, total);
    }
    default:
      return {};
  }
}

// The box of everything the records draw, in logical units.
QRectF WmfDrawnBounds(Bytes data, std::size_t recordsStart) {
  QPolygonF all;
  PlayRecords(data, recordsStart, 2, 0, [&](const LeReader& r) -> std::optional<bool> {
    const std::uint16_t function = r.U16(4);
    all += WmfRecordPoints(r, function);
    return function == Wmf::kEof;
  });
  return all.boundingRect();
}

// The logical window the picture spans: the placeable header's box, or else the first
// window origin and extent records, or else the box of what the records draw.
std::optional<QRectF> WmfFrame(const LeReader& in, Bytes data, std::size_t recordsStart, double& unitsPerInch) {
  if (in.U32(0) == Wmf::kPlaceableKey) {
    unitsPerInch = in.U16(14) != 0 ? in.U16(14) : 1440;
    return RectFromEdges(in.I16(6), in.I16(8), in.I16(10), in.I16(12)).normalized();
  }
  unitsPerInch = kPictureDpi;
  QPointF origin;
  std::optional<QSizeF> extent;
  PlayRecords(data, recordsStart, 2, 0, [&](const LeReader& r) -> std::optional<bool> {
    const std::uint16_t function = r.U16(4);
    if (function == Wmf::kSetWindowOrg) {
      origin = QPointF(r.I16(8), r.I16(6));
    } else if (function == Wmf::kSetWindowExt) {
      extent = QSizeF(std::abs(r.I16(8)), std::abs(r.I16(6)));
    }
    return function == Wmf::kEof || extent.has_value();
  });
  if (extent) {
    return QRectF(origin, *extent);
  }
  const QRectF drawn = WmfDrawnBounds(data, recordsStart);
  return drawn.isEmpty() ? std::nullopt : std::optional<QRectF>(drawn);
}

QImage ReadWmf(Bytes data, Refusal& why) {
  const LeReader in(data);
  const std::size_t headerStart = in.U32(0) == Wmf::kPlaceableKey ? 22 : 0;
  const std::size_t recordsStart = headerStart + std::size_t(in.U16(headerStart + 2)) * 2;
  double unitsPerInch = kPictureDpi;
  const std::optional<QRectF> frame = WmfFrame(in, data, recordsStart, unitsPerInch);
  if (!in.Ok() || !frame || frame->width() <= 0 || frame->height() <= 0) {
    return {};
  }
  const double scale = kPictureDpi / unitsPerInch;
  QImage picture = BlankPicture(frame->width() * scale, frame->height() * scale, why);
  if (picture.isNull()) {
    return {};
  }
  bool complete = false;
  {
    // The window is mapped onto the whole picture; the records may move it.
    MetafilePlayer player(picture, QTransform(), kPictureDpi);
    player.SetMapMode(8);
    player.SetViewportExt(QSizeF(picture.width(), picture.height()));
    player.SetWindowOrg(frame->topLeft());
    player.SetWindowExt(frame->size());
    complete = PlayRecords(data, recordsStart, 2, 0, [&](const LeReader& r) -> std::optional<bool> {
      const std::uint16_t function = r.U16(4);
      if (function == Wmf::kEof) {
        return true;
      }
      PlayWmfRecord(player, r, function);
      return std::nullopt;
    });
  }
  if (!complete) {
    why = Refusal::Damaged;
    return {};
  }
  return picture;
}

}  // namespace

bool LooksLikeEmf(Bytes data) {
  const LeReader in(data);
  return in.U32(0) == Emf::kHeader && in.U32(40) == Emf::kSignature;
}

bool LooksLikeWmf(Bytes data) {
  const LeReader in(data);
  if (in.U32(0) == Wmf::kPlaceableKey) {
    return true;
  }
  const std::uint16_t type = in.U16(0);
  return (type == 1 || type == 2) && in.U16(2) == 9 && (in.U16(4) == 0x0100 || in.U16(4) == 0x0300);
}

QImage Read(Bytes data, Refusal* why) {
  Refusal refusal = Refusal::Damaged;
  QImage picture = LooksLikeEmf(data) ? ReadEmf(data, refusal) : LooksLikeWmf(data) ? ReadWmf(data, refusal) : QImage();
  if (why != nullptr) {
    *why = picture.isNull() ? refusal : Refusal::None;
  }
  return picture;
}

}  // namespace Gdip::MetafileReader
