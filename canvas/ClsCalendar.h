#pragma once
// One month drawn as a small calendar: a title with the month's name and the year, a row
// of weekday headers and six rows of day numbers. The canvas's calendar layer draws the
// full form; the side panel's picker the compact one, whose day cells it hit-tests.

#include <array>
#include <cstdint>
#include <vector>

#include <QRectF>
#include <QString>
#include <QStringList>

namespace Gdip {
class Graphics;
}

// The day cells of the last compact drawing: entry k is where day k + 1 was drawn, 16 x 16.
inline std::vector<QRectF> CalendarDays;

class ClsCalendar {
 public:
  // The month and year of today; resets CalendarDays to 32 empty cells.
  ClsCalendar();

  // Draws the month with its top-left at (L, T). Hinterval is the gap below the title and
  // below the headers, Vinterval the gap after each column. An export draws with the
  // cell measured by the last drawing (measured here when there was none).
  void DrawCalendar(Gdip::Graphics& graphics, float L, float T, int Hinterval, int Vinterval, bool isExport);
  // Flags day Index + 1 for emphasis in the compact form; indexes outside 0..31 are ignored.
  void Enabled(int Index, bool new_E);

  void SetRowInterval(int new_H) { m_rowInterval = new_H; }
  float Width() const { return m_width; }
  float Height() const { return m_height; }
  void SetMonths(int value) { m_months = value; }
  void SetYears(int value) { m_years = value; }
  void SetTextRender(int new_R) { m_textRender = new_R; }
  int FontSize() const { return m_fontSize; }
  void SetFontSize(int value) { m_fontSize = value; }
  void SetFont(const QString& new_F) { m_font = new_F; }
  // A list index of the text drawing's styles: 0 regular, 1 italic, 2 bold ...
  void SetFontStyle(int new_F) { m_fontStyle = new_F; }
  // ARGB colour of all text.
  void SetFontColor(std::uint32_t new_F) { m_fontColor = new_F; }
  void SetOpacity(int new_F) { m_opacity = float(new_F); }
  bool Simple() const { return m_simple; }
  void SetSimple(bool value) { m_simple = value; }

  // The month's title ("March 2024"), empty for a month outside 1..12.
  static QString Title(int month, int year);
  // The weekday headers, Sunday first, of the full or the compact form.
  static QStringList Headers(bool simple);
  // The first weekday (1 Sunday to 7 Saturday) and the number of days of a month; a
  // month outside 1..12 counts on from January of the year.
  struct MonthFacts {
    int firstWeekday = 1;
    int days = 0;
  };
  static MonthFacts FactsOf(int month, int year);

 private:
  void DrawText(Gdip::Graphics& graphics, const QString& text, float x, float y, int size, int style, float opacity);
  void DrawGrid(Gdip::Graphics& graphics, float L, float y, int Vinterval);

  int m_months;
  int m_years;
  QString m_font = QStringLiteral("Tahoma");
  int m_fontSize = 15;
  int m_fontStyle = 0;
  int m_textRender = 0;
  std::uint32_t m_fontColor = 0;
  float m_opacity = 255;
  bool m_simple = false;
  int m_rowInterval = 0;
  float m_width = 0;
  float m_height = 0;
  std::array<bool, 32> m_dayFlags{};
  QRectF m_cell;
  QRectF m_titleBox;
};
