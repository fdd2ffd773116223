#include "controls/ButtonControl.h"

#include <QMouseEvent>
#include <QWindow>

#include "controls/SkinText.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"
#include "platform/gdiplus/StringFormat.h"

namespace {

using ModGDI::MakeARGB;

constexpr Gdip::ARGB kBlack = MakeARGB(255, 0, 0, 0);
constexpr Gdip::ARGB kHoverCircle = MakeARGB(100, 255, 255, 255);
constexpr int kLineShape = 1;

// A 1-pixel antialiased black line with round caps.
void Line(Gdip::Graphics& g, float x1, float y1, float x2, float y2, Gdip::ARGB colour = kBlack) {
  ModGDI::DrawShapeOutline(g, x1, y1, x2, y2, colour, int(colour >> 24), 1, kLineShape, 0);
}

}  // namespace

ButtonControl::~ButtonControl() = default;

std::array<QRectF, 3> ButtonControl::ButtonRects(int width) {
  const float w = float(width);
  return {QRectF(), QRectF(w - 20, 5, 16, 16), QRectF(w - 40, 5, 16, 16)};
}

int ButtonControl::ButtonAt(const std::array<QRectF, 3>& rects, QPointF point) {
  for (int i = 1; i < int(rects.size()); ++i) {
    if (SkinShapes::HitRect(rects[std::size_t(i)], point)) {
      return i;
    }
  }
  return NoButton;
}

ButtonControl::ButtonControl(const QString& dataFolder, QWidget* parent)
    : SkinSurface(parent),
      m_logo(Gdip::LoadImageFromFile(dataFolder + QStringLiteral("Logo16pixel.png"))),
      m_background(MakeARGB(255, 90, 130, 255)),
      m_titleColor(kBlack) {
  setMouseTracking(true);
}

void ButtonControl::Painting() {
  ClearBackBuffer(Qt::transparent);
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  PaintBand(*g, float(width() + 1), float(height() + 1));
  PaintButtons(*g);
  RefreshBackBuffer();
}

void ButtonControl::SetOnMouseUp(SkinMouseHandler handler) {
  disconnect(m_onMouseUp);
  m_onMouseUp = connect(this, &ButtonControl::MouseUP, this, std::move(handler));
}

void ButtonControl::PaintBand(Gdip::Graphics& g, float W, float H) const {
  const QRectF band(-1, -1, W, H);
  g.FillRectangle(Gdip::SolidBrush(m_background), band);
  Gdip::LinearGradientBrush sheen(QPointF(0, 0), QPointF(0, H - 2), MakeARGB(0, 255, 255, 255),
                                  MakeARGB(50, 255, 255, 255));
  sheen.SetWrapMode(Gdip::WrapMode::TileFlipY);
  g.FillRectangle(sheen, band);
  Line(g, 0, H - 2, W, H - 2, ModGDI::SetARGBAlpha(m_background, 255));
  // Missing logo: the square stays empty and the rest is drawn.
  if (m_logo) {
    g.DrawImage(*m_logo, QRectF(3, 3, 20, 20));
  }
  const Gdip::Font font(Gdip::FontFamily(QStringLiteral("Tahoma")), 8, Gdip::FontStyleBold);
  SkinText::Draw(g, m_title, font, QRectF(26, 6, 200, 20), Gdip::StringFormat::GenericDefault(), kBlack);
}

void ButtonControl::PaintButtons(Gdip::Graphics& g) const {
  const std::array<QRectF, 3> rects = Rects();
  const QRectF close = rects[CloseButton];
  Line(g, close.x() + 5, close.y() + 5, close.right() - 5, close.bottom() - 5);
  Line(g, close.x() + 5, close.bottom() - 5, close.right() - 5, close.y() + 5);
  const QRectF minimise = rects[MinimiseButton];
  Line(g, minimise.x() + 5, minimise.bottom() - 5, minimise.right() - 5, minimise.bottom() - 5);
  if (m_hit) {
    g.FillEllipse(Gdip::SolidBrush(kHoverCircle), rects[std::size_t(m_selectIndex)]);
  }
}

void ButtonControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || ButtonAt(Rects(), event->position()) != NoButton) {
    return;
  }
  QWindow* handle = window()->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) {
    return;
  }
  m_dragging = true;
  m_pressGlobal = event->globalPosition().toPoint();
  m_windowAtPress = window()->pos();
}

void ButtonControl::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging) {
    FollowPointer(event->globalPosition().toPoint());
    return;
  }
  m_selectIndex = ButtonAt(Rects(), event->position());
  m_hit = m_selectIndex != NoButton;
  ShowMoused(m_hit);
  Painting();
}

void ButtonControl::mouseReleaseEvent(QMouseEvent* event) {
  m_dragging = false;
  emit MouseUP(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
               float(event->position().x()), float(event->position().y()));
}

void ButtonControl::FollowPointer(QPoint globalPosition) {
  window()->move(m_windowAtPress + (globalPosition - m_pressGlobal));
}
