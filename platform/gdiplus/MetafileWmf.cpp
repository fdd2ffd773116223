// Old-style metafiles: records of 16-bit words, played through the same player as the
// enhanced ones.
#include <cmath>
#include <numeric>
#include <optional>
#include <vector>

#include <QFontMetricsF>

#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/MetafileFormat.h"
#include "platform/gdiplus/MetafilePlayer.h"
#include "platform/gdiplus/MetafileRecords.h"

namespace Gdip::MetafileReader {

namespace {

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

// A line of text of either text record, with the advance of each character in logical
// units when the record gives them.
struct WmfText {
  QPointF Reference;
  QString Text;
  std::vector<double> Advances;
};

WmfText ReadTextOut(const LeReader& r) {
  const std::size_t length = std::size_t(std::max<std::int16_t>(0, r.I16(6)));
  const std::size_t after = 8 + (length + 1) / 2 * 2;
  return {QPointF(r.I16(after + 2), r.I16(after)), Ansi(r, 8, length), {}};
}

WmfText ReadExtTextOut(const LeReader& r) {
  constexpr std::uint16_t kHasRectangle = 0x0006;
  const std::size_t length = std::size_t(std::max<std::int16_t>(0, r.I16(10)));
  const std::size_t textOffset = (r.U16(12) & kHasRectangle) != 0 ? 22 : 14;
  WmfText text{QPointF(r.I16(8), r.I16(6)), Ansi(r, textOffset, length), {}};
  // The spacing array, one 16-bit advance per character, follows the padded string.
  const std::size_t spacing = textOffset + (length + 1) / 2 * 2;
  if (length > 0 && r.Size() >= spacing + length * 2) {
    for (std::size_t i = 0; i < length; ++i) {
      text.Advances.push_back(r.I16(spacing + i * 2));
    }
    text.Advances.resize(std::size_t(text.Text.size()));
  }
  return text;
}

void PlayText(MetafilePlayer& player, const WmfText& text) { player.Text(text.Reference, text.Text, text.Advances); }

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
    case Wmf::kTextOut:
      PlayText(player, ReadTextOut(r));
      break;
    case Wmf::kExtTextOut:
      PlayText(player, ReadExtTextOut(r));
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

// What the sizing pass keeps of the records that place text.
struct TextSettings {
  double Height = 12;  // logical units, the player's default font
  int Align = 0;
};

// The box a line of text covers in logical units: its font's height tall, as wide as its
// advances or its characters at that height, placed by the alignment as the player
// places it.
QRectF TextBox(const WmfText& text, const TextSettings& settings) {
  if (text.Text.isEmpty()) {
    return {};
  }
  QFont font;
  font.setPixelSize(std::max(1, int(std::lround(settings.Height))));
  const QFontMetricsF metrics(font);
  const double width = text.Advances.empty() ? metrics.horizontalAdvance(text.Text)
                                             : std::accumulate(text.Advances.begin(), text.Advances.end(), 0.0);
  const QPointF start =
      MetafilePlayer::AlignedStart(settings.Align, width, metrics.ascent(), metrics.descent());
  return QRectF(text.Reference + start - QPointF(0, metrics.ascent()),
                QSizeF(std::abs(width), metrics.ascent() + metrics.descent()));
}

// The box of everything the records draw, in logical units, text included.
QRectF WmfDrawnBounds(Bytes data, std::size_t recordsStart) {
  QPolygonF all;
  QRectF text;
  TextSettings settings;
  PlayRecords(data, recordsStart, 2, 0, [&](const LeReader& r) -> std::optional<bool> {
    const std::uint16_t function = r.U16(4);
    if (function == Wmf::kCreateFontIndirect && r.I16(6) != 0) {
      settings.Height = std::abs(r.I16(6));
    } else if (function == Wmf::kSetTextAlign) {
      settings.Align = r.U16(6);
    } else if (function == Wmf::kTextOut || function == Wmf::kExtTextOut) {
      text |= TextBox(function == Wmf::kTextOut ? ReadTextOut(r) : ReadExtTextOut(r), settings);
    }
    all += WmfRecordPoints(r, function);
    return function == Wmf::kEof;
  });
  return text.isEmpty() ? all.boundingRect() : all.isEmpty() ? text : all.boundingRect() | text;
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

// Where the records start, the logical window the picture spans (none when the header is
// damaged or nothing gives one), and the picture's pixels per logical unit.
struct WmfLayout {
  std::size_t RecordsStart = 0;
  std::optional<QRectF> Frame;
  double Scale = 1;
};

WmfLayout ReadLayout(Bytes data) {
  const LeReader in(data);
  const std::size_t headerStart = in.U32(0) == Wmf::kPlaceableKey ? 22 : 0;
  WmfLayout layout;
  layout.RecordsStart = headerStart + std::size_t(in.U16(headerStart + 2)) * 2;
  double unitsPerInch = kPictureDpi;
  layout.Frame = WmfFrame(in, data, layout.RecordsStart, unitsPerInch);
  if (!in.Ok()) {
    layout.Frame.reset();
  }
  layout.Scale = kPictureDpi / unitsPerInch;
  return layout;
}

}  // namespace

QImage ReadWmf(Bytes data, QSize wanted, Refusal& why) {
  const WmfLayout layout = ReadLayout(data);
  const std::optional<QRectF>& frame = layout.Frame;
  if (!frame || frame->width() <= 0 || frame->height() <= 0) {
    return {};
  }
  QImage picture = BlankPicture(frame->width() * layout.Scale, frame->height() * layout.Scale, wanted, why);
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
    complete = PlayRecords(data, layout.RecordsStart, 2, 0, [&](const LeReader& r) -> std::optional<bool> {
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

QSizeF WmfFrameSize(Bytes data) {
  const WmfLayout layout = ReadLayout(data);
  return layout.Frame ? layout.Frame->size() * layout.Scale : QSizeF();
}

}  // namespace Gdip::MetafileReader
