#include "foundation/ModDraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include <QImage>

#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "foundation/SkinSurface.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/PathGradientBrush.h"
#include "platform/gdiplus/Pen.h"
#include "platform/gdiplus/StringFormat.h"

namespace ModGDI {

using Gdip::Graphics;
using Numbers::RoundToInt;

DrawTarget::DrawTarget(Gdip::Graphics& graphics) : m_graphics(&graphics), m_isGraphics(true) {}

// A surface that takes no graphics (an indexed image) leaves the target unable to draw.
DrawTarget::DrawTarget(QImage& surface)
    : m_own(Gdip::Graphics::FromSurface(surface)), m_graphics(m_own.get()), m_isGraphics(false) {}

DrawTarget::~DrawTarget() = default;

DrawTarget::DrawTarget(DrawTarget&& other) noexcept
    : m_own(std::move(other.m_own)),
      m_graphics(std::exchange(other.m_graphics, nullptr)),
      m_isGraphics(other.m_isGraphics) {}

namespace {

constexpr std::uint32_t kFrameGrey = MakeARGB(255, 224, 224, 224);
constexpr std::uint32_t kOutlineGrey = MakeARGB(255, 208, 208, 208);
constexpr std::uint32_t kWhite = MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kPanelPen = MakeARGB(200, 255, 255, 255);
constexpr std::uint32_t kTextShadow = MakeARGB(200, 0, 0, 0);
constexpr std::uint32_t kEngraveDark = MakeARGB(50, 0, 0, 0);
constexpr std::uint32_t kMagnifierDark = MakeARGB(100, 0, 0, 0);
constexpr std::uint32_t kTransparentWhite = MakeARGB(0, 255, 255, 255);

std::uint8_t ToByte(double value) { return static_cast<std::uint8_t>(std::clamp(RoundToInt(value), 0, 255)); }

float Whole(double value) { return static_cast<float>(Numbers::RoundHalfEven(value)); }

// Fills a path with a gradient from the centre colour at the (rounded) focus to one
// surround colour, then outlines it with the given pen colour.
void FillRadialPath(Graphics& g, const Gdip::Path& path, float FocusX, float FocusY, float FocusScale,
                    std::uint32_t CentreColour, std::uint32_t SurroundColour, std::uint32_t OutlineColour) {
  g.SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  Gdip::PathGradientBrush brush(path);
  brush.SetCenterColor(CentreColour);
  brush.SetCenterPoint(QPointF(RoundToInt(FocusX), RoundToInt(FocusY)));
  brush.SetFocusScales(FocusScale, FocusScale);
  const std::array<Gdip::ARGB, 1> surround{SurroundColour};
  brush.SetSurroundColors(surround);
  g.FillPath(brush, path);
  g.DrawPath(Gdip::Pen(OutlineColour, 1), path);
}

}  // namespace

void DrawImageRotated(DrawTarget target, const Gdip::Bitmap& image, float W, float H, float BoxW, float BoxH,
                      float Angle, bool HighQuality, int Mode) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  const float theta = Angle * 0.0349f;
  const float s = std::sin(theta);
  const float c = std::cos(theta);
  const float zoom = 1.0f + std::abs(Angle) / 10.0f;
  const float left = -W * 0.5f;
  const float top = -H * 0.5f;
  std::array<QPointF, 3> corners{QPointF(left, top), QPointF(left + W, top), QPointF(left, top + H)};
  for (QPointF& p : corners) {
    float x = static_cast<float>(p.x());
    float y = static_cast<float>(p.y());
    if (Mode == 1) {
      x *= zoom;
      y *= zoom;
    }
    p = QPointF(x * c + y * s + BoxW / 2, -x * s + y * c + BoxH / 2);
  }
  if (Mode != 1) {
    RotatedWidth = W;
    RotatedHeight = H;
  }
  g->SetInterpolationMode(HighQuality ? Gdip::InterpolationMode::HighQualityBicubic
                                      : Gdip::InterpolationMode::LowQuality);
  g->DrawImage(image, corners, QRectF(0, 0, image.Width(), image.Height()));
  if (!target.IsGraphics() && Mode == 1) {
    FillOutsideFrame(*g, static_cast<float>(RoundToInt(BoxW - W) / 2), static_cast<float>(RoundToInt(BoxH - H) / 2),
                     W, H, BoxW, BoxH);
  }
}

