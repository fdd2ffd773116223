#pragma once
// The shared drawing routines of the interface, the canvas and the secondary windows:
// rotated images, frames, rounded gradient panels, radial gradients, the canvas's
// vector shapes, lines, text, stripes and the magnifier. Every routine makes its own
// imaging objects and lets them go before it returns.

#include <cstdint>
#include <memory>

#include <QRectF>
#include <QString>

class QImage;
namespace Gdip {
class Bitmap;
class Brush;
class Graphics;
}  // namespace Gdip

namespace ModGDI {

// The size of the image last drawn rotated (every mode but the zoom mode 1 sets it).
inline float RotatedWidth = 0;
inline float RotatedHeight = 0;
// The box of the floating text layer: the measured box of the last text drawn.
inline float LayerLeft = 0;
inline float LayerTop = 0;
inline float LayerWidth = 0;
inline float LayerHeight = 0;

// Where a routine draws. A graphics stays the caller's, and keeps the modes a routine
// sets on it; on a surface (a device context's image) the routine makes its own
// graphics and ends it on return. The constructors are implicit so that a routine takes
// either one as it stands.
class DrawTarget {
 public:
  DrawTarget(Gdip::Graphics& graphics);
  DrawTarget(QImage& surface);
  ~DrawTarget();
  DrawTarget(DrawTarget&&) noexcept;
  DrawTarget& operator=(DrawTarget&&) = delete;

  // True when the caller handed over a graphics.
  bool IsGraphics() const { return m_isGraphics; }
  // Null when the surface cannot be drawn on (an indexed image).
  Gdip::Graphics* Graphics() const { return m_graphics; }

 private:
  std::unique_ptr<Gdip::Graphics> m_own;
  Gdip::Graphics* m_graphics;
  bool m_isGraphics;
};

// Draws the image W x H rotated about the centre of the box by Angle x 0.0349 radians
// (a positive angle turns it counter-clockwise); Mode 1 also zooms by 1 + |Angle| / 10
// and, on a surface, paints and frames the box around the unrotated position.
void DrawImageRotated(DrawTarget target, const Gdip::Bitmap& image, float W, float H, float BoxW, float BoxH,
                      float Angle, bool HighQuality, int Mode);
// Paints the box (0, 0, BoxW, BoxH) light grey outside the rectangle (X, Y, W, H) and frames it.
void FillOutsideFrame(DrawTarget target, float X, float Y, float W, float H, float BoxW, float BoxH);
// A grey outer and a white inner one-pixel frame.
void DrawRectOutline(DrawTarget target, float X, float Y, float W, float H);
// A rounded panel filled with a vertical gradient from (GX, GY1) to (GX, GY2), outlined.
void DrawRoundRectGradient(DrawTarget target, int GX, int GY1, int GY2, float X, float Y, float L, float M, float aw,
                           float ah, std::uint32_t Colour1, std::uint32_t Colour2, bool Reverse, int PenWidth,
                           std::uint32_t PenColour);
// An ellipse about (CX, CY) filled from the centre colour at the focus to the surround
// colour; nothing is drawn for a radius that rounds to zero or below.
void FillRadialEllipse(DrawTarget target, float CX, float CY, float RX, float RY, float FocusX, float FocusY,
                       float FocusScale, std::uint32_t CentreColour, std::uint32_t SurroundColour, bool NoOutline);
// As FillRadialEllipse, for the ellipse of centre (X, Y) and radii W, H or the rectangle (X, Y, W, H).
void FillRadialShape(DrawTarget target, float X, float Y, float W, float H, float FocusX, float FocusY,
                     float FocusScale, std::uint32_t CentreColour, std::uint32_t SurroundColour, bool NoOutline,
                     bool isEllipse);
// The canvas's filled shape (ShapeKind 0 ellipse, 1 rectangle) in the fill style
// "Vector_Single", "Vector_Linear" or "Vector_Radial" (the program's VectorFillStyle).
void DrawVectorShape(DrawTarget target, int ShapeKind, float X, float Y, float W, float H, float FocusX,
                     float FocusY, float FocusScale, std::uint32_t Colour1, std::uint32_t Colour2, int Opacity,
                     int Square, const QString& FillStyle);
// An engraved line: a dark stroke two pixels above the line and a light one a pixel above.
void DrawLineGdip(DrawTarget target, float X1, float Y1, float X2, float Y2, int Width2, int Width1,
                  std::uint32_t Colour1, std::uint32_t Colour2);
// Interface text at (X, Y) in a box Width wide, ending in an ellipsis when longer.
void DrawTextGdip(DrawTarget target, const QString& Text, float X, float Y, const QString& FontName, int FontSize,
                  std::uint32_t Colour, int FontStyle, bool Shadow, int Width);
// The text tool's text; stores its measured box in the Layer globals.
void DrawCanvasText(DrawTarget target, const QString& Text, float X, float Y, const QString& FontName, int FontSize,
                    int Style, int Render, std::uint32_t Colour, float Opacity);
// The box the text tool's text takes in that font and style, its corner at (0, 0).
QRectF MeasureCanvasText(Gdip::Graphics& graphics, const QString& Text, const QString& FontName, int FontSize,
                         int Style);
// Pairs of a thin and a thick line every three rows from y = 0 to Height.
void DrawStripes(DrawTarget target, std::uint32_t ColourA, std::uint32_t ColourB, float X1, float X2, float Height);
void FillEllipseGdip(DrawTarget target, float X, float Y, float W, float H, std::uint32_t Colour);
// The canvas's line (Shape 1), rectangle (2) and ellipse (3) outlines between two points.
void DrawShapeOutline(DrawTarget target, float X1, float Y1, float X2, float Y2, std::uint32_t Colour, int Alpha,
                      float PenWidth, int Shape, int Square);
// The colour picker's panel: the pixels of the picture around the cursor, enlarged.
void DrawMagnifier(DrawTarget target, const QImage& picture, float X, float Y, float L, float M, float aw, float ah,
                   const Gdip::Brush& brush, float CursorX, float CursorY, int AreaSize);

}  // namespace ModGDI
