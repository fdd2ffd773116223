// The print window's painting: panels, items, texts, the page counter and the preview,
// all drawn into the window's back buffer.
#include <QPainter>

#include "foundation/ModDraw.h"
#include "foundation/Numbers.h"
#include "platform/forms/HourglassCursor.h"
#include "windows/FrmPrinter.h"

using namespace PrintWindowLayout;

namespace {

constexpr std::uint32_t kPanelFill = 0x0A000000;       // ARGB(10, 0, 0, 0)
constexpr std::uint32_t kPreviewFill = 0x1E000000;     // ARGB(30, 0, 0, 0)
constexpr std::uint32_t kPanelOutline = 0x32000000;    // ARGB(50, 0, 0, 0)
constexpr std::uint32_t kPanelHighlight = 0x96FFFFFF;  // ARGB(150, 255, 255, 255)
constexpr std::uint32_t kCopiesOutline = 0xFFFFB600;   // ARGB(255, 255, 182, 0)
constexpr std::uint32_t kHeading = 0xFFB20000;         // ARGB(255, 178, 0, 0)
constexpr std::uint32_t kFacts = 0xC8000000;           // ARGB(200, 0, 0, 0)
constexpr std::uint32_t kCopiesText = 0x96000000;      // ARGB(150, 0, 0, 0)
constexpr int kTextWidth = 200;

const QString kTahoma = QStringLiteral("Tahoma");

// A rounded panel in one colour; the box spans 20 wider and 10 taller than (w, h).
void Panel(QImage& surface, float x, float y, float w, float h, std::uint32_t fill, std::uint32_t outline,
           int penWidth = 1) {
  ModGDI::DrawRoundRectGradient(surface, 0, 0, surface.height(), x, y, w, h, 10, 10, fill, fill, false, penWidth,
                                outline);
}

// Text in another size or font than the items' labels.
void Text(QImage& surface, const QString& text, double x, double y, int points, std::uint32_t colour,
          const QString& font = kTahoma) {
  ModGDI::DrawTextGdip(surface, text, static_cast<float>(x), static_cast<float>(y), font, points, colour, 0, false,
                       kTextWidth);
}

// The settings panel's right edge (its box spans 20 beyond its 240-pixel width), less a
// margin, and the distance between two lines of labels.
constexpr float kSettingsRight = 274;
constexpr float kLineHeight = 13;

// The printer's facts, broken after the paper's size where the resolution would run out of
// the settings panel.
void DrawFacts(QImage& surface, const QString& facts, float x, float y) {
  const qsizetype sizeEnd = facts.indexOf(QStringLiteral(" Cm ")) + 3;
  if (sizeEnd < 3 || x + DrawnItems::LabelWidth(facts) <= kSettingsRight) {
    DrawnItems::DrawItemLabel(surface, facts, x, y, kFacts);
    return;
  }
  DrawnItems::DrawItemLabel(surface, facts.left(sizeEnd), x, y, kFacts);
  DrawnItems::DrawItemLabel(surface, facts.mid(sizeEnd + 1), x, y + kLineHeight, kFacts);
}

void Icon(QImage& surface, const QImage& icon, QRectF target) {
  if (!icon.isNull()) {
    QPainter(&surface).drawImage(target, icon);
  }
}

}  // namespace

void FrmPrinter::PaintPrintWindow() {
  QImage& surface = BackBuffer();
  surface.fill(QColor::fromRgba(DrawnItems::kPanel));
  PaintPanels(surface);
  PaintItems(surface);
  PaintTexts(surface);
  ShowPrintPreview(0);
}

void FrmPrinter::PaintPanels(QImage& surface) const {
  const auto W = static_cast<float>(width());
  const auto H = static_cast<float>(height());
  Panel(surface, 20, 60, 240, H - 140, kPanelFill, kPanelOutline);
  Panel(surface, 21, 61, 238, H - 142, kPanelFill, kPanelHighlight);
  Panel(surface, 300, 60, W - 340, H - 140, kPanelFill, kPanelOutline);
  Panel(surface, 301, 61, W - 342, H - 143, kPreviewFill, kPanelHighlight, 2);
}

