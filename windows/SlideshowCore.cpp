#include "windows/SlideshowCore.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace SlideshowCore {

QRect FitPicture(QSize source, QSize box, int yShift) {
  if (source.width() <= 0 || source.height() <= 0) {
    return {};
  }
  double w = source.width();
  double h = source.height();
  if (w > box.width() || h > box.height()) {
    const double rw = double(box.width()) / w;
    const double rh = double(box.height()) / h;
    const double ratio = std::min(rw, rh);
    w = rw < rh ? double(box.width()) : ratio * w;
    h = rw < rh ? ratio * h : double(box.height());
  }
  // Rounded half to even, then halved toward zero: the odd pixel goes right and down.
  const long x = std::lrint(box.width() - w) / 2;
  const long y = std::lrint(box.height() - h) / 2;
  return QRect(int(x), int(y) + yShift, int(std::lrint(w)), int(std::lrint(h)));
}

int FadeStep(QSize source) {
  const int longest = std::max(source.width(), source.height());
  const int shortest = std::min(source.width(), source.height());
  int step = 20;
  if (longest > 1300) {
    step += 10;
  }
  if (longest > 2000) {
    step += 20;
  }
  if (shortest < 300) {
    step += 1;
  }
  return step;
}

std::vector<int> FadeAlphas(int first, int step) {
  std::vector<int> alphas;
  for (int alpha = first; step > 0 && alpha <= 255; alpha += step) {
    alphas.push_back(alpha);
  }
  return alphas;
}

int NormalizeSpeed(int stored) {
  const int seconds = (std::clamp(stored, kMinSpeed, kMaxSpeed) + kSpeedStep / 2) / kSpeedStep;
  return seconds * kSpeedStep;
}

int ShorterSpeed(int speed) { return std::max(NormalizeSpeed(speed) - kSpeedStep, kMinSpeed); }
int LongerSpeed(int speed) { return std::min(NormalizeSpeed(speed) + kSpeedStep, kMaxSpeed); }

int NextInShow(int index, int count) { return index + 1 < count ? index + 1 : 0; }
int NextHeld(int index, int count) { return std::max(std::min(index + 1, count - 1), 0); }
int PreviousHeld(int index) { return std::max(index, 1) - 1; }

bool ShowsSelection(const PictureSource& source) {
  const qsizetype selected = source.Selection().size();
  return selected > 1 || (selected == 1 && source.SelectionFromOpenDialog());
}

int PictureCount(const PictureSource& source) {
  return ShowsSelection(source) ? int(source.Selection().size()) : source.SheetCount();
}

QString PictureAt(const PictureSource& source, int index) {
  if (index < 0 || index >= PictureCount(source)) {
    return {};
  }
  return ShowsSelection(source) ? source.Selection().at(index) : source.SheetFile(index);
}

std::int64_t SteadyClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Fade::Begin(int step) {
  m_alphas = FadeAlphas(kFirstAlpha, step);
  m_next = 0;
}

std::optional<int> Fade::Next() {
  if (!Running()) {
    return std::nullopt;
  }
  return m_alphas[m_next++];
}

void Wait::Begin(const Clock& clock, int ms) { m_end = clock.NowMs() + ms; }

}  // namespace SlideshowCore
