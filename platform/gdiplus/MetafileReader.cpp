#include "platform/gdiplus/MetafileReader.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/MetafileFormat.h"
#include "platform/gdiplus/MetafilePlayer.h"
#include "platform/gdiplus/MetafileRecords.h"
#include "platform/gdiplus/PictureMemory.h"

namespace Gdip::MetafileReader {

namespace {

// A frame beyond this many pixels a side, or in all, is refused rather than allocated: a
// record of a few bytes can fill it whole.
constexpr int kMaxSide = 20000;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

}  // namespace

QImage BlankPicture(double width, double height, QSize wanted, Refusal& why) {
  if (!(width > 0 && height > 0)) {
    why = Refusal::Damaged;
    return {};
  }
  const bool fits = width <= kMaxSide && height <= kMaxSide && width * height <= double(kMaxPixels);
  const int w = fits ? int(std::lround(width)) : 0;
  const int h = fits ? int(std::lround(height)) : 0;
  const bool shrunk = wanted.isValid() && !wanted.isEmpty() && wanted.width() <= w && wanted.height() <= h;
  QImage picture = w > 0 && h > 0 ? ZeroedImage(shrunk ? wanted.width() : w, shrunk ? wanted.height() : h,
                                                QImage::Format_ARGB32)
                                  : QImage();
  if (picture.isNull()) {
    why = fits && (w <= 0 || h <= 0) ? Refusal::Damaged : Refusal::TooLarge;
  }
  return picture;
}

namespace {

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

// The spacing array, when the record has one, gives each character's advance in logical
// units (with a vertical one after it when the options say so).
std::vector<double> EmfAdvances(const LeReader& r, std::uint32_t chars) {
  constexpr std::uint32_t kPairs = 0x2000;
  const std::size_t at = r.U32(72);
  const std::size_t step = (r.U32(52) & kPairs) != 0 ? 8 : 4;
  std::vector<double> advances;
  if (at == 0 || chars == 0 || at > r.Size() || (r.Size() - at) / step < chars) {
    return advances;
  }
  for (std::size_t i = 0; i < chars; ++i) {
    advances.push_back(r.I32(at + i * step));
  }
  return advances;
}

void EmfText(MetafilePlayer& player, const LeReader& r) {
  const std::uint32_t chars = r.U32(44);
  if (chars > r.Size()) {
    r.Fail();
    return;
  }
  player.Text(QPointF(r.I32(36), r.I32(40)), Utf16(r, r.U32(48), chars), EmfAdvances(r, chars));
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

QImage ReadEmf(Bytes data, QSize wanted, Refusal& why) {
  const LeReader in(data);
  const QRectF frame = RectFromEdges(in.I32(24), in.I32(28), in.I32(32), in.I32(36));  // 0.01 mm
  const double devicePixelsX = in.I32(72), devicePixelsY = in.I32(76);
  const double deviceMmX = in.I32(80), deviceMmY = in.I32(84);
  const std::size_t headerSize = in.U32(4);
  if (!in.Ok() || frame.width() <= 0 || frame.height() <= 0 || headerSize < 88) {
    return {};
  }
  QImage picture =
      BlankPicture(frame.width() * kPictureDpi / 2540.0, frame.height() * kPictureDpi / 2540.0, wanted, why);
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

QImage Read(Bytes data, Refusal* why, QSize wanted) {
  Refusal refusal = Refusal::Damaged;
  QImage picture = LooksLikeEmf(data)   ? ReadEmf(data, wanted, refusal)
                   : LooksLikeWmf(data) ? ReadWmf(data, wanted, refusal)
                                        : QImage();
  if (why != nullptr) {
    *why = picture.isNull() ? refusal : Refusal::None;
  }
  return picture;
}

QSize PictureSize(Bytes data) {
  QSizeF size;
  if (LooksLikeEmf(data)) {
    const LeReader in(data);
    size = RectFromEdges(in.I32(24), in.I32(28), in.I32(32), in.I32(36)).size() * (kPictureDpi / 2540.0);
  } else if (LooksLikeWmf(data)) {
    size = WmfFrameSize(data);
  }
  const bool fits = size.width() >= 0.5 && size.height() >= 0.5 && size.width() <= kMaxSide && size.height() <= kMaxSide;
  return fits ? QSize(int(std::lround(size.width())), int(std::lround(size.height()))) : QSize();
}

}  // namespace Gdip::MetafileReader
