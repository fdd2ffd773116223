// Print jobs on the PDF printer, read back with poppler's tools.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>

#include "PrintPictures.h"
#include "platform/Printer.h"
#include "windows/PrintComposer.h"
#include "windows/PrintJob.h"

using namespace PrintComposition;
using namespace PrintTests;

namespace {

bool PopplerInstalled() {
  return !QStandardPaths::findExecutable("pdfinfo").isEmpty() && !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

#define SKIP_WITHOUT_POPPLER()                                                        \
  if (!PopplerInstalled()) {                                                          \
    GTEST_SKIP() << "pdfinfo and pdftoppm (poppler-utils) are needed to read the PDF"; \
  }

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
  for (const QString& line : Run("pdfinfo", {pdf}).split('\n')) {
    if (line.startsWith("Pages:")) {
      return line.mid(6).trimmed().toInt();
    }
  }
  return -1;
}

// One page of the PDF as a picture at a low resolution.
QImage PdfPage(const QString& pdf, int page, const QString& folder) {
  const QString prefix = folder + "/page";
  Run("pdftoppm", {"-f", QString::number(page), "-l", QString::number(page), "-r", "20", "-png", "-singlefile", pdf,
                   prefix});
  return QImage(prefix + ".png");
}

// A PDF printer writing into the test folder.
struct PdfPrinter {
  explicit PdfPrinter(const QString& file) {
    EXPECT_TRUE(printer.SetDeviceName(Printing::kPdfPrinterName));
    printer.SetOutputFileName(file);
  }
  Printing::Printer printer;
};

}  // namespace

TEST(PrintJob, ThreePicturesFitToPageGiveThreePagesInOrder) {
  SKIP_WITHOUT_POPPLER();
  TestSupport::TestFolder folder;
  const QString data = folder.MakeFolder("Datas") + "/";
  PdfPrinter pdf(folder.File("out.pdf"));
  const PrintComposer composer(ThreeFlat(folder), LetterPortrait(), PrintLayout::FitToPage);

  ASSERT_TRUE(PrintJob::PrintAll(pdf.printer, composer, data, 1));
  EXPECT_EQ(pdf.printer.Resolution(), PrintJob::kJobResolution);
  EXPECT_EQ(PdfPages(folder.File("out.pdf")), 3);  // no blank page after the last
  const QImage second = PdfPage(folder.File("out.pdf"), 2, folder.Path());
  ASSERT_FALSE(second.isNull());
  second.save(TestSupport::ArtifactsFolder() + "/print-pdf-page2.png");
  EXPECT_TRUE(Near(second.pixelColor(second.width() / 2, second.height() / 2), Qt::green, 30));

  // The page files are JPEGs of the sheet's size, numbered from 0, until they are removed.
  for (int page = 0; page < 3; ++page) {
    QImageReader reader(PrintJob::PageFile(data, page));
    EXPECT_EQ(reader.format(), "jpeg") << page;
    EXPECT_EQ(reader.size(), QSize(851, 1110)) << page;
  }
  EXPECT_FALSE(QFileInfo::exists(PrintJob::PageFile(data, 3)));
  PrintJob::DeletePageFiles(data, composer.LastPage());
  EXPECT_TRUE(QDir(data).entryList(QDir::Files).isEmpty());
}

TEST(PrintJob, AThumbnailJobOfTwoSheetsGivesTwoPages) {
  SKIP_WITHOUT_POPPLER();
  TestSupport::TestFolder folder;
  const QString data = folder.MakeFolder("Datas") + "/";
  QStringList files;
  for (int i = 0; i < 9; ++i) {
    files << WriteFlat(folder, QString("p%1.png").arg(i), {400, 400}, Distinct(i));
  }
  const PrintComposer composer(files, LetterPortrait(), PrintLayout::Thumbnail);
  ASSERT_EQ(composer.SheetCount(), 2);  // three rows of two fit on Letter
  PdfPrinter pdf(folder.File("thumbs.pdf"));
  ASSERT_TRUE(PrintJob::PrintAll(pdf.printer, composer, data, 1));
  EXPECT_EQ(PdfPages(folder.File("thumbs.pdf")), 2);
}

TEST(PrintJob, CopiesRepeatEachPageWhereThePrinterCannot) {
  SKIP_WITHOUT_POPPLER();
  TestSupport::TestFolder folder;
  const QString data = folder.MakeFolder("Datas") + "/";
  PdfPrinter pdf(folder.File("copies.pdf"));
  ASSERT_FALSE(pdf.printer.MakesCopies());
  const PrintComposer composer(ThreeFlat(folder), LetterPortrait(), PrintLayout::FullPage);
  ASSERT_TRUE(PrintJob::PrintAll(pdf.printer, composer, data, 2));
  EXPECT_EQ(PdfPages(folder.File("copies.pdf")), 6);
  // Copies of one picture follow each other.
  const QImage second = PdfPage(folder.File("copies.pdf"), 2, folder.Path());
  EXPECT_TRUE(Near(second.pixelColor(second.width() / 2, second.height() / 2), Qt::red, 30));
}

TEST(PrintJob, APrinterThatCannotStartReportsFailure) {
  TestSupport::TestFolder folder;
  const QString data = folder.MakeFolder("Datas") + "/";
  PdfPrinter pdf(folder.File("no/such/folder/out.pdf"));
  const PrintComposer composer(ThreeFlat(folder), LetterPortrait(), PrintLayout::FitToPage);
  EXPECT_FALSE(PrintJob::PrintAll(pdf.printer, composer, data, 1));
  // Nothing to print is no job either.
  const PrintComposer empty(QStringList{}, LetterPortrait(), PrintLayout::FitToPage);
  EXPECT_FALSE(PrintJob::PrintAll(pdf.printer, empty, data, 1));
}

TEST(PrintJob, AMissingPageFileFailsTheJobButEndsTheDocument) {
  SKIP_WITHOUT_POPPLER();
  TestSupport::TestFolder folder;
  const QString data = folder.MakeFolder("Datas") + "/";
  const PrintComposer composer(ThreeFlat(folder), LetterPortrait(), PrintLayout::FitToPage);
  ASSERT_TRUE(PrintJob::WritePageFiles(composer, data));
  QFile::remove(PrintJob::PageFile(data, 1));
  PdfPrinter pdf(folder.File("gap.pdf"));
  EXPECT_FALSE(PrintJob::SendPagesToPrinter(pdf.printer, data, 2, composer.PrintedRect()));
  EXPECT_EQ(PdfPages(folder.File("gap.pdf")), 3);
}
