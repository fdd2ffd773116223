#include "windows/FrmSlideshow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "foundation/ModDraw.h"
#include "foundation/ModqzReg.h"
#include "foundation/SkinSurface.h"
#include "platform/gdiplus/GdipTypes.h"

using namespace SlideshowCore;

namespace {

// Only a move of more than this many pixels counts as the user reaching for the bar.
constexpr int kMoveThreshold = 3;
constexpr std::uint32_t kStripeThin = 0x82648EC8;   // ARGB(130, 100, 142, 200)
constexpr std::uint32_t kStripeThick = 0x96648EC8;  // ARGB(150, 100, 142, 200)
constexpr std::uint32_t kPlate = 0x64000000;         // black, alpha 100
constexpr std::uint32_t kPlateOutline = 0xC8FFFFFF;  // white, alpha 200
constexpr std::uint32_t kBarText = 0xC8FFFFFF;
const QString kFont = QStringLiteral("Tahoma");

const QString& Caption(int button) {
  static const std::array<QString, FrmSlideshow::kBarButtons> captions{"Exit", "Back", "Next", "[-", "+]"};
  return captions[std::size_t(button)];
}

}  // namespace

FrmSlideshow::FrmSlideshow(bool fullView, const PictureSource& source, const Clock& clock, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      m_fullView(fullView),
      m_source(source),
      m_clock(clock) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFont(QFont(kFont, 8));
  m_timer.setSingleShot(true);
  connect(&m_timer, &QTimer::timeout, this, &FrmSlideshow::Timer1_Timer);
  ModqzReg::SlideSpeed = NormalizeSpeed(ModqzReg::SlideSpeed);
  if (!m_fullView) {
    QGuiApplication::setOverrideCursor(SkinShapes::MousedCursor());
    m_pointerSet = true;
  }
}

FrmSlideshow::~FrmSlideshow() { Clean(); }

bool FrmSlideshow::StartSlideshow(const QString& Filename, const QImage* MemDIB, int& Speed) {
  if (m_closing) {
    return false;
  }
  if (m_surface.size() != size()) {
    LayoutBar();
    PaintBackground();
  }
  Prepare(Filename, MemDIB);
  ClearSurface();
  if (m_barShown) {
    DrawPicture(255);
    DrawBar();
    return false;
  }
  Speed = m_slide.FadeStep;
  m_fade.Begin(Speed);
  FadeStep();
  return true;
}

void FrmSlideshow::Start() {
  if (!m_fullView && !m_closing) {
    Schedule(Phase::NextPicture, kNextPictureMs);
  }
}

void FrmSlideshow::Clean() {
  if (m_pointerSet) {
    QGuiApplication::restoreOverrideCursor();
    m_pointerSet = false;
  }
  m_timer.stop();
  m_phase = Phase::Idle;
  m_fade.Stop();
  m_closing = true;
  m_surface.fill(Qt::black);
  update();
}

void FrmSlideshow::DelayS(int mmSec) {
  m_wait.Begin(m_clock, mmSec);
  Schedule(Phase::Waiting, std::max(mmSec, 0));
}

void FrmSlideshow::Timer1_Timer() {
  switch (m_phase) {
    case Phase::Idle:
      return;
    case Phase::NextPicture:
      ShowCurrent();
      return;
    case Phase::Fading:
      FadeStep();
      return;
    case Phase::Waiting:
      EndWait();
      return;
  }
}

void FrmSlideshow::Schedule(Phase phase, int ms) {
  m_phase = phase;
  m_timer.start(ms);
}

void FrmSlideshow::ShowCurrent() {
  m_phase = Phase::Idle;
  if (m_fullView || m_closing || m_barShown) {
    return;
  }
  int speed = 0;
  StartSlideshow(PictureAt(m_source, m_slideIndex), nullptr, speed);
}

void FrmSlideshow::FadeStep() {
  if (const std::optional<int> alpha = m_fade.Next()) {
    DrawPicture(*alpha);
    Schedule(Phase::Fading, kFrameMs);
  } else if (m_fullView) {
    m_phase = Phase::Idle;
  } else {
    DelayS(ModqzReg::SlideSpeed);
  }
}

void FrmSlideshow::EndWait() {
  if (!m_wait.Over(m_clock)) {
    Schedule(Phase::Waiting, int(m_wait.MsLeft(m_clock)));
    return;
  }
  m_slideIndex = NextInShow(m_slideIndex, PictureCount(m_source));
  Schedule(Phase::NextPicture, kNextPictureMs);
}

void FrmSlideshow::Prepare(const QString& Filename, const QImage* MemDIB) {
  if (MemDIB != nullptr) {
    m_slide = PrepareSlide(*MemDIB, size());
    m_slideFile.clear();
  } else if (Filename.isEmpty() || Filename != m_slideFile || size() != m_slideBox) {
    m_slide = PrepareSlide(Filename, size());
    m_slideFile = Filename;
  }
  m_slideBox = size();
}

void FrmSlideshow::DrawPicture(int alpha) {
  // The draws of a fade are not cleared in between: each lays the picture over the last.
  DrawSlide(m_surface, m_slide, alpha);
  update(m_slide.Place);
}