void FrmPrinter::PaintItems(QImage& surface) const {
  for (int item = 0; item < kItemCount; ++item) {
    const QRectF& r = m_items[static_cast<std::size_t>(item)];
    if (item == kCopies) {
      QPainter painter(&surface);
      painter.setPen(QColor::fromRgba(kCopiesOutline));
      painter.setBrush(Qt::white);
      painter.drawRect(QRectF(r.left(), r.top() + 25, r.width(), 15));
      painter.end();
      DrawnItems::DrawItemLabel(surface, ItemLabel(item), float(r.left()), float(r.top()));
      Icon(surface, m_icons[kCopies], QRectF(QPointF(50, r.top() + 6), m_icons[kCopies].size()));
      continue;
    }
    DrawnItems::DrawItemBox(surface, r, kNormal);
    DrawItemFace(surface, item, false);
    if (item < kCopies) {
      DrawnItems::DrawItemLabel(surface, ItemLabel(item), float(r.left() + 80), float(r.top() + 10));
    }
  }
}

void FrmPrinter::PaintTexts(QImage& surface) {
  const QRectF& setup = m_items[kPrinterSetup];
  const int dpi = m_printer.Resolution();
  m_factsShown = FactsLine(m_printer.PrintableMillimetres(), dpi, dpi);
  DrawFacts(surface, m_factsShown, float(setup.left() + 80), float(setup.top() + 30));

  const double etched = m_items[kChoosePrinter].top() - 30;
  ModGDI::DrawLineGdip(surface, 40, static_cast<float>(etched), 260, static_cast<float>(etched), 1, 1, 0, 0);

  const double headings = m_items[kFitToPage].top() - 40;
  Text(surface, QStringLiteral("Print Settings:"), 40, headings, 10, kHeading);
  Text(surface, QStringLiteral("Print Preview:"), 310, headings, 10, kHeading);

  const QRectF& copies = m_items[kCopies];
  DrawnItems::DrawItemLabel(surface, QStringLiteral(" Copies"), float(copies.left() + copies.width() + 30),
                            float(copies.top() + Numbers::RoundToInt(copies.height()) / 2 + 20), kCopiesText);
}

void FrmPrinter::DrawPrintItem(int index, DrawnItems::Gradient colours, bool pressed) {
  if (index < 0 || index >= kItemCount || index == kCopies) {
    return;
  }
  QImage& surface = BackBuffer();
  DrawnItems::DrawItemBox(surface, m_items[static_cast<std::size_t>(index)], colours);
  DrawItemFace(surface, index, pressed);
}

// What an item shows over its box: its icon, a pixel lower while pressed, or the label
// of the three text buttons.
void FrmPrinter::DrawItemFace(QImage& surface, int index, bool pressed) const {
  const QRectF& r = m_items[static_cast<std::size_t>(index)];
  const double drop = pressed ? 7 : 6;
  if (index < kCopies) {
    const QImage& icon = m_icons[static_cast<std::size_t>(index)];
    Icon(surface, icon, QRectF(QPointF(50, r.top() + drop), icon.size()));
  } else if (index == kNextSheet || index == kPreviousSheet) {
    const QImage& arrow = m_icons[index == kNextSheet ? 6 : 7];
    Icon(surface, arrow, QRectF(r.left() + 5, r.top() + drop, 16, 16));
  } else {
    DrawnItems::DrawItemLabel(surface, ItemLabel(index), float(r.left() + 20), float(r.top() + 10));
  }
}

void FrmPrinter::DrawPageCounter() {
  QImage& surface = BackBuffer();
  const QRectF& next = m_items[kNextSheet];
  QPainter(&surface).fillRect(QRectF(next.left() - 50, next.top() + 6, 40, 20), QColor::fromRgba(DrawnItems::kPanel));
  Text(surface, PageCounterText(m_shownPage, m_lastPage), next.left() - 55, next.top() + 8, 8, kFacts,
       QStringLiteral("Arial"));
}

void FrmPrinter::ShowPrintPreview(int page) {
  const Forms::HourglassCursor busy;
  const PrintComposition::PrintComposer& composer = Composer();
  m_lastPage = composer.LastPage();
  m_shownPage = composer.ClampPage(page);
  DrawPageCounter();
  const QImage sheet = composer.ComposeSheet(m_shownPage);
  const QRectF paper = PreviewPaperRect(m_printer.PaperTwips(), width(), height());
  QPainter painter(&BackBuffer());
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.fillRect(paper, Qt::white);
  painter.drawImage(paper, sheet);
  painter.end();
  RefreshBackBuffer();
}