void FillOutsideFrame(DrawTarget target, float X, float Y, float W, float H, float BoxW, float BoxH) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  Gdip::Path frame(Gdip::FillMode::Alternate);
  frame.AddRectangle(QRectF(0, 0, BoxW, BoxH));
  frame.AddRectangle(QRectF(X, Y, W, H));
  g->FillPath(Gdip::SolidBrush(kFrameGrey), frame);
  DrawRectOutline(*g, 1, 1, BoxW, BoxH);
}

void DrawRectOutline(DrawTarget target, float X, float Y, float W, float H) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::None);
  g->DrawRectangle(Gdip::Pen(kOutlineGrey, 1), QRectF(X - 1, Y - 1, W - 1, H - 1));
  g->DrawRectangle(Gdip::Pen(kWhite, 1), QRectF(X, Y, W - 3, H - 3));
}

void DrawRoundRectGradient(DrawTarget target, int GX, int GY1, int GY2, float X, float Y, float L, float M, float aw,
                           float ah, std::uint32_t Colour1, std::uint32_t Colour2, bool Reverse, int PenWidth,
                           std::uint32_t PenColour) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  const Gdip::Path panel = SkinShapes::RoundedBoxPath(X, Y, L, M, aw, ah);
  Gdip::LinearGradientBrush brush(QPointF(GX, GY1), QPointF(GX, GY2), Reverse ? Colour2 : Colour1,
                                  Reverse ? Colour1 : Colour2);
  brush.SetWrapMode(Gdip::WrapMode::TileFlipXY);
  g->FillPath(brush, panel);
  g->DrawPath(Gdip::Pen(PenColour == 0 ? kPanelPen : PenColour, static_cast<float>(PenWidth)), panel);
}

void FillRadialEllipse(DrawTarget target, float CX, float CY, float RX, float RY, float FocusX, float FocusY,
                       float FocusScale, std::uint32_t CentreColour, std::uint32_t SurroundColour, bool NoOutline) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  const float width = Whole(2 * RX);
  const float height = Whole(2 * RY);
  // An ellipse of no size, or of a negative one (a ring of the lens flare at a small
  // scale), is left out rather than drawn mirrored.
  if (RX <= 0 || RY <= 0 || width <= 0 || height <= 0) {
    return;
  }
  Gdip::Path path(Gdip::FillMode::Winding);
  path.AddEllipse(Whole(CX - RX), Whole(CY - RY), width, height);
  FillRadialPath(*g, path, FocusX, FocusY, FocusScale, CentreColour, SurroundColour,
                 NoOutline ? kTransparentWhite : SetARGBAlpha(SurroundColour, 60));
}

void FillRadialShape(DrawTarget target, float X, float Y, float W, float H, float FocusX, float FocusY,
                     float FocusScale, std::uint32_t CentreColour, std::uint32_t SurroundColour, bool NoOutline,
                     bool isEllipse) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  Gdip::Path path(Gdip::FillMode::Winding);
  if (isEllipse) {
    path.AddEllipse(X - W, Y - H, 2 * W, 2 * H);
  } else {
    path.AddRectangle(QRectF(X, Y, W, H));
  }
  FillRadialPath(*g, path, FocusX, FocusY, FocusScale, CentreColour, SurroundColour,
                 NoOutline ? kTransparentWhite : SurroundColour);
}

