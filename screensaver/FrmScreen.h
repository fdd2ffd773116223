#pragma once
// The screensaver's show: each picture of the set fitted on black, faded in, held for the
// interval, then the next, round and round. Every wait is a step of one single-shot timer.

#include <cstdint>

#include <QImage>
#include <QPoint>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "windows/SlideshowCore.h"

class FrmScreen : public QWidget {
  Q_OBJECT

 public:
  enum class Phase { Idle, Loading, Fading, Waiting };

  // `endsOnInput` is the full-screen show's: a pointer move of more than 3 px, a key or a
  // click ends it. The preview ends only with the window it lives in.
  FrmScreen(QStringList pictures, std::int64_t waitMs, const SlideshowCore::Clock& clock, bool endsOnInput,
            QWidget* parent = nullptr);

  // Shows the first picture; an empty set leaves the screen black.
  void Start();
  // One step of the show; the timer calls it, tests call it directly.
  void Step();
  Phase CurrentPhase() const { return m_phase; }
  int CurrentIndex() const { return m_index; }
  const QImage& Surface() const { return m_surface; }

 signals:
  void Ended();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowPicture();
  void Schedule(Phase phase, std::int64_t ms);
  void End();

  QStringList m_pictures;
  std::int64_t m_waitMs;
  const SlideshowCore::Clock& m_clock;
  bool m_endsOnInput;
  Phase m_phase = Phase::Idle;
  int m_index = 0;
  QImage m_surface;
  QImage m_picture;
  QRect m_place;
  SlideshowCore::Fade m_fade;
  std::int64_t m_waitEnd = 0;
  QTimer m_timer;
  QPoint m_pointerStart;
  bool m_ended = false;
};
