#include "controls/UserCalender.h"

#include <algorithm>
#include <memory>

#include <QMouseEvent>

#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"

namespace {

using ModGDI::MakeARGB;

constexpr int kMonthWidth = 210;
constexpr int kButtonRightInset = 180;
constexpr float kButtonTop = 30;
constexpr float kButtonSide = 16;
// Each button's distance left of the next-year button.
constexpr std::array<float, 4> kButtonOffsets{0, 21, 42, 64};
constexpr int kBands = 6;
constexpr float kFirstBandTop = 83;
constexpr float kBandPitch = 22;
constexpr float kBandHeight = 10;
constexpr float kBandArc = 10;
constexpr float kBandRightInset = 20;
constexpr std::uint32_t kBandColour = MakeARGB(20, 0, 0, 0);
constexpr std::uint32_t kBandPen = MakeARGB(150, 255, 255, 255);
constexpr float kMonthTop = 20;
constexpr int kMonthHinterval = 25;
constexpr int kMonthVinterval = 2;
const QColor kBackColour(238, 238, 238);

QString ButtonImagePath(int index) {
  return ModPublic::ProgramFolder() + QStringLiteral("Datas/Calbutton%1.png").arg(index);
}

}  // namespace

UserCalender::UserCalender(QWidget* parent, const Today& today) : SkinSurface(parent) {
  const QDate now = today();
  m_month = now.month();
  m_year = now.year();
  m_day = now.day();
  m_calendar.SetSimple(true);
  m_calendar.SetYears(m_year);
  m_calendar.SetMonths(m_month);
  m_calendar.SetFontSize(12);
  m_calendar.SetRowInterval(6);
  m_calendar.SetTextRender(1);
  setMouseTracking(true);
}

int UserCalender::MonthLeft(int width) { return (width - kMonthWidth) / 2; }

std::array<QRectF, 4> UserCalender::ButtonRects(int width) {
  const float x0 = float(MonthLeft(width) + kButtonRightInset);
  std::array<QRectF, 4> rects{};
  for (std::size_t i = 0; i < rects.size(); ++i) {
    rects[i] = QRectF(x0 - kButtonOffsets[i], kButtonTop, kButtonSide, kButtonSide);
  }
  return rects;
}

void UserCalender::EnabledDays(int Index, bool Enabled) { m_calendar.Enabled(Index, Enabled); }

void UserCalender::Painting() {
  if (ModPublic::GdiplusToken == 0) {
    return;
  }
  const int W = width();
  const auto L = float(MonthLeft(W));
  ClearBackBuffer(kBackColour);
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  const auto buttons = ButtonRects(W);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    // A missing picture leaves its square empty; the button still reacts.
    if (const auto image = Gdip::LoadImageFromFile(ButtonImagePath(int(i)))) {
      g->DrawImage(*image, buttons[i]);
    }
  }
  for (int k = 0; k < kBands; ++k) {
    const float top = kFirstBandTop + kBandPitch * float(k);
    ModGDI::DrawRoundRectGradient(*g, 0, int(top), int(top + kBandHeight), L, top, float(W) - 2 * L - kBandRightInset,
                                  kBandHeight, kBandArc, kBandArc, kBandColour, kBandColour, false, 1, kBandPen);
  }
  m_calendar.DrawCalendar(*g, L, kMonthTop, kMonthHinterval, kMonthVinterval, false);
  // The renderer's day list is shared with every compact month; keep this one's own copy.
  m_dayCells = CalendarDays;
  RefreshBackBuffer();
}

void UserCalender::HoverAt(QPointF point) {
  m_buttonHit = false;
  const auto buttons = ButtonRects(width());
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    if (SkinShapes::HitRect(buttons[i], point)) {
      m_buttonHit = true;
      m_hoverButton = int(i);
      break;
    }
  }
  // Over a button the pointer is on no day, so a navigation click never reports one.
  m_dayHit = false;
  for (std::size_t d = 0; !m_buttonHit && d < m_dayCells.size(); ++d) {
    if (SkinShapes::HitRect(m_dayCells[d], point)) {
      m_dayHit = true;
      m_day = int(d) + 1;
      break;
    }
  }
  ShowMoused(m_buttonHit || m_dayHit);
}

void UserCalender::mouseMoveEvent(QMouseEvent* event) {
  if (ModPublic::GdiplusToken != 0) {
    HoverAt(event->position());
  }
}

void UserCalender::Step(int button) {
  switch (button) {
    case NextYear: ++m_year; break;
    case NextMonth: ++m_month; break;
    case PreviousMonth: --m_month; break;
    default: --m_year; break;
  }
  // The month stops at either end of the year rather than rolling the year over.
  m_month = std::clamp(m_month, 1, 12);
  m_calendar.SetMonths(m_month);
  m_calendar.SetYears(m_year);
  Painting();
}

void UserCalender::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (ModPublic::GdiplusToken != 0) {
    HoverAt(at);
    if (m_buttonHit) {
      Step(m_hoverButton);
    }
  }
  emit MouseUp(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), float(at.x()),
               float(at.y()));
}
