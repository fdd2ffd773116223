#pragma once
// The drawing state of a metafile record player: object table, pen, brush, font, text
// settings and the mapping from logical coordinates to the picture. The readers of the
// two metafile layouts decode records and call these operations; all drawing goes
// through QPainter onto the target picture.

#include <cstdint>
#include <optional>
#include <vector>

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTransform>

namespace Gdip {

class MetafilePlayer {
 public:
  // Maps device units (after window, viewport and map mode) onto the target, a 32-bit
  // ARGB picture. The metric map modes use the device resolution given.
  MetafilePlayer(QImage& target, const QTransform& deviceToPicture, double deviceDpi);

  using ColorRef = std::uint32_t;  // red in the lowest byte

  // Coordinate spaces.
  void SetMapMode(int mode);
  void SetWindowOrg(QPointF origin);
  void SetWindowExt(QSizeF extent);
  void SetViewportOrg(QPointF origin);
  void SetViewportExt(QSizeF extent);
  void SetWorldTransform(const QTransform& transform);
  // Mode 1: reset to identity; 2: multiply on the left; 3: multiply on the right; 4: set.
  void ModifyWorldTransform(const QTransform& transform, int mode);
  void SaveDc();
  // A negative level counts back from the latest saved state; a positive one is absolute.
  void RestoreDc(int level);

  // Objects. Slots hold pens, brushes and fonts; selection by slot or by stock number.
  void CreatePen(std::size_t slot, int style, double width, ColorRef colour);
  void CreateBrush(std::size_t slot, int style, ColorRef colour, int hatch);
  void CreateFont(std::size_t slot, double height, int weight, bool italic, bool underline, bool strikeOut,
                  double escapement, const QString& face);
  void SelectObject(std::size_t slot);
  void SelectStockObject(int stock);
  void DeleteObject(std::size_t slot);
  // The lowest free slot, as the old layout assigns them.
  std::size_t FreeSlot() const;

  void SetTextColor(ColorRef colour) { m_state.textColour = ToColor(colour); }
  void SetTextAlign(int align) { m_state.textAlign = align; }
  void SetPolyFillMode(int mode) { m_state.fillRule = mode == 2 ? Qt::WindingFill : Qt::OddEvenFill; }

  // Paths: between BeginPath and EndPath the drawing operations below add their outlines
  // to the path instead of drawing; the path is then filled, stroked or both.
  void BeginPath();
  void EndPath() { m_pathOpen = false; }
  void AbortPath();
  void CloseFigure();
  void FillPath() { DrawPath(false, true); }
  void StrokePath() { DrawPath(true, false); }
  void StrokeAndFillPath() { DrawPath(true, true); }

  // Drawing, in logical coordinates.
  void MoveTo(QPointF point);
  void LineTo(QPointF point);
  // Lines and Bézier curves (three points per curve) that go on from the current position.
  void PolylineTo(const QPolygonF& points);
  void PolyBezierTo(const QPolygonF& points);
  // Bézier curves from their first point.
  void PolyBezier(const QPolygonF& points);
  void Rectangle(const QRectF& box);
  void RoundRect(const QRectF& box, QSizeF corner);
  void Ellipse(const QRectF& box);
  void Polygon(const QPolygonF& points);
  void Polyline(const QPolygonF& points);
  void PolyPolygon(const std::vector<QPolygonF>& polygons);
  // A line of text; `advances`, when there is one per character, places each character
  // that far (in logical units) after the one before it.
  void Text(QPointF reference, const QString& text, const std::vector<double>& advances = {});
  // Draws part of a picture into a logical rectangle (a negative extent mirrors).
  void DrawBitmap(const QRectF& destination, const QImage& image, const QRectF& source);
  // A block transfer without a picture: fills with the brush, black or white.
  void FillForRasterOp(const QRectF& destination, std::uint32_t rasterOp);

  // Whether any record has drawn (or added to a path) so far.
  bool HasDrawn() const { return m_hasDrawn; }

  // Where a line of text of that width and font metrics starts under a text alignment,
  // relative to its reference point: its left end on its baseline.
  static QPointF AlignedStart(int align, double width, double ascent, double descent);

  static QColor ToColor(ColorRef colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

 private:
  struct Object {
    enum class Kind { Empty, Pen, Brush, Font } kind = Kind::Empty;
    QPen pen;
    QBrush brush;
    QFont font;
    double fontEm = 0;  // logical units
    double escapement = 0;
  };
  struct State {
    int mapMode = 1;
    QPointF windowOrg, viewportOrg;
    QSizeF windowExt{1, 1}, viewportExt{1, 1};
    QTransform world;
    QPen pen{Qt::black, 0};
    QBrush brush{Qt::white};
    QFont font;
    double fontEm = 12;  // logical units
    double escapement = 0;
    QColor textColour{Qt::black};
    int textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF position;
  };

  QTransform PageToDevice() const;
  QTransform LogicalToPicture() const;
  double WorldTurnDegrees() const;
  void Apply();
  bool CopyPixelsDirectly(const QRectF& destination, const QImage& image, const QRectF& source);
  // Draws a shape, or adds it to the open path.
  void Draw(const QPainterPath& shape, bool stroke, bool fill);
  void DrawPath(bool stroke, bool fill);

  QImage& m_target;
  QPainter m_painter;
  QTransform m_deviceToPicture;
  double m_deviceDpi;
  State m_state;
  std::vector<State> m_saved;
  std::vector<Object> m_objects;
  QPainterPath m_path;  // logical coordinates
  bool m_pathOpen = false;
  bool m_hasDrawn = false;
};

}  // namespace Gdip
