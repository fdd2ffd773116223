#pragma once
// Composes the sheets the print window previews and prints, without any widget: fed the
// paper and the list of files, it returns each sheet as a white picture at screen
// resolution (15 twips to the pixel). A print job prints these pictures one per page.

#include <span>
#include <vector>

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QStringList>

namespace PrintComposition {

enum class PrintLayout { FitToPage = 0, FullPage = 1, Thumbnail = 2 };

// A job prints each sheet pixel as a hundredth of an inch, from the corner of the paper's
// printable area.
inline constexpr double kPagePixelsPerInch = 100;

// What the composition needs to know of the printer.
struct PaperFacts {
  double WidthTwips = 0;  // the whole paper, turned with the orientation
  double HeightTwips = 0;
  bool Landscape = false;
  // The part of the paper the printer reaches; 0 when not known, then the whole paper counts.
  double PrintableWidthTwips = 0;
  double PrintableHeightTwips = 0;

  bool operator==(const PaperFacts&) const = default;
};

// The paper in screen pixels and the sheet canvas made for it.
struct SheetSize {
  int Wpx = 0;
  int Hpx = 0;
  int W15 = 0;
  double Wc = 0;  // the canvas before rounding
  double Hc = 0;
  QSize Canvas() const;
};

// The paper in pixels and the canvas size; the canvas is a little larger than the paper,
// by a border that depends on the orientation.
SheetSize MeasureSheet(const PaperFacts& paper);

// Where a picture of this size goes on a Fit to Page sheet: fitted into the paper and
// never enlarged, then moved by a fixed margin less the paper size over the picture size.
// Where that would run past the printable area, it is fitted into that area and moved
// back just enough.
QRectF FitToPageRect(const PaperFacts& paper, const SheetSize& sheet, QSize picture);

// Where a job prints a sheet, in page pixels from the printable area's corner. A Fit to
// Page sheet prints at one pixel to the page pixel, its picture already kept on the
// printable area; a Full Page or Thumbnail sheet is shrunk where it would run past that
// area, its shape kept, so the whole sheet is printed.
QRectF PrintedSheetRect(const PaperFacts& paper, const SheetSize& sheet, PrintLayout layout);

// The size a picture takes on a Thumbnail sheet: fitted into 300 x 300, never enlarged.
QSize ThumbnailSize(QSize picture);

// One picture placed on a Thumbnail sheet.
struct ThumbSlot {
  int File = 0;  // index into the composer's files
  QRectF Rect;
};
using ThumbSheet = std::vector<ThumbSlot>;

// Places thumbnails of these sizes in rows, breaking rows and sheets before a picture
// would cross the canvas's right or bottom margin. Every picture is placed once and every
// sheet holds at least one, so a paper too small for one row still ends.
std::vector<ThumbSheet> LayoutThumbnails(const SheetSize& sheet, std::span<const QSize> sizes);

// The sheets of one layout for one paper and one list of files.
class PrintComposer {
 public:
  // Empty entries of the list are skipped. A Thumbnail composer reads the size of every
  // picture once here, so that the preview, the page counter and the job share one set
  // of sheet breaks.
  PrintComposer(const QStringList& files, const PaperFacts& paper, PrintLayout layout);

  PrintLayout Layout() const { return m_layout; }
  const QStringList& Files() const { return m_files; }
  const SheetSize& Sheet() const { return m_sheet; }
  // Where a job prints each sheet (PrintedSheetRect).
  QRectF PrintedRect() const { return PrintedSheetRect(m_paper, m_sheet, m_layout); }
  // The number of sheets; 0 without files.
  int SheetCount() const;
  // The number of the last sheet (sheets count from 0); 0 without files.
  int LastPage() const;
  // A sheet number brought into 0 .. LastPage.
  int ClampPage(int page) const;

  // Composes one sheet (its number clamped) on a white canvas. A file that cannot be
  // decoded leaves its place white.
  QImage ComposeSheet(int page) const;

 private:
  void DrawFitToPage(QImage& canvas, int page) const;
  void DrawFullPage(QImage& canvas, int page) const;
  void DrawThumbnails(QImage& canvas, int page) const;

  QStringList m_files;
  PaperFacts m_paper;
  PrintLayout m_layout;
  SheetSize m_sheet;
  std::vector<ThumbSheet> m_thumbSheets;
};

}  // namespace PrintComposition
