#pragma once
// A print job: every sheet is composed and written to a page file first, one sheet in
// memory at a time, then the page files are printed one per page.

#include <QRectF>
#include <QString>

namespace Printing {
class Printer;
}

namespace PrintComposition {
class PrintComposer;
}

namespace PrintJob {

// The resolution a job prints at.
inline constexpr int kJobResolution = 300;

// The page file of a sheet: "~TempPrints<n>.tmp" in the data folder (which ends in a separator).
QString PageFile(const QString& dataFolder, int page);

// Composes every sheet and writes it as a JPEG page file numbered from 0. False when a
// file could not be written.
bool WritePageFiles(const PrintComposition::PrintComposer& composer, const QString& dataFolder);

// Prints page files 0 to lastPage, one per page, each drawn into place (in 1/100 inch
// from the printable area's corner). Where the print system does not make copies itself,
// each page is repeated once per copy. False when the printer refused the job or a page
// could not be printed; the document is ended either way.
bool SendPagesToPrinter(Printing::Printer& printer, const QString& dataFolder, int lastPage, const QRectF& place);

// The whole job: copies and the job resolution set on the printer, the page files
// written, then printed. False when any step failed.
bool PrintAll(Printing::Printer& printer, const PrintComposition::PrintComposer& composer, const QString& dataFolder,
              int copies);

// Removes page files 0 to lastPage; files that are not there are passed over.
void DeletePageFiles(const QString& dataFolder, int lastPage);

}  // namespace PrintJob
