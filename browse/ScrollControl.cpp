#include "browse/ScrollControl.h"

#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "foundation/MainWindowServices.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "foundation/Numbers.h"
#include "foundation/ShortcutKeys.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/LinearGradientBrush.h"

using ModGDI::MakeARGB;

namespace {

constexpr int kCountBoxWidth = 200;
constexpr int kTrackTop = 5;
// The pointer sits this far right of the grip's left edge while it drags the grip.
constexpr int kGrab = 6;
constexpr int kIconSide = 16;
// What the bar's translucent gradient lies on.
const QColor kBarBack{235, 235, 235};

std::unique_ptr<Gdip::Bitmap> LoadPicture(const QString& name) {
  // A missing picture is not drawn, and its size counts as 0.
  return Gdip::LoadImageFromFile(ModPublic::DataFolderPath + name);
}

QPixmap BlankIcon() {
  QPixmap icon(kIconSide, kIconSide);
  icon.fill(Qt::transparent);
  return icon;
}

// Four small thumbnails in a square.
QPixmap ThumbSizeIcon() {
  QPixmap icon = BlankIcon();
  QPainter p(&icon);
  p.setPen(QColor(70, 70, 70));
  p.setBrush(QColor(120, 160, 220));
  for (int i = 0; i < 4; ++i) {
    p.drawRect(QRect(2 + (i % 2) * 7, 2 + (i / 2) * 7, 5, 5));
  }
  return icon;
}

// A triangle under a bar: up (the pane opens upward) or down (it closes).
QPixmap ArrowIcon(bool up) {
  QPixmap icon = BlankIcon();
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 70, 70));
  QPainterPath arrow;
  const double tip = up ? 4 : 13;
  const double base = up ? 11 : 6;
  arrow.moveTo(8, tip);
  arrow.lineTo(3, base);
  arrow.lineTo(13, base);
  arrow.closeSubpath();
  p.drawPath(arrow);
  p.drawRect(QRectF(3, up ? 1 : 14, 10, 1.5));
  return icon;
}

}  // namespace

ScrollControlButton::ScrollControlButton(QWidget* parent) : QWidget(parent) {
  setCursor(SkinShapes::MousedCursor());
  resize(ScrollControl::ButtonWidth, ScrollControl::BarHeight);
}

void ScrollControlButton::SetIcon(const QString& name) {
  m_iconName = name;
  m_icon = ScrollControl::Icon(name);
  update();
}

void ScrollControlButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap((width() - m_icon.width()) / 2, (height() - m_icon.height()) / 2, m_icon);
}

void ScrollControlButton::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  emit Released(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
                static_cast<float>(at.x()), static_cast<float>(at.y()));
}

QPixmap ScrollControl::Icon(const QString& name) {
  if (name == QLatin1String("THUMSIZE")) {
    return ThumbSizeIcon();
  }
  if (name == QLatin1String("OPENTHUM") || name == QLatin1String("CLOSETHUM")) {
    return ArrowIcon(name == QLatin1String("OPENTHUM"));
  }
  return {};
}

ScrollControl::ScrollControl(QWidget* parent)
    : SkinSurface(parent), m_sizeButton(new ScrollControlButton(this)), m_toggleButton(new ScrollControlButton(this)) {
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
  setMinimumHeight(BarHeight);
  m_sizeButton->SetIcon(QStringLiteral("THUMSIZE"));
  connect(m_toggleButton, &ScrollControlButton::Released, this, [this](int Button, int Shift, float X, float Y) {
    m_isOpenthum ? ThumClose() : ThumOpen();
    emit ThumbToggleClick(Button, Shift, X, Y);
  });
  connect(m_sizeButton, &ScrollControlButton::Released, this, [this](int Button, int Shift, float, float) {
    emit ThumbSizeClick(Button, Shift, static_cast<float>(m_sizeButton->x()), static_cast<float>(m_sizeButton->height()));
  });
}

ScrollControl::~ScrollControl() = default;

