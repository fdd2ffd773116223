#pragma once
// Where the print window's items, boxes and texts go, as pure functions of its size.

#include <array>

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace PrintWindowLayout {

// The clickable items of the print window.
enum Item : int {
  kFitToPage = 0,
  kFullPage = 1,
  kThumbnail = 2,
  kChoosePrinter = 3,
  kPrinterSetup = 4,
  kCopies = 5,  // the copies box: drawn like an item, never lit
  kCancel = 6,
  kPrint = 7,
  kHelp = 8,
  kNextSheet = 9,
  kPreviousSheet = 10,
};
inline constexpr int kItemCount = 11;
// The table keeps one more slot, which stays empty.
using ItemRects = std::array<QRectF, kItemCount + 1>;

// The item rectangles of a window W x H inner pixels.
ItemRects LayoutPrintItems(int W, int H);

// The label drawn beside an item (empty for the page arrows).
QString ItemLabel(int item);

// Where the printer name box and the copies box sit.
QPointF PrinterNamePosition(const ItemRects& items);
QPointF CopiesBoxPosition(const ItemRects& items);

// The paper inside the preview area: the paper in screen pixels fitted into the area,
// never enlarged, then moved to the preview panel.
QRectF PreviewPaperRect(QSizeF paperTwips, int W, int H);

// The printer's facts: printable width and height in centimetres and the resolution,
// as "21.6 x 27.9 Cm 300 x 300 DPI".
QString FactsLine(QSizeF printableMillimetres, int dpiX, int dpiY);

// The page counter: " <shown + 1> of <last + 1>".
QString PageCounterText(int shownPage, int lastPage);

}  // namespace PrintWindowLayout
