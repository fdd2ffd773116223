#include "screensaver/FrmScreen.h"

#include <algorithm>

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "screensaver/ScrSettings.h"

namespace {

// Every picture of the screensaver fades in from alpha 100 in steps of 5: 32 draws.
constexpr int kScreensaverFadeStep = 5;
// A long wait is slept in slices, so the timer's int never overflows.
constexpr std::int64_t kLongestSleepMs = 60000;

}  // namespace

FrmScreen::FrmScreen(QStringList pictures, std::int64_t waitMs, const SlideshowCore::Clock& clock, bool endsOnInput,
                     QWidget* parent)
    : QWidget(parent),
      m_pictures(std::move(pictures)),
      m_waitMs(waitMs),
      m_clock(clock),
      m_endsOnInput(endsOnInput) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  m_pointerStart = QCursor::pos();
  m_timer.setSingleShot(true);
  connect(&m_timer, &QTimer::timeout, this, &FrmScreen::Step);
}

void FrmScreen::Start() {
  m_surface = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  m_surface.fill(Qt::black);
  m_index = 0;
  if (!m_pictures.isEmpty()) {
    ShowPicture();
  }
}

void FrmScreen::ShowPicture() {
  m_surface.fill(Qt::black);
  // A file that does not decode gives a black step; the show goes on after it.
  const std::unique_ptr<Gdip::Bitmap> bitmap = Gdip::LoadImageFromFile(m_pictures.at(m_index));
  m_picture = QImage();
  if (bitmap) {
    m_place = ScrSettings::ScreenFit(bitmap->Image().size(), m_surface.size());
    m_picture = bitmap->Image().scaled(m_place.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  m_fade.Begin(kScreensaverFadeStep);
  update();
  Schedule(Phase::Fading, SlideshowCore::kFrameMs);
}

void FrmScreen::Step() {
  switch (m_phase) {
    case Phase::Idle:
      return;
    case Phase::Loading:
      ShowPicture();
      return;
    case Phase::Fading:
      if (const std::optional<int> alpha = m_fade.Next()) {
        if (!m_picture.isNull()) {
          // The draws pile up, so the picture ends opaque.
          QPainter painter(&m_surface);
          painter.setOpacity(*alpha / 255.0);
          painter.drawImage(m_place.topLeft(), m_picture);
        }
        update();
        Schedule(Phase::Fading, SlideshowCore::kFrameMs);
        return;
      }
      // The core's wait counts in int; a long interval needs the 64-bit end.
      m_waitEnd = m_clock.NowMs() + m_waitMs;
      [[fallthrough]];
    case Phase::Waiting:
      if (m_clock.NowMs() < m_waitEnd) {
        Schedule(Phase::Waiting, std::min(m_waitEnd - m_clock.NowMs(), kLongestSleepMs));
        return;
      }
      m_index = SlideshowCore::NextInShow(m_index, int(m_pictures.size()));
      Schedule(Phase::Loading, SlideshowCore::kNextPictureMs);
      return;
  }
}

void FrmScreen::Schedule(Phase phase, std::int64_t ms) {
  m_phase = phase;
  m_timer.start(int(ms));
}

void FrmScreen::End() {
  if (m_ended) {
    return;
  }
  m_ended = true;
  m_timer.stop();
  m_phase = Phase::Idle;
  emit Ended();
}

void FrmScreen::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  painter.drawImage(event->rect(), m_surface, event->rect());
}

void FrmScreen::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Moves count from where the pointer was when the show took its size.
  m_pointerStart = QCursor::pos();
  // A preview whose window changes size starts its picture again at the new size.
  if (m_surface.isNull() || m_surface.size() == size() || m_ended) {
    return;
  }
  m_surface = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  m_surface.fill(Qt::black);
  if (!m_pictures.isEmpty()) {
    m_timer.stop();
    ShowPicture();
  }
}

void FrmScreen::mouseMoveEvent(QMouseEvent* event) {
  if (!m_endsOnInput) {
    return;
  }
  if (ScrSettings::PointerEndsShow(m_pointerStart, event->globalPosition().toPoint())) {
    End();
  }
}

void FrmScreen::mousePressEvent(QMouseEvent*) {
  if (m_endsOnInput) {
    End();
  }
}

void FrmScreen::keyPressEvent(QKeyEvent*) {
  if (m_endsOnInput) {
    End();
  }
}