int ScrollControl::TrackWidth() const { return m_track ? m_track->Width() : 0; }
int ScrollControl::GripWidth() const { return m_grip ? m_grip->Width() : 0; }
int ScrollControl::GripHeight() const { return m_grip ? m_grip->Height() : 0; }

void ScrollControl::HandleHDC(bool isRefresh) {
  if (!isRefresh) {
    m_track = LoadPicture(QStringLiteral("Scroll.png"));
    m_grip = LoadPicture(QStringLiteral("ScrollTop.png"));
  }
  PlaceTrack();
  ModPublic::ThumBarDragPos = m_gripHome;
}

void ScrollControl::PlaceTrack() {
  m_trackLeft = Numbers::RoundToInt((width() - TrackWidth()) / 2.0);
  m_gripHome = Numbers::RoundToInt(TrackWidth() / 2.0 - GripWidth() / 2.0 + m_trackLeft);
}

void ScrollControl::ResetPaint() {
  PlaceTrack();
  StartPaint(static_cast<float>(m_trackLeft + CentreValue), 0, true);
}

void ScrollControl::StartPaint(float MoveX, float MoveY, bool FirstLoad) {
  m_painted = true;
  PaintBar(MoveX, MoveY, FirstLoad);
  PaintCountBox();
  RefreshBackBuffer();
}

void ScrollControl::PaintBar(float MoveX, float MoveY, bool FirstLoad) {
  ClearBackBuffer(kBarBack);
  const auto graphics = Gdip::Graphics::FromSurface(BackBuffer());
  if (!graphics) {
    return;
  }
  const float w = static_cast<float>(width());
  const float h = static_cast<float>(height());
  Gdip::LinearGradientBrush ground(QPointF(0, 0), QPointF(0, h), MakeARGB(50, 208, 208, 208),
                                   MakeARGB(255, 235, 235, 235));
  ground.SetWrapMode(Gdip::WrapMode::TileFlipXY);
  graphics->FillRectangle(ground, QRectF(0, 0, w, h));
  Gdip::LinearGradientBrush sheen(QPointF(0, 0), QPointF(0, h - 2), MakeARGB(50, 255, 255, 255),
                                  MakeARGB(0, 255, 255, 255));
  graphics->FillRectangle(sheen, QRectF(1, 0, w, h - 2));
  if (!CanvasBrowsing()) {
    // No grip is shown, so none can be pressed.
    m_gripRect = QRectF();
    return;
  }
  if (m_track) {
    graphics->DrawImage(*m_track, QRectF(m_trackLeft, kTrackTop, m_track->Width(), m_track->Height()));
  }
  if (MoveX == 0) {
    MoveX = static_cast<float>(m_gripHome);
  }
  m_gripRect = QRectF(MoveX, 0, GripWidth(), GripHeight());
  if (!FirstLoad) {
    m_hover = SkinShapes::HitRect(m_gripRect, QPointF(MoveX, MoveY));
  }
  if (m_grip) {
    graphics->DrawImage(*m_grip, m_gripRect);
  }
}

void ScrollControl::DrawInfo(int CurID, int Total) {
  m_curID = CurID;
  m_total = Total;
  PaintCountBox();
  RefreshBackBuffer();
}

QString ScrollControl::CountText() const {
  return m_curID < 0 ? QString() : QStringLiteral("Total: %1/%2 Images").arg(m_curID).arg(m_total);
}

void ScrollControl::PaintCountBox() {
  // The bar's own paints keep the counts last given.
  if (m_curID < 0) {
    return;
  }
  QImage& surface = BackBuffer();
  {
    const auto graphics = Gdip::Graphics::FromSurface(surface);
    if (!graphics) {
      return;
    }
    const float h = static_cast<float>(height());
    Gdip::LinearGradientBrush box(QPointF(0, 0), QPointF(0, h), MakeARGB(255, 208, 208, 208),
                                  MakeARGB(255, 235, 235, 235));
    graphics->FillRectangle(box, QRectF(0, 0, kCountBoxWidth, h));
  }
  ModGDI::DrawTextGdip(surface, CountText(), 5, 5, QStringLiteral("Tahoma"), 8, MakeARGB(255, 0, 0, 0), 0, false,
                       kCountBoxWidth);
}

