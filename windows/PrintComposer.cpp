#include "windows/PrintComposer.h"

#include <algorithm>
#include <memory>

#include <QPainter>
#include <QRunnable>
#include <QThreadPool>

#include "browse/ThumbnailLoader.h"
#include "foundation/GdiDIB.h"
#include "foundation/Numbers.h"
#include "platform/forms/Twips.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

namespace PrintComposition {

namespace {

constexpr int kThumbBox = 300;
constexpr double kThumbLeft = 20;  // also the gap between pictures and the right margin
constexpr double kThumbTop = 50;
constexpr double kRowGap = 10;
constexpr double kBottomMargin = 20;

struct BestFit {
  float x = 0;
  float y = 0;
  float w = 0;
  float h = 0;
};

BestFit FitInto(QSize source, double boxW, double boxH) {
  BestFit fit;
  GdiDIB::GetBestFitInfo(static_cast<float>(source.width()), static_cast<float>(source.height()),
                         static_cast<float>(boxW), static_cast<float>(boxH), fit.x, fit.y, fit.w, fit.h);
  return fit;
}

// The picture's size from its header (a metafile's from its frame); a file whose header
// tells none is decoded to learn it. 0 x 0 for a file that cannot be read.
QSize PictureSize(const QString& path) {
  const QSize header = Gdip::PictureSize(path);
  if (header.isValid()) {
    return header;
  }
  const std::unique_ptr<Gdip::Bitmap> whole = Gdip::LoadImageFromFile(path);
  return whole ? QSize(whole->Width(), whole->Height()) : QSize(0, 0);
}

QImage WhiteCanvas(QSize size) {
  QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::white);
  return canvas;
}

void DrawPicture(QImage& canvas, const QRectF& target, const QImage& picture) {
  if (picture.isNull() || target.isEmpty()) {
    return;
  }
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(target, picture);
}

// Decodes the thumbnails of one sheet at their sheet size on worker threads; the sheet
// waits for all of them, as the user waits on the preview anyway.
std::vector<QImage> DecodeThumbnails(const QStringList& files, const ThumbSheet& placed) {
  std::vector<QImage> pictures(placed.size());
  QThreadPool pool;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const QString path = files.at(placed[i].File);
    QImage* out = &pictures[i];
    pool.start(QRunnable::create([path, out] { *out = ThumbnailLoader::Decode(path, {kThumbBox, kThumbBox}).Thumb; }));
  }
  pool.waitForDone();
  return pictures;
}

}  // namespace

QSize SheetSize::Canvas() const { return {Numbers::RoundToInt(Wc), Numbers::RoundToInt(Hc)}; }

SheetSize MeasureSheet(const PaperFacts& paper) {
  // The logical resolution is fixed at 96 dpi, so both axes use the same 15 twips per pixel.
  constexpr double tpp = Forms::TwipsPerPixel;
  SheetSize sheet;
  sheet.Wpx = Numbers::RoundToInt(paper.WidthTwips / tpp);
  sheet.Hpx = Numbers::RoundToInt(paper.HeightTwips / tpp);
  sheet.W15 = Numbers::RoundToInt(paper.WidthTwips / tpp);
  if (paper.Landscape) {
    sheet.Wc = sheet.Wpx + sheet.Hpx / 15.0;
    sheet.Hc = sheet.Hpx + sheet.Wpx / 30.0;
  } else {
    sheet.Wc = sheet.Wpx + sheet.Hpx / 30.0;
    sheet.Hc = sheet.Hpx + sheet.W15 / 15.0;
  }
  return sheet;
}

namespace {

// The printable area along one side in sheet pixels as printed; the whole paper when unknown.
double PrintablePixels(double printableTwips, double paperTwips) {
  constexpr double twipsPerPagePixel = 1440.0 / kPagePixelsPerInch;
  return (printableTwips > 0 ? std::min(printableTwips, paperTwips) : paperTwips) / twipsPerPagePixel;
}

// An offset moved back just enough that the picture ends within the printable area.
double WithinPrintable(double offset, double size, double printable) {
  return offset + size > printable ? std::max(0.0, printable - size) : offset;
}

}  // namespace

QRectF FitToPageRect(const PaperFacts& paper, const SheetSize& sheet, QSize picture) {
  if (picture.isEmpty()) {
    return {};
  }
  const double printableW = PrintablePixels(paper.PrintableWidthTwips, paper.WidthTwips);
  const double printableH = PrintablePixels(paper.PrintableHeightTwips, paper.HeightTwips);
  const BestFit fit = FitInto(picture, sheet.Wpx, sheet.Hpx);
  const BestFit fitPrintable = FitInto(picture, printableW, printableH);
  const double w = std::min(fit.w, fitPrintable.w);
  const double h = std::min(fit.h, fitPrintable.h);
  // The margin less the paper's twips over the picture's pixels: an odd offset, but the
  // one printed pages have always had.
  const double x = fit.x + sheet.Wpx / 15.0 / 2 - paper.WidthTwips / picture.width();
  const double y = fit.y + sheet.Hpx / 15.0 / 2 - paper.HeightTwips / picture.height();
  return {WithinPrintable(x, w, printableW), WithinPrintable(y, h, printableH), w, h};
}

