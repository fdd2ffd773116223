#include "platform/gdiplus/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QFontMetricsF>
#include <QTextLayout>

#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/StringFormat.h"

namespace Gdip {

namespace {

QString NormaliseBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

// Trailing spaces take no room in the measured width.
double VisibleWidth(const QFontMetricsF& metrics, const QString& line) {
  qsizetype end = line.size();
  while (end > 0 && line.at(end - 1).isSpace()) {
    --end;
  }
  return metrics.horizontalAdvance(line.left(end));
}

// The paragraph broken into lines no wider than the width, at word boundaries.
std::vector<QString> WrapParagraph(const QString& paragraph, const QFont& font, double width) {
  // A paragraph that fits as measured stays whole: Qt's line breaker also counts the
  // overhang of italic letters, which the measured width leaves out.
  if (VisibleWidth(QFontMetricsF(font), paragraph) <= width) {
    return {paragraph};
  }
  std::vector<QString> lines;
  QTextLayout layout(paragraph, font);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines.push_back(paragraph.mid(line.textStart(), line.textLength()));
  }
  layout.endLayout();
  if (lines.empty()) {
    lines.emplace_back();
  }
  return lines;
}

bool TrimsWithEllipsis(StringTrimming trimming) {
  return trimming == StringTrimming::EllipsisCharacter || trimming == StringTrimming::EllipsisWord ||
         trimming == StringTrimming::EllipsisPath;
}

Qt::TextElideMode ElideModeOf(StringTrimming trimming) {
  return trimming == StringTrimming::EllipsisPath ? Qt::ElideMiddle : Qt::ElideRight;
}

double AlignedOffset(StringAlignment alignment, double room) {
  switch (alignment) {
    case StringAlignment::Center:
      return room / 2.0;
    case StringAlignment::Far:
      return room;
    case StringAlignment::Near:
      break;
  }
  return 0.0;
}

// Where a box of a size goes along one axis of the layout rectangle.
double PlaceAlong(StringAlignment alignment, double start, double extent, double size) {
  if (extent > 0) {
    return start + AlignedOffset(alignment, extent - size);
  }
  return start - AlignedOffset(alignment, size);
}

}  // namespace

TextLayout LayoutString(const QString& text, const Font& font, const QRectF& layout, const StringFormat& format) {
  TextLayout result;
  result.box = QRectF(layout.topLeft(), QSizeF(0, 0));
  if (text.isEmpty()) {
    return result;
  }
  const QFont& qfont = font.ToQFont();
  const QFontMetricsF metrics(qfont);
  const double pad = format.IsTypographic() ? 0.0 : font.GetPixelSize() / 6.0;
  const bool limitedWidth = layout.width() > 0;
  // Half a pixel of slack, so that text drawn back into its own measured box fits the
  // box although line breaking and measuring round differently.
  const double room =
      limitedWidth ? std::max(0.0, layout.width() - 2.0 * pad + 0.5) : std::numeric_limits<double>::max();
  const bool wrap = limitedWidth && (format.GetFormatFlags() & StringFormatFlagsNoWrap) == 0;

  std::vector<QString> lines;
  std::vector<qsizetype> lineStarts;
  const QString normalised = NormaliseBreaks(text);
  qsizetype paragraphStart = 0;
  for (const QString& paragraph : normalised.split(QLatin1Char('\n'))) {
    qsizetype offset = paragraphStart;
    for (const QString& line : wrap ? WrapParagraph(paragraph, qfont, room) : std::vector<QString>{paragraph}) {
      lines.push_back(line);
      lineStarts.push_back(offset);
      offset += line.size();
    }
    paragraphStart += paragraph.size() + 1;
  }

  const double lineHeight = metrics.lineSpacing();
  const bool ellipsis = TrimsWithEllipsis(format.GetTrimming());
  if (layout.height() > 0) {
    const auto fit = static_cast<std::size_t>(std::max(1.0, std::floor(layout.height() / lineHeight + 1e-3)));
    if (lines.size() > fit) {
      lines.resize(fit);
      if (ellipsis) {
        // The last line that shows stands for all the text that no longer fits.
        QString rest = normalised.mid(lineStarts[fit - 1]);
        rest.replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines.back() = metrics.elidedText(rest, ElideModeOf(format.GetTrimming()), room);
      }
    }
  }
  double widest = 0;
  for (QString& line : lines) {
    if (ellipsis && limitedWidth && VisibleWidth(metrics, line) > room) {
      line = metrics.elidedText(line, ElideModeOf(format.GetTrimming()), room);
    }
    widest = std::max(widest, VisibleWidth(metrics, line));
  }

  double width = widest > 0 ? widest + 2.0 * pad : 0.0;
  if (limitedWidth) {
    width = std::min(width, layout.width());
  }
  const double height = lineHeight * static_cast<double>(lines.size());
  result.box = QRectF(PlaceAlong(format.GetAlignment(), layout.x(), layout.width(), width),
                      PlaceAlong(format.GetLineAlignment(), layout.y(), layout.height(), height), width, height);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const double lineWidth = VisibleWidth(metrics, lines[i]);
    const double x = result.box.x() + pad + AlignedOffset(format.GetAlignment(), widest - lineWidth);
    const double y = result.box.y() + lineHeight * static_cast<double>(i) + metrics.ascent();
    result.lines.push_back({lines[i], QPointF(x, y)});
  }
  return result;
}

}  // namespace Gdip