void DrawVectorShape(DrawTarget target, int ShapeKind, float X, float Y, float W, float H, float FocusX,
                     float FocusY, float FocusScale, std::uint32_t Colour1, std::uint32_t Colour2, int Opacity,
                     int Square, const QString& FillStyle) {
  if (ShapeKind != 0 && ShapeKind != 1) {
    return;
  }
  if (Square == 1) {
    W = H = std::min(W, H);
  }
  const std::uint8_t alpha = ToByte(Opacity);
  std::uint32_t centre = SetARGBAlpha(Colour1, alpha);
  std::uint32_t surround = centre;
  // The linear style blends from the first colour to the second like the radial one,
  // for the ellipse as for the rectangle, so that no offered style draws nothing.
  if (FillStyle == QLatin1String("Vector_Radial") || FillStyle == QLatin1String("Vector_Linear")) {
    surround = SetARGBAlpha(Colour2, alpha);
  } else if (FillStyle != QLatin1String("Vector_Single")) {
    return;
  }
  FillRadialShape(std::move(target), X, Y, W, H, FocusX, FocusY, FocusScale, centre, surround, false,
                  ShapeKind == 0);
}

void DrawLineGdip(DrawTarget target, float X1, float Y1, float X2, float Y2, int Width2, int Width1,
                  std::uint32_t Colour1, std::uint32_t Colour2) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->DrawLine(Gdip::Pen(Colour1 == 0 ? kEngraveDark : Colour1, static_cast<float>(Width1)), QPointF(X1, Y1 - 2),
              QPointF(X2, Y2 - 2));
  g->DrawLine(Gdip::Pen(Colour2 == 0 ? kWhite : Colour2, static_cast<float>(Width2)), QPointF(X1, Y1 - 1),
              QPointF(X2, Y2 - 1));
}

void DrawTextGdip(DrawTarget target, const QString& Text, float X, float Y, const QString& FontName, int FontSize,
                  std::uint32_t Colour, int FontStyle, bool Shadow, int Width) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  const Gdip::Font font(Gdip::FontFamily(FontName), static_cast<float>(FontSize), FontStyle, Gdip::Unit::Point);
  Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  format.SetTrimming(Gdip::StringTrimming::EllipsisCharacter);
  g->SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  QRectF box = g->MeasureString(Text, font, QRectF(X, Y, 0, 0), format);
  box.setWidth(Width);
  if (Shadow) {
    g->DrawString(Text, font, box, format, Gdip::SolidBrush(kTextShadow));
    box.translate(0, -1);
  }
  g->DrawString(Text, font, box, format, Gdip::SolidBrush(Colour));
}

namespace {

// The text tool's font: Style is an index into its list of styles (2 is bold).
Gdip::Font CanvasTextFont(const QString& FontName, int FontSize, int Style) {
  static constexpr int kStyles[] = {Gdip::FontStyleRegular, Gdip::FontStyleItalic, Gdip::FontStyleBold,
                                    Gdip::FontStyleBold | Gdip::FontStyleItalic, Gdip::FontStyleUnderline};
  const int style = Style >= 0 && Style <= 4 ? kStyles[Style] : Gdip::FontStyleRegular;
  return Gdip::Font(Gdip::FontFamily(FontName), static_cast<float>(FontSize), style, Gdip::Unit::Pixel);
}

}  // namespace

QRectF MeasureCanvasText(Gdip::Graphics& graphics, const QString& Text, const QString& FontName, int FontSize,
                         int Style) {
  return graphics.MeasureString(Text, CanvasTextFont(FontName, FontSize, Style), QRectF(0, 0, 0, 0),
                                Gdip::StringFormat::GenericDefault());
}

void DrawCanvasText(DrawTarget target, const QString& Text, float X, float Y, const QString& FontName, int FontSize,
                    int Style, int Render, std::uint32_t Colour, float Opacity) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  static constexpr Gdip::TextRenderingHint kHints[] = {Gdip::TextRenderingHint::SystemDefault,
                                                       Gdip::TextRenderingHint::ClearTypeGridFit,
                                                       Gdip::TextRenderingHint::AntiAlias};
  g->SetTextRenderingHint(Render >= 0 && Render <= 2 ? kHints[Render] : Gdip::TextRenderingHint::SystemDefault);
  const Gdip::Font font = CanvasTextFont(FontName, FontSize, Style);
  const Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  QRectF box = g->MeasureString(Text, font, QRectF(X, Y, 0, 0), format);
  if (box.width() == 0) {
    box = QRectF(X, Y, 30, 17);
  }
  LayerLeft = static_cast<float>(box.x());
  LayerTop = static_cast<float>(box.y());
  LayerWidth = static_cast<float>(box.width());
  LayerHeight = static_cast<float>(box.height());
  g->DrawString(Text, font, box, format, Gdip::SolidBrush(SetARGBAlpha(Colour, ToByte(Opacity))));
}

