#pragma once
// The fit, fade and wait of a slideshow: where a picture sits, which alphas its fade-in
// draws, how long the show waits, and which picture comes next. The slideshow window and
// the screensaver both build on it, so it needs nothing of the program but Qt's core.

#include <cstdint>
#include <optional>
#include <vector>

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace SlideshowCore {

// A fade draws one alpha per display frame, so it is seen on any machine.
inline constexpr int kFrameMs = 16;
// The pause between the end of a wait and the next picture.
inline constexpr int kNextPictureMs = 25;
// The first alpha of every fade.
inline constexpr int kFirstAlpha = 100;
// The interval between pictures: 1000 to 8000 ms in whole seconds.
inline constexpr int kMinSpeed = 1000;
inline constexpr int kMaxSpeed = 8000;
inline constexpr int kSpeedStep = 1000;

// Where a picture of `source` size sits in `box`: never enlarged, its aspect kept,
// centred with an odd leftover pixel to the right and bottom, then moved down by
// `yShift` pixels (negative moves it up). An empty source gives an empty rectangle.
QRect FitPicture(QSize source, QSize box, int yShift);

// The alpha step of a fade for a picture of this size: 20, plus 10 when a side is above
// 1300, plus 20 more above 2000, plus 1 when a side is below 300. A picture held in
// memory passes an empty size and fades with 21.
int FadeStep(QSize source);
// The alphas a fade draws: from `first` up in `step`s while at most 255. The draws pile
// up, so the picture ends opaque though the last alpha is below 255.
std::vector<int> FadeAlphas(int first, int step);

// A stored interval brought onto the 1000-8000 ms scale (the nearest whole second; 0 and
// below give 1000).
int NormalizeSpeed(int stored);
// The "[-" and "+]" buttons: one second less or more, held inside 1000-8000.
int ShorterSpeed(int speed);
int LongerSpeed(int speed);

// The picture after `index` when the show moves on: back to the first after the last.
int NextInShow(int index, int count);
// The "Next" and "Back" buttons: held at the last and at the first picture.
int NextHeld(int index, int count);
int PreviousHeld(int index);

// Where the pictures of a show come from: the files selected on the sheet, or the
// sheet's whole list.
class PictureSource {
 public:
  virtual ~PictureSource() = default;
  virtual QStringList Selection() const = 0;
  // True when the selection's one file was chosen in the open dialog.
  virtual bool SelectionFromOpenDialog() const = 0;
  virtual int SheetCount() const = 0;
  virtual QString SheetFile(int index) const = 0;
};

// A selection of two or more files, or the one file chosen in the open dialog, is the
// show; anything less leaves the sheet's list to it.
bool ShowsSelection(const PictureSource& source);
int PictureCount(const PictureSource& source);
// The file at a position of the show; empty outside it.
QString PictureAt(const PictureSource& source, int index);

// Milliseconds from a steady clock. Tests give the show their own.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() const = 0;
};

// The monotonic clock of the machine: a wait is never cut short or stretched by a change
// of the wall clock, at midnight or otherwise.
class SteadyClock final : public Clock {
 public:
  std::int64_t NowMs() const override;
};

// One fade-in: the alphas still to draw.
class Fade {
 public:
  void Begin(int step);
  // The next alpha to draw; nothing once the fade has run out or was stopped.
  std::optional<int> Next();
  void Stop() { m_alphas.clear(); }
  bool Running() const { return m_next < m_alphas.size(); }

 private:
  std::vector<int> m_alphas;
  std::size_t m_next = 0;
};

// The wait between two pictures.
class Wait {
 public:
  void Begin(const Clock& clock, int ms);
  bool Over(const Clock& clock) const { return MsLeft(clock) <= 0; }
  std::int64_t MsLeft(const Clock& clock) const { return m_end - clock.NowMs(); }

 private:
  std::int64_t m_end = 0;
};

}  // namespace SlideshowCore
