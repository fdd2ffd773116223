#include "platform/Printer.h"

#include <algorithm>

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace Printing {

namespace {

constexpr int kTwipsPerPoint = 20;

class SystemQueues final : public PrinterQueues {
 public:
  QStringList InstalledNames() const override { return QPrinterInfo::availablePrinterNames(); }
  QString DefaultName() const override { return QPrinterInfo::defaultPrinterName(); }
};

std::unique_ptr<PrinterQueues>& Queues() {
  static std::unique_ptr<PrinterQueues> queues = std::make_unique<SystemQueues>();
  return queues;
}

bool& PdfEnabled() {
  static bool enabled = true;
  return enabled;
}

}  // namespace

const PrinterQueues& QueueService() { return *Queues(); }

std::unique_ptr<PrinterQueues> SetQueueService(std::unique_ptr<PrinterQueues> queues) {
  std::unique_ptr<PrinterQueues> previous = std::move(Queues());
  Queues() = queues ? std::move(queues) : std::make_unique<SystemQueues>();
  return previous;
}

bool PdfPrinterEnabled() { return PdfEnabled(); }
void SetPdfPrinterEnabled(bool enabled) { PdfEnabled() = enabled; }

QStringList AvailablePrinters() {
  QStringList names = QueueService().InstalledNames();
  if (PdfPrinterEnabled()) {
    names.append(kPdfPrinterName);
  }
  return names;
}

QString DefaultPrinterName() {
  const QStringList installed = QueueService().InstalledNames();
  const QString preferred = QueueService().DefaultName();
  if (!preferred.isEmpty() && installed.contains(preferred)) {
    return preferred;
  }
  if (!installed.isEmpty()) {
    return installed.first();
  }
  return PdfPrinterEnabled() ? kPdfPrinterName : QString();
}

Printer::Printer() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  m_printer->setOutputFormat(QPrinter::PdfFormat);
  m_printer->setOutputFileName({});
  SetDeviceName(DefaultPrinterName());
}

Printer::~Printer() = default;

bool Printer::SetDeviceName(const QString& name) {
  if (name.isEmpty() || !AvailablePrinters().contains(name)) {
    return false;
  }
  if (name == kPdfPrinterName) {
    m_printer->setOutputFormat(QPrinter::PdfFormat);
  } else {
    // A queue the print system does not know (a fake in tests) leaves the device on PDF.
    m_printer->setPrinterName(name);
  }
  m_name = name;
  return true;
}

QString Printer::OutputFileName() const { return IsPdf() ? m_printer->outputFileName() : QString(); }

void Printer::SetOutputFileName(const QString& path) { m_printer->setOutputFileName(path); }

QSizeF Printer::PaperTwips() const {
  return m_printer->pageLayout().fullRectPoints().size().toSizeF() * kTwipsPerPoint;
}

int Printer::Orientation() const { return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1; }

void Printer::SetOrientation(int orientation) {
  m_printer->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QSizeF Printer::PrintableMillimetres() const { return m_printer->pageRect(QPrinter::Millimeter).size(); }

int Printer::Resolution() const { return m_printer->resolution(); }

void Printer::SetResolution(int dotsPerInch) { m_printer->setResolution(dotsPerInch); }

int Printer::Copies() const { return m_printer->copyCount(); }

void Printer::SetCopies(int copies) {
  m_printer->setCopyCount(std::max(1, copies));
  m_printer->setCollateCopies(false);
}

bool Printer::CollatesCopies() const { return m_printer->collateCopies(); }

bool Printer::MakesCopies() const { return m_printer->supportsMultipleCopies(); }

void ShowPrinterDefaults(QWidget* owner, Printer& printer, std::function<void(bool accepted)> done) {
  // The dialog edits the printer in place, so the set-up carries into the next job.
  auto* dialog = new QPageSetupDialog(&printer.Device(), owner);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(dialog, &QDialog::finished, dialog,
                   [done = std::move(done)](int result) { done(result == QDialog::Accepted); });
  dialog->open();
}

}  // namespace Printing