void ScrollControl::ThumClose() {
  m_toggleButton->SetIcon(QStringLiteral("CLOSETHUM"));
  m_isOpenthum = false;
}

void ScrollControl::ThumOpen() {
  m_toggleButton->SetIcon(QStringLiteral("OPENTHUM"));
  m_isOpenthum = true;
}

void ScrollControl::OutControlScroll(float ValueB) {
  const int s = 61 - static_cast<int>(std::floor(55 * ValueB));
  const bool below = std::floor(10 * ValueB) < 10;
  StartPaint(static_cast<float>(below ? m_gripHome - s : m_gripHome + s), 0, true);
}

void ScrollControl::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (SkinShapes::HitRect(m_gripRect, at)) {
    qzisDrag = true;
    ModPublic::ThumBarDragPos = Numbers::RoundToInt(at.x());
    StartPaint(static_cast<float>(at.x() - kGrab), static_cast<float>(at.y()), false);
  }
  emit MouseDown(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
                 static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void ScrollControl::mouseMoveEvent(QMouseEvent* event) {
  double x = event->position().x();
  const double y = event->position().y();
  const bool onTrack = x - kGrab > m_trackLeft && x < m_trackLeft + TrackWidth() - kGrab;
  if (onTrack && qzisDrag && m_hover) {
    const int pos = std::max(kGrab, Numbers::RoundToInt(std::abs(x - m_trackLeft - kGrab)));
    if (x != ModPublic::ThumBarDragPos) {
      // Near the middle the grip snaps to it: 100 % is easy to find again.
      if ((pos >= 51 && pos < CentreValue) || (pos > CentreValue && pos < 60)) {
        x = m_gripHome + kGrab;
        m_value = CentreValue;
      } else {
        m_value = pos;
      }
      StartPaint(static_cast<float>(x - kGrab), static_cast<float>(y), false);
      ModPublic::ThumBarDragPos = Numbers::RoundToInt(x);
    }
  }
  emit MouseMove(Forms::ButtonFromQt(event->buttons()), Forms::ShiftFromQt(event->modifiers()), static_cast<float>(x),
                 static_cast<float>(y));
}

void ScrollControl::mouseReleaseEvent(QMouseEvent* event) {
  qzisDrag = false;
  m_hover = false;
  const QPointF at = event->position();
  emit MouseUp(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), static_cast<float>(at.x()),
               static_cast<float>(at.y()));
}

bool ScrollControl::CanvasBrowsing() const { return m_canvas == nullptr || m_canvas->Effect() == 0; }

void ScrollControl::keyPressEvent(QKeyEvent* event) {
  if (const std::optional<ShortcutKeys::Code> key = ShortcutKeys::CodeOf(*event)) {
    emit ShortcutKeyPressed(key->keyCode, key->shift);
  }
}

void ScrollControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_toggleButton->move(width() - ButtonWidth, 0);
  m_sizeButton->move(m_toggleButton->x() - ButtonWidth, 0);
  m_toggleButton->resize(ButtonWidth, height());
  m_sizeButton->resize(ButtonWidth, height());
  if (m_painted) {
    // The track stays in the middle and the grip where it was on it.
    const int oldTrackLeft = m_trackLeft;
    PlaceTrack();
    const int shift = m_trackLeft - oldTrackLeft;
    ModPublic::ThumBarDragPos += shift;
    StartPaint(m_gripRect.isEmpty() ? 0.0F : static_cast<float>(m_gripRect.left() + shift), 0, true);
  }
}

void ScrollControl::ReadProperties(const QVariantMap& bag) {
  SetMax(bag.value(QStringLiteral("Max"), QStringLiteral("10")).toString());
}

QVariantMap ScrollControl::WriteProperties() const { return {{QStringLiteral("Max"), Max()}}; }
