#pragma once
// The slideshow window: frameless and full screen, black with blue stripes. It shows the
// selected pictures (or the sheet's list) one at a time, each faded in, and waits the
// interval between them; a move of the pointer pauses the show and brings up a bar with
// Exit, Back, Next and the interval. As a full view it shows one file or one image in
// memory, without timer, bar or custom pointer. The fade and the wait are steps of a
// timer, never a loop inside an event, so the window can close at any moment.

#include <array>

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include "windows/SlidePicture.h"
#include "windows/SlideshowCore.h"

class FrmSlideshow : public QWidget {
  Q_OBJECT

 public:
  // The bar's buttons, in the order they are laid out and hit-tested.
  enum BarButton { Exit, Back, Next, Shorter, Longer, kBarButtons };

  FrmSlideshow(bool fullView, const SlideshowCore::PictureSource& source, const SlideshowCore::Clock& clock,
               QWidget* owner = nullptr);
  ~FrmSlideshow() override;

  bool isFullView() const { return m_fullView; }

  // Shows one picture: the image when MemDIB is not null, else the file. With the bar
  // down it starts the fade (Speed receives its step) and returns true; with the bar up
  // it draws the picture at once under the bar and returns false, as it does once the
  // window is closing.
  bool StartSlideshow(const QString& Filename, const QImage* MemDIB, int& Speed);
  // Starts the show at the current picture; the caller shows the window first.
  void Start();
  // Stops the show for good: the timer off, the pointer back, the picture cleared.
  void Clean();
  // Starts the wait between two pictures; the show moves on when it is over.
  void DelayS(int mmSec);

  // One turn of the show's timer: the next fade step, the end of a wait, or the next picture.
  void Timer1_Timer();

  bool IsClosing() const { return m_closing; }
  bool IsBarShown() const { return m_barShown; }
  bool IsFading() const { return m_phase == Phase::Fading; }
  bool IsWaiting() const { return m_phase == Phase::Waiting; }
  int SlideIndex() const { return m_slideIndex; }
  // What the window shows: the striped background with everything drawn since the last clear.
  const QImage& Surface() const { return m_surface; }
  QRect ButtonRect(BarButton button) const { return m_buttonRects[button]; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum class Phase { Idle, NextPicture, Fading, Waiting };

  void LayoutBar();
  void PaintBackground();
  void ClearSurface();
  void Schedule(Phase phase, int ms);
  void ShowCurrent();
  void FadeStep();
  void EndWait();
  void Prepare(const QString& Filename, const QImage* MemDIB);
  void DrawPicture(int alpha);
  void DrawBar();
  int HitButton(QPointF point) const;
  void PressButton(int button);
  void PauseWithBar();
  void Resume(QPointF pointer);

  const bool m_fullView;
  const SlideshowCore::PictureSource& m_source;
  const SlideshowCore::Clock& m_clock;
  QTimer m_timer;
  Phase m_phase = Phase::Idle;
  SlideshowCore::Fade m_fade;
  SlideshowCore::Wait m_wait;
  bool m_closing = false;
  bool m_barShown = false;
  bool m_pointerSet = false;
  int m_slideIndex = 0;
  int m_hoverButton = -1;
  QPointF m_anchor;
  std::array<QRect, kBarButtons> m_buttonRects;
  QRect m_secondsRect;
  QImage m_background;
  QImage m_surface;
  // The current picture, and the file and window size it was made for.
  SlidePicture m_slide;
  QString m_slideFile;
  QSize m_slideBox;
};
