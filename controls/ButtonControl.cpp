#include "controls/ButtonControl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "controls/SkinText.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
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

bool Contains(const QRectF& rect, QPointF point) {
  return point.x() >= rect.left() && point.x() < rect.right() && point.y() >= rect.top() && point.y() < rect.bottom();
}

// A 1-pixel antialiased black line with round caps.
void Line(Gdip::Graphics& g, float x1, float y1, float x2, float y2, Gdip::ARGB colour = kBlack) {
  ModGDI::DrawShapeOutline(g, x1, y1, x2, y2, colour, int(colour >> 24), 1, kLineShape, 0);
}

}  // namespace

std::array<QRectF, 3> ButtonControl::ButtonRects(int width) {
  const float w = float(width);
  return {QRectF(), QRectF(w - 20, 5, 16, 16), QRectF(w - 40, 5, 16, 16)};
}

int ButtonControl::ButtonAt(const std::array<QRectF, 3>& rects, QPointF point) {
  for (int i = 1; i < int(rects.size()); ++i) {
    if (Contains(rects[std::size_t(i)], point)) {
      return i;
    }
  }
  return NoButton;
}

ButtonControl::ButtonControl(QWidget* parent)
    : QWidget(parent), m_background(MakeARGB(255, 90, 130, 255)), m_titleColor(kBlack) {
  setMouseTracking(true);
}

void ButtonControl::Painting() {
  if (m_surface.size() != size()) {
    m_surface = QImage(size(), QImage::Format_ARGB32);
  }
  m_surface.fill(Qt::transparent);
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(m_surface);
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  PaintBand(*g, float(width() + 1), float(height() + 1));
  PaintButtons(*g);
  update();
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
  if (const auto logo = Gdip::LoadImageFromFile(ModPublic::DataFolderPath + QStringLiteral("Logo16pixel.png"))) {
    g.DrawImage(*logo, QRectF(3, 3, 20, 20));
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

void ButtonControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_surface);
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