void FrmSlideshow::DrawBar() {
  for (int i = Exit; i <= Next; ++i) {
    const QRect& r = m_buttonRects[std::size_t(i)];
    ModGDI::DrawRoundRectGradient(m_surface, 0, 0, r.height(), float(r.x()), float(r.y()), float(r.width()),
                                  float(r.height()), 10, 10, kPlate, kPlate, false, 2, kPlateOutline);
    ModGDI::DrawTextGdip(m_surface, Caption(i), float(r.x() + 20), float(r.y() + 10), kFont, 8, kBarText,
                         Gdip::FontStyleBold, false, 90);
  }
  for (int i = Shorter; i <= Longer; ++i) {
    const QRect& r = m_buttonRects[std::size_t(i)];
    ModGDI::DrawTextGdip(m_surface, Caption(i), float(r.x()), float(r.y()), kFont, 8, kBarText, Gdip::FontStyleBold,
                         false, 20);
  }
  const QString seconds = QString::number(ModqzReg::SlideSpeed / 1000) + QStringLiteral(" Seconds");
  ModGDI::DrawTextGdip(m_surface, seconds, float(m_secondsRect.x()), float(m_secondsRect.y()), kFont, 8, kBarText,
                       Gdip::FontStyleBold, false, m_secondsRect.width());
  update();
}

void FrmSlideshow::LayoutBar() {
  m_buttonRects[Exit] = QRect(width() - 360, height() - 50, 50, 20);
  m_buttonRects[Back] = m_buttonRects[Exit].translated(80, 0);
  m_buttonRects[Next] = m_buttonRects[Back].translated(80, 0);
  const QRect& next = m_buttonRects[Next];
  m_buttonRects[Shorter] = QRect(next.x() + 90, next.y() + 10, 20, 20);
  m_buttonRects[Longer] = m_buttonRects[Shorter].translated(80, 0);
  m_secondsRect = QRect(m_buttonRects[Shorter].x() + 15, m_buttonRects[Shorter].y(), 100, 20);
}

void FrmSlideshow::PaintBackground() {
  // The stripes stay in memory: every clear of the window copies them back.
  m_background = QImage(size(), QImage::Format_ARGB32_Premultiplied);
  m_background.fill(Qt::black);
  ModGDI::DrawStripes(m_background, kStripeThin, kStripeThick, 0, float(width()), float(height()));
}

void FrmSlideshow::ClearSurface() {
  m_surface = m_background.copy();
  update();
}

int FrmSlideshow::HitButton(QPointF point) const {
  for (int i = 0; i < kBarButtons; ++i) {
    const QRect& r = m_buttonRects[std::size_t(i)];
    if (SkinShapes::HitRect(QRectF(r.x(), r.y(), r.width() + 30, r.height() + 10), point)) {
      return i;
    }
  }
  return -1;
}

void FrmSlideshow::PauseWithBar() {
  m_barShown = true;
  m_fade.Stop();
  m_timer.stop();
  m_phase = Phase::Idle;
  int speed = 0;
  StartSlideshow(PictureAt(m_source, m_slideIndex), nullptr, speed);
}

void FrmSlideshow::Resume(QPointF pointer) {
  m_anchor = pointer;
  if (m_barShown) {
    // The bar stays on screen until the current picture fades in again.
    m_barShown = false;
    m_hoverButton = -1;
    Start();
  }
}

void FrmSlideshow::PressButton(int button) {
  switch (button) {
    case Exit:
      close();
      return;
    case Back:
      m_slideIndex = PreviousHeld(m_slideIndex);
      break;
    case Next:
      m_slideIndex = NextHeld(m_slideIndex, PictureCount(m_source));
      break;
    case Shorter:
      ModqzReg::SlideSpeed = ShorterSpeed(ModqzReg::SlideSpeed);
      break;
    case Longer:
      ModqzReg::SlideSpeed = LongerSpeed(ModqzReg::SlideSpeed);
      break;
  }
  int speed = 0;
  StartSlideshow(PictureAt(m_source, m_slideIndex), nullptr, speed);
}

void FrmSlideshow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  painter.drawImage(event->rect(), m_surface, event->rect());
}

void FrmSlideshow::resizeEvent(QResizeEvent*) {
  m_anchor = QCursor::pos();
  LayoutBar();
  PaintBackground();
  ClearSurface();
}

void FrmSlideshow::mouseMoveEvent(QMouseEvent* event) {
  unsetCursor();
  const QPointF moved = event->globalPosition() - m_anchor;
  // Signed on purpose: only a move right or down brings up the bar.
  if ((moved.x() <= kMoveThreshold && moved.y() <= kMoveThreshold) || m_fullView || m_closing) {
    return;
  }
  m_hoverButton = HitButton(event->position());
  if (m_hoverButton >= 0) {
    setCursor(SkinShapes::MousedCursor());
  }
  PauseWithBar();
}

void FrmSlideshow::mouseReleaseEvent(QMouseEvent* event) {
  if (m_barShown && m_hoverButton >= 0) {
    PressButton(m_hoverButton);
    return;
  }
  Resume(event->globalPosition());
}

void FrmSlideshow::mouseDoubleClickEvent(QMouseEvent*) {
  if (!m_barShown) {
    close();
  }
}

void FrmSlideshow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
  }
}

void FrmSlideshow::closeEvent(QCloseEvent* event) {
  Clean();
  event->accept();
}