QRectF PrintedSheetRect(const PaperFacts& paper, const SheetSize& sheet, PrintLayout layout) {
  const QSizeF canvas = sheet.Canvas();
  if (layout == PrintLayout::FitToPage || canvas.isEmpty()) {
    return {QPointF(0, 0), canvas};
  }
  const double printableW = PrintablePixels(paper.PrintableWidthTwips, paper.WidthTwips);
  const double printableH = PrintablePixels(paper.PrintableHeightTwips, paper.HeightTwips);
  // The sheet's border makes it larger than its paper along at least one side, so this
  // only ever shrinks it.
  const double scale = std::min(printableW / canvas.width(), printableH / canvas.height());
  return {QPointF(0, 0), canvas * scale};
}

QSize ThumbnailSize(QSize picture) {
  const BestFit fit = FitInto(picture, kThumbBox, kThumbBox);
  return {Numbers::RoundToInt(fit.w), Numbers::RoundToInt(fit.h)};
}

std::vector<ThumbSheet> LayoutThumbnails(const SheetSize& sheet, std::span<const QSize> sizes) {
  std::vector<ThumbSheet> sheets;
  double x = kThumbLeft;
  double y = kThumbTop;
  double rowHeight = 0;
  bool rowEmpty = true;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const double w = sizes[i].width();
    const double h = sizes[i].height();
    if (!rowEmpty && x + w > sheet.Wc - kThumbLeft) {
      x = kThumbLeft;
      y += rowHeight + kRowGap;
      rowHeight = 0;
      rowEmpty = true;
    }
    if (sheets.empty() || (!sheets.back().empty() && y + h > sheet.Hc - kBottomMargin)) {
      sheets.emplace_back();
      x = kThumbLeft;
      y = kThumbTop;
      rowHeight = 0;
    }
    sheets.back().push_back({static_cast<int>(i), QRectF(x, y, w, h)});
    x += w + kThumbLeft;
    rowHeight = std::max(rowHeight, h);
    rowEmpty = false;
  }
  return sheets;
}

PrintComposer::PrintComposer(const QStringList& files, const PaperFacts& paper, PrintLayout layout)
    : m_paper(paper), m_layout(layout), m_sheet(MeasureSheet(paper)) {
  for (const QString& file : files) {
    if (!file.isEmpty()) {
      m_files.append(file);
    }
  }
  if (m_layout == PrintLayout::Thumbnail) {
    std::vector<QSize> sizes;
    sizes.reserve(static_cast<std::size_t>(m_files.size()));
    for (const QString& file : m_files) {
      sizes.push_back(ThumbnailSize(PictureSize(file)));
    }
    m_thumbSheets = LayoutThumbnails(m_sheet, sizes);
  }
}

int PrintComposer::SheetCount() const {
  return m_layout == PrintLayout::Thumbnail ? static_cast<int>(m_thumbSheets.size()) : static_cast<int>(m_files.size());
}

int PrintComposer::LastPage() const { return std::max(0, SheetCount() - 1); }

int PrintComposer::ClampPage(int page) const { return std::clamp(page, 0, LastPage()); }

QImage PrintComposer::ComposeSheet(int page) const {
  QImage canvas = WhiteCanvas(m_sheet.Canvas());
  if (SheetCount() == 0 || canvas.isNull()) {
    return canvas;
  }
  page = ClampPage(page);
  switch (m_layout) {
    case PrintLayout::FitToPage:
      DrawFitToPage(canvas, page);
      break;
    case PrintLayout::FullPage:
      DrawFullPage(canvas, page);
      break;
    case PrintLayout::Thumbnail:
      DrawThumbnails(canvas, page);
      break;
  }
  return canvas;
}

void PrintComposer::DrawFitToPage(QImage& canvas, int page) const {
  // Decoded straight at the size it takes on the sheet; the header gives the full size
  // the placement needs.
  const ThumbPicture picture = ThumbnailLoader::Decode(m_files.at(page), {m_sheet.Wpx, m_sheet.Hpx});
  DrawPicture(canvas, FitToPageRect(m_paper, m_sheet, picture.Source), picture.Thumb);
}

void PrintComposer::DrawFullPage(QImage& canvas, int page) const {
  // Stretched over the whole canvas, so the picture's own aspect is not kept.
  const std::unique_ptr<Gdip::Bitmap> picture = Gdip::LoadImageFromFile(m_files.at(page), canvas.size());
  if (picture) {
    DrawPicture(canvas, QRectF(0, 0, m_sheet.Wc, m_sheet.Hc), picture->Image());
  }
}

void PrintComposer::DrawThumbnails(QImage& canvas, int page) const {
  const ThumbSheet& placed = m_thumbSheets.at(static_cast<std::size_t>(page));
  const std::vector<QImage> pictures = DecodeThumbnails(m_files, placed);
  for (std::size_t i = 0; i < placed.size(); ++i) {
    DrawPicture(canvas, placed[i].Rect, pictures[i]);
  }
}

}  // namespace PrintComposition
