#pragma once
// A drawn list of text rows in two styles. Style 0 is the image format filter: one row
// per file pattern, switched on and off by a press, the rows that are on marked with an
// eye and offered to the host as ImageFormats. Style 1 is the image properties list:
// eight read-only lines about the picture on the canvas. Keys pass on to the host.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include "foundation/SkinSurface.h"

class CanvasSaveServices;
namespace Gdip {
class Bitmap;
}

class ZzQFiterControl : public SkinSurface {
  Q_OBJECT

 public:
  enum Styles { FormatFilter = 0, ImageProperties = 1 };
  struct Row {
    QString Text;
    bool Selected = false;
    QRectF Rect;
  };

  // The patterns of the format rows, in order.
  static QString FormatRowsText();
  static QString DefaultImageFormats();

  explicit ZzQFiterControl(QWidget* parent = nullptr);
  ~ZzQFiterControl() override;

  int Style() const { return m_style; }
  void SetStyle(int value) { m_style = value; }
  float ToolHeight() const { return m_toolHeight; }
  void SetToolHeight(float value) { m_toolHeight = value; }
  // The patterns of the rows that are on, each followed by ";" once a row was pressed.
  QString ImageFormats() const { return m_imageFormats; }
  void SetImageFormats(const QString& value) { m_imageFormats = value; }

  // Fills the rows for the current style, every row on; style 1 describes the canvas's
  // picture and its file (empty facts without a canvas).
  void IniaData(const CanvasSaveServices* canvas = nullptr);
  // Lays out and paints every row.
  void StartPaint();
  // Paints one row at (Vpos, Hpos), Width x Height, with the eye when Pressed; in style 0
  // Hpos comes back one less, as the row is drawn a pixel higher than its mark.
  void PaintZzQFilter(const QString& Textstring, float Vpos, float& Hpos, float Width, float Height, bool Pressed);

  const std::vector<Row>& Rows() const { return m_rows; }
  // The row the last press switched, -1 before any.
  int LastClicked() const { return m_lastClicked; }

  // The property bag: "Style", "ToolHeight" and "ImageFormats".
  void ReadProperties(const QVariantMap& bag);
  QVariantMap WriteProperties() const;

  // The eight lines of the image properties list for a canvas (null gives empty facts).
  static QStringList PropertyLines(const CanvasSaveServices* canvas);
  // A resolution in dots per inch with no more decimals (two at most) than it takes to
  // give back the whole dots per metre it was stored as: 96.012 reads "96".
  static QString ResolutionText(double dpi);

 signals:
  void FormatToggled(int Button, int Shift, float X, float Y);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int RowAt(QPointF point) const;
  int ColourEntry(int row) const;

  int m_style = FormatFilter;
  float m_toolHeight = 20;
  QString m_imageFormats;
  std::vector<Row> m_rows;
  int m_lastClicked = -1;
  // The colour of the row being painted: an entry of the colour table.
  int m_paintState = 0;
  std::array<std::uint32_t, 3> m_colours{};
  std::unique_ptr<Gdip::Bitmap> m_eye;
};
