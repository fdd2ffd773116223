#pragma once
// The month picker of the side panel's calendar section: one month drawn by the calendar
// renderer over six translucent row bands, with four small buttons that step the year
// and the month. Moving over a day remembers it; every release is reported, and the host
// reads whether the pointer was on a day and which date is selected.

#include <array>
#include <functional>
#include <vector>

#include <QDate>
#include <QRectF>

#include "canvas/ClsCalendar.h"
#include "foundation/SkinSurface.h"

class UserCalender : public SkinSurface {
  Q_OBJECT

 public:
  enum Buttons { NextYear = 0, NextMonth = 1, PreviousMonth = 2, PreviousYear = 3 };
  using Today = std::function<QDate()>;

  // The picker opens on today's month; tests hand in a fixed day.
  explicit UserCalender(QWidget* parent = nullptr, const Today& today = &QDate::currentDate);

  // The left edge of the month for a control of that width: (width - 210) \ 2, which is
  // negative below 210 pixels.
  static int MonthLeft(int width);
  // The four navigation buttons, 16 x 16, by index.
  static std::array<QRectF, 4> ButtonRects(int width);

  int SelectedYear() const { return m_year; }
  int SelectedMonth() const { return m_month; }
  int SelectedDay() const { return m_day; }
  // Whether the pointer was on a day cell at the last move or release.
  bool DayUp() const { return m_dayHit; }
  // Where the last drawing put each day, day d + 1 at index d.
  const std::vector<QRectF>& DayCells() const { return m_dayCells; }

  // Draws the control; nothing before the imaging layer runs.
  void Painting();
  // Marks day Index + 1 as one the host can act on; draws nothing. Indexes outside 0..31
  // are ignored.
  void EnabledDays(int Index, bool Enabled);

 signals:
  void MouseUp(int Button, int Shift, float X, float Y);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // Tests the point against the buttons, then the days, and remembers what it is over.
  void HoverAt(QPointF point);
  void Step(int button);

  ClsCalendar m_calendar;
  std::vector<QRectF> m_dayCells;
  bool m_buttonHit = false;
  int m_hoverButton = 0;
  bool m_dayHit = false;
  int m_month;
  int m_year;
  int m_day;
};