void DrawStripes(DrawTarget target, std::uint32_t ColourA, std::uint32_t ColourB, float X1, float X2, float Height) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::None);
  const Gdip::Pen thin(ColourA, 1);
  const Gdip::Pen thick(ColourB, 2);
  for (float y = 0; y <= Height; y += 3) {
    g->DrawLine(thin, QPointF(X1, y), QPointF(X2, y));
    g->DrawLine(thick, QPointF(X1, y + 2), QPointF(X2, y + 2));
  }
}

void FillEllipseGdip(DrawTarget target, float X, float Y, float W, float H, std::uint32_t Colour) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  g->FillEllipse(Gdip::SolidBrush(Colour), QRectF(X, Y, W, H));
}

void DrawShapeOutline(DrawTarget target, float X1, float Y1, float X2, float Y2, std::uint32_t Colour, int Alpha,
                      float PenWidth, int Shape, int Square) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  Gdip::Pen pen(SetARGBAlpha(Colour, ToByte(Alpha)), PenWidth);
  QRectF box;
  if (X1 != X2 && Y1 != Y2) {
    box = QRectF(std::min(X1, X2), std::min(Y1, Y2), std::abs(X2 - X1), std::abs(Y2 - Y1));
  }
  if (Square == 1) {
    const qreal side = std::min(box.width(), box.height());
    box.setSize(QSizeF(side, side));
  }
  switch (Shape) {
    case 1:
      pen.SetLineCap(Gdip::LineCap::Round, Gdip::LineCap::Round);
      g->DrawLine(pen, QPointF(X1, Y1), QPointF(X2, Y2));
      break;
    case 2:
      g->DrawRectangle(pen, box);
      break;
    case 3:
      g->DrawEllipse(pen, box);
      break;
    default:
      break;
  }
}

void DrawMagnifier(DrawTarget target, const QImage& picture, float X, float Y, float L, float M, float aw, float ah,
                   const Gdip::Brush& brush, float CursorX, float CursorY, int AreaSize) {
  Graphics* g = target.Graphics();
  if (g == nullptr) {
    return;
  }
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  const Gdip::Pen light(kPanelPen, 1);
  const Gdip::Pen dark(kMagnifierDark, 1);
  const Gdip::Path panel = SkinShapes::RoundedBoxPath(X, Y, L, M, aw, ah);
  g->FillPath(brush, panel);
  g->DrawPath(dark, panel);
  // Near the picture's edge the area reaches outside it and gives no clone: the panel
  // and the marker are drawn without the enlarged view.
  const auto source = Gdip::Bitmap::FromImage(picture, Gdip::PixelFormatOf(picture));
  if (source != nullptr && AreaSize > 0) {
    const QRect area(RoundToInt(CursorX - AreaSize / 2), RoundToInt(CursorY - AreaSize / 2), AreaSize, AreaSize);
    if (const auto clone = source->CloneArea(area, source->GetPixelFormat())) {
      g->DrawImage(*clone, QRectF(X + 10, Y + 10, 100, 100));
    }
  }
  const int a = RoundToInt(L + 5) / 2;
  const int b = RoundToInt(M + 5) / 2;
  g->DrawEllipse(light, QRectF(X + a + 5, Y + b, 5, 5));
  g->DrawEllipse(dark, QRectF(X + a + 6, Y + b + 1, 5, 5));
}

}  // namespace ModGDI
