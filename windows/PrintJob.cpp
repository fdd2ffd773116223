#include "windows/PrintJob.h"

#include <memory>

#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "foundation/DIBsave.h"
#include "platform/Printer.h"
#include "platform/forms/HourglassCursor.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "windows/PrintComposer.h"

namespace PrintJob {

namespace {

constexpr int kJpegFormat = 1;
constexpr int kPageQuality = 90;

bool SavePage(QImage sheet, const QString& path) {
  DIBsave page;
  page.new_Img = Gdip::Bitmap::FromImage(sheet.convertToFormat(QImage::Format_RGB32), Gdip::PixelFormat32bppRGB);
  return page.Save(path, kJpegFormat, kPageQuality);
}

// Draws one page file into its place on the printer's current page.
bool PrintPage(QPainter& painter, const QString& path, const QRectF& place) {
  const std::unique_ptr<Gdip::Bitmap> page = Gdip::LoadImageFromFile(path);
  if (!page) {
    return false;
  }
  painter.drawImage(place, page->Image());
  return true;
}

}  // namespace

QString PageFile(const QString& dataFolder, int page) {
  return dataFolder + QStringLiteral("~TempPrints") + QString::number(page) + QStringLiteral(".tmp");
}

bool WritePageFiles(const PrintComposition::PrintComposer& composer, const QString& dataFolder) {
  const Forms::HourglassCursor busy;
  for (int page = 0; page < composer.SheetCount(); ++page) {
    if (!SavePage(composer.ComposeSheet(page), PageFile(dataFolder, page))) {
      return false;
    }
  }
  return true;
}

bool SendPagesToPrinter(Printing::Printer& printer, const QString& dataFolder, int lastPage, const QRectF& place) {
  const Forms::HourglassCursor busy;
  QPainter painter;
  if (!painter.begin(&printer.Device())) {
    return false;
  }
  const double scale = printer.Resolution() / PrintComposition::kPagePixelsPerInch;
  painter.scale(scale, scale);
  const int repeats = printer.MakesCopies() ? 1 : printer.Copies();
  bool printed = true;
  bool firstPage = true;
  for (int page = 0; page <= lastPage; ++page) {
    for (int copy = 0; copy < repeats; ++copy) {
      // A new page only between pages: one after the last would come out blank.
      if (!firstPage && !printer.Device().newPage()) {
        painter.end();
        return false;
      }
      firstPage = false;
      printed = PrintPage(painter, PageFile(dataFolder, page), place) && printed;
    }
  }
  return painter.end() && printed;
}

bool PrintAll(Printing::Printer& printer, const PrintComposition::PrintComposer& composer, const QString& dataFolder,
              int copies) {
  if (composer.SheetCount() == 0) {
    return false;
  }
  printer.SetCopies(copies);
  printer.SetResolution(kJobResolution);
  return WritePageFiles(composer, dataFolder) && SendPagesToPrinter(printer, dataFolder, composer.LastPage(), composer.PrintedRect());
}

void DeletePageFiles(const QString& dataFolder, int lastPage) {
  for (int page = 0; page <= lastPage; ++page) {
    // A page that was never written is not there to remove.
    QFile::remove(PageFile(dataFolder, page));
  }
}

}  // namespace PrintJob
