#include "canvas/ClsCalendar.h"

#include <QDate>

#include "foundation/ModDraw.h"
#include "platform/gdiplus/Graphics.h"

namespace {

constexpr int kTitleGrowth = 15;  // the title is this much larger than the body
constexpr int kBold = 2;           // the bold entry of the text drawing's style list
constexpr float kPlainDayOpacity = 100;
constexpr float kCompactTitleDrop = 10;
constexpr float kHeaderIndent = 5;
constexpr float kGridIndent = 8;
constexpr float kDayCellSide = 16;
constexpr int kRows = 6;
constexpr int kColumns = 7;

}  // namespace

ClsCalendar::ClsCalendar() : m_months(QDate::currentDate().month()), m_years(QDate::currentDate().year()) {
  CalendarDays.assign(32, QRectF());
}

QString ClsCalendar::Title(int month, int year) {
  static const char* const kMonths[] = {"Jan", "Feb", "March", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep",   "Oct", "Nov", "Dec"};
  if (month < 1 || month > 12) {
    return {};
  }
  return QString::fromLatin1(kMonths[month - 1]) + QLatin1Char(' ') + QString::number(year);
}

QStringList ClsCalendar::Headers(bool simple) {
  if (simple) {
    return {" S", " M", " T", " W", " T", " F", " S"};
  }
  return {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
}

ClsCalendar::MonthFacts ClsCalendar::FactsOf(int month, int year) {
  // Worked out from the date itself, so any language and the Gregorian leap rule hold.
  const QDate first = QDate(year, 1, 1).addMonths(month - 1);
  if (!first.isValid()) {
    return {};
  }
  return {first.dayOfWeek() % kColumns + 1, first.daysInMonth()};
}

void ClsCalendar::Enabled(int Index, bool new_E) {
  if (Index >= 0 && Index < int(m_dayFlags.size())) {
    m_dayFlags[std::size_t(Index)] = new_E;
  }
}

void ClsCalendar::DrawText(Gdip::Graphics& graphics, const QString& text, float x, float y, int size, int style,
                           float opacity) {
  ModGDI::DrawCanvasText(graphics, text, x, y, m_font, size, style, m_textRender, m_fontColor, opacity);
}

void ClsCalendar::DrawCalendar(Gdip::Graphics& graphics, float L, float T, int Hinterval, int Vinterval,
                               bool isExport) {
  if (!isExport || m_cell.isEmpty()) {
    m_cell = ModGDI::MeasureCanvasText(graphics, QStringLiteral("Mod"), m_font, m_fontSize, m_fontStyle);
  }
  const auto cw = float(m_cell.width());
  const auto ch = float(m_cell.height());
  const QString title = Title(m_months, m_years);
  if (!title.isEmpty()) {
    m_titleBox = ModGDI::MeasureCanvasText(graphics, title, m_font, m_fontSize + kTitleGrowth, m_fontStyle);
    if (m_simple) {
      DrawText(graphics, title, L, T + kCompactTitleDrop, m_fontSize, kBold, m_opacity);
    } else {
      DrawText(graphics, title, L, T, m_fontSize + kTitleGrowth, m_fontStyle, m_opacity);
    }
  }
  float x = L + kHeaderIndent;
  const float y = T + ch + float(Hinterval);
  for (const QString& header : Headers(m_simple)) {
    DrawText(graphics, header, x, y, m_fontSize, m_simple ? kBold : m_fontStyle, m_opacity);
    x += cw + float(Vinterval);
  }
  m_width = (cw + float(Vinterval)) * kColumns;
  m_height = kRows * ch + float(m_titleBox.height()) + float(Hinterval) + ch;
  DrawGrid(graphics, L, y + float(Hinterval), Vinterval);
}

void ClsCalendar::DrawGrid(Gdip::Graphics& graphics, float L, float y, int Vinterval) {
  const MonthFacts facts = FactsOf(m_months, m_years);
  const float step = float(m_cell.width()) + float(Vinterval);
  int column = facts.firstWeekday - 1;
  int day = 1;
  for (int row = 0; row < kRows; ++row) {
    float x = L + kGridIndent + step * float(column);
    for (; column < kColumns; ++column, ++day, x += step) {
      if (day > facts.days) {
        continue;
      }
      const QString number = QString::number(day);
      const int k = day - 1;
      if (!m_simple) {
        DrawText(graphics, number, x, y, m_fontSize, m_fontStyle, m_opacity);
        continue;
      }
      const bool flagged = m_dayFlags[std::size_t(k)];
      DrawText(graphics, number, x, y, m_fontSize, flagged ? kBold : m_fontStyle,
               flagged ? m_opacity : kPlainDayOpacity);
      CalendarDays.resize(std::size_t(k) + 1);
      CalendarDays[std::size_t(k)] = QRectF(x, y, kDayCellSide, kDayCellSide);
    }
    column = 0;
    y += float(m_cell.height()) + float(m_rowInterval);
  }
}
