#pragma once
// The printers the program offers and the one printer a print job goes to: the queues
// the print system has installed, plus a "Print to PDF" entry so that printing works on
// a machine without a queue.

#include <functional>
#include <memory>

#include <QSizeF>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace Printing {

// The name of the pseudo-printer that writes a PDF file.
inline const QString kPdfPrinterName = QStringLiteral("Print to PDF");

// The queues the print system knows; tests put a fake in place.
class PrinterQueues {
 public:
  virtual ~PrinterQueues() = default;
  virtual QStringList InstalledNames() const = 0;
  // The queue the print system prints to unless told otherwise; empty when none.
  virtual QString DefaultName() const = 0;
};

// The queue service in use: the print system's own unless replaced.
const PrinterQueues& QueueService();
// Puts another service in place (null restores the print system's); returns the previous one.
std::unique_ptr<PrinterQueues> SetQueueService(std::unique_ptr<PrinterQueues> queues);

// Whether the PDF entry is offered (on unless switched off).
bool PdfPrinterEnabled();
void SetPdfPrinterEnabled(bool enabled);

// Every printer the program offers: the installed queues, then the PDF entry. Empty only
// when there is no queue and the PDF entry is switched off.
QStringList AvailablePrinters();
// The printer a new job starts with: the default queue, else the first queue, else the
// PDF entry; empty when nothing is offered.
QString DefaultPrinterName();

// One printer with its set-up. It lives as long as the window that prints with it, so a
// set-up made in the page dialog carries into the job.
class Printer {
 public:
  Printer();
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  // The printer's name as AvailablePrinters lists it.
  QString DeviceName() const { return m_name; }
  // Makes a listed printer the current one; false (and nothing changed) for other names.
  bool SetDeviceName(const QString& name);
  bool IsPdf() const { return m_name == kPdfPrinterName; }

  // The PDF file a job on the PDF entry writes; empty until chosen.
  QString OutputFileName() const;
  void SetOutputFileName(const QString& path);

  // The paper's whole size in twips (1440 to the inch), turned with the orientation.
  QSizeF PaperTwips() const;
  // 1 portrait, 2 landscape.
  int Orientation() const;
  void SetOrientation(int orientation);
  // The printable part of the paper, in millimetres.
  QSizeF PrintableMillimetres() const;
  int Resolution() const;
  void SetResolution(int dotsPerInch);
  int Copies() const;
  // Copies are made per picture: every copy of a page before the next page.
  void SetCopies(int copies);
  bool CollatesCopies() const;
  // Whether the print system makes the copies itself; otherwise the job repeats its pages.
  bool MakesCopies() const;

  QPrinter& Device() { return *m_printer; }

 private:
  std::unique_ptr<QPrinter> m_printer;
  QString m_name;
};

// Shows the page set-up of a printer (paper, orientation, margins) without blocking, owned
// by `owner`. `done` runs once with true when the user accepted, false otherwise.
void ShowPrinterDefaults(QWidget* owner, Printer& printer, std::function<void(bool accepted)> done);

}  // namespace Printing
