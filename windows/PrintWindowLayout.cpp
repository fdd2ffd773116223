#include "windows/PrintWindowLayout.h"

#include "foundation/GdiDIB.h"
#include "foundation/Numbers.h"
#include "platform/forms/Twips.h"

namespace PrintWindowLayout {

namespace {

// The preview panel starts 315 right and 75 down of the fitted paper's own origin.
constexpr double kPreviewLeft = 315;
constexpr double kPreviewTop = 75;

}  // namespace

ItemRects LayoutPrintItems(int W, int H) {
  ItemRects r{};
  r[kFitToPage] = {40, 120, 25, 25};
  r[kFullPage] = {40, r[kFitToPage].top() + 25 + 30, 25, 25};
  r[kThumbnail] = {40, r[kFullPage].top() + 25 + 30, 25, 25};
  r[kChoosePrinter] = {40, r[kThumbnail].top() + 25 + 70, 35, 25};
  r[kPrinterSetup] = {40, r[kChoosePrinter].top() + 25 + 30, 25, 25};
  r[kCopies] = {120, r[kPrinterSetup].top() + 25 + 50, 30, 20};
  r[kCancel] = {W - 110.0, H - 50.0, 70, 20};
  r[kPrint] = {W - 210.0, H - 50.0, 70, 20};
  r[kHelp] = {W - 290.0, H - 50.0, 50, 20};
  // Whole-number division of the rounded width: the arrows sit on whole pixels.
  const double next = static_cast<double>(Numbers::RoundHalfEven(W - 360.0) / 2 + 360);
  r[kNextSheet] = {next, H - 110.0, 8, 15};
  r[kPreviousSheet] = {next - 100, H - 110.0, 8, 15};
  return r;
}

QString ItemLabel(int item) {
  static const QString labels[kItemCount] = {
      QStringLiteral("Fit to Page..."),       QStringLiteral("Full Page..."),     QStringLiteral("Thumbnail..."),
      QStringLiteral("Choose Printer..."),    QStringLiteral("Printer Setup..."), QStringLiteral("Copies Per Picture..."),
      QStringLiteral("Cancel..."),            QStringLiteral("Print..."),         QStringLiteral("Help"),
      QString(),                              QString()};
  return item >= 0 && item < kItemCount ? labels[item] : QString();
}

QPointF PrinterNamePosition(const ItemRects& items) {
  const QRectF& printer = items[kChoosePrinter];
  return {printer.left() + printer.width() + 48, printer.top() + 30};
}

QPointF CopiesBoxPosition(const ItemRects& items) {
  const QRectF& copies = items[kCopies];
  return {copies.left() + 5, copies.top() + 30};
}

QRectF PreviewPaperRect(QSizeF paperTwips, int W, int H) {
  float x = 0;
  float y = 0;
  float w = 0;
  float h = 0;
  GdiDIB::GetBestFitInfo(static_cast<float>(paperTwips.width() / Forms::TwipsPerPixel),
                         static_cast<float>(paperTwips.height() / Forms::TwipsPerPixel), static_cast<float>(W - 350),
                         static_cast<float>(H - 200), x, y, w, h);
  return {x + kPreviewLeft, y + kPreviewTop, w, h};
}

QString FactsLine(QSizeF printableMillimetres, int dpiX, int dpiY) {
  const auto centimetres = [](double mm) { return QString::number(mm / 10.0, 'f', 1); };
  return centimetres(printableMillimetres.width()) + QStringLiteral(" x ") + centimetres(printableMillimetres.height()) +
         QStringLiteral(" Cm ") + QString::number(dpiX) + QStringLiteral(" x ") + QString::number(dpiY) +
         QStringLiteral(" DPI");
}

QString PageCounterText(int shownPage, int lastPage) {
  return QStringLiteral(" ") + QString::number(shownPage + 1) + QStringLiteral(" of ") + QString::number(lastPage + 1);
}

}  // namespace PrintWindowLayout
