#include "windows/FrmPrinter.h"

#include <algorithm>

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "controls/ButtonControl.h"
#include "foundation/SelectedFiles.h"
#include "platform/forms/MsgBox.h"
#include "windows/PrintJob.h"

using namespace PrintWindowLayout;
using PrintComposition::PrintComposer;
using PrintComposition::PrintLayout;

namespace {

constexpr int kTitleHeight = 27;
constexpr std::uint32_t kTitleBackground = 0xC8648CFF;  // ARGB(200, 100, 140, 255)
const QString kPrintFailed = QStringLiteral("The printer could not print the pages.");

}  // namespace

FrmPrinter::FrmPrinter(SelectedFiles& selection, QString dataFolder, QWidget* owner)
    : SkinSurface(owner), m_selection(selection), m_dataFolder(std::move(dataFolder)) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Vesk Lorvane 6.2 - Print..."));
  setMouseTracking(true);
  if (owner != nullptr) {
    setFixedSize(owner->size().expandedTo(kSmallest));
    move(owner->pos());
  } else {
    setFixedSize(kSmallest);
  }
  BuildChildren();
  LoadIcons();
  LoadSkin();
  m_items = LayoutPrintItems(width(), height());
  m_printerName->move(PrinterNamePosition(m_items).toPoint());
  m_copies->move(CopiesBoxPosition(m_items).toPoint());
  PaintPrintWindow();
  FillPrinterMenu();
  m_printerName->setText(m_printer.DeviceName());
}

FrmPrinter::~FrmPrinter() = default;

void FrmPrinter::BuildChildren() {
  m_title = new ButtonControl(m_dataFolder, this);
  m_title->SetTitle(windowTitle());
  m_title->SetBackground(kTitleBackground);
  m_title->setGeometry(0, 0, width(), kTitleHeight);
  connect(m_title, &ButtonControl::MouseUP, this, [this] {
    const int button = m_title->SelectIndex();
    if (button == ButtonControl::CloseButton || button == ButtonControl::MinimiseButton) {
      close();
    }
  });

  m_printerName = new QLineEdit(this);
  m_printerName->setReadOnly(true);
  m_printerName->setFrame(false);
  m_printerName->setStyleSheet(QStringLiteral("background: rgb(240, 238, 233);"));
  m_printerName->resize(150, 20);

  m_copies = new QLineEdit(QStringLiteral("1"), this);
  m_copies->setFrame(false);
  m_copies->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[1-9][0-9]{0,2}")), m_copies));
  m_copies->resize(25, 14);

  m_printerMenu = new QMenu(this);
}

void FrmPrinter::LoadIcons() {
  // "Print01.png" to "Print010.png": the tenth name carries the digits 0, 1, 0.
  for (int i = 1; i <= 10; ++i) {
    m_icons[static_cast<std::size_t>(i - 1)] = QImage(m_dataFolder + QStringLiteral("Print0") + QString::number(i) +
                                                      QStringLiteral(".png"));
  }
}

void FrmPrinter::FillPrinterMenu() {
  // Every printer is listed, however many there are.
  for (const QString& name : Printing::AvailablePrinters()) {
    connect(m_printerMenu->addAction(name), &QAction::triggered, this, [this, name] { cbPrintersSel(name); });
  }
}

void FrmPrinter::LoadSkin() { m_title->Painting(); }

void FrmPrinter::cbPrintersSel(const QString& PrintN) {
  if (m_printer.SetDeviceName(PrintN)) {
    m_printerName->setText(PrintN);
  }
}

void FrmPrinter::resizeEvent(QResizeEvent* event) {
  SkinSurface::resizeEvent(event);
  m_title->setGeometry(0, 0, width(), kTitleHeight);
}

void FrmPrinter::closeEvent(QCloseEvent* event) {
  // Page files that were never written are passed over.
  PrintJob::DeletePageFiles(m_dataFolder, std::max(m_lastPage, m_lastPageWritten));
  event->accept();
}

void FrmPrinter::mouseMoveEvent(QMouseEvent* event) {
  // While a button is held the pressed item stays the one that acts on release.
  if (m_buttonHeld) {
    RefreshBackBuffer();
    return;
  }
  int hit = -1;
  for (int item = 0; item < kItemCount && hit < 0; ++item) {
    if (item != kCopies && DrawnItems::ItemHit(m_items[static_cast<std::size_t>(item)], event->position())) {
      hit = item;
    }
  }
  m_itemHit = hit >= 0;
  ShowMoused(m_itemHit);
  if (hit != m_hotItem || !m_itemHit) {
    DrawPrintItem(m_hotItem, kNormal, false);
  }
  if (m_itemHit) {
    DrawPrintItem(hit, kLit, false);
    m_hotItem = hit;
  }
  RefreshBackBuffer();
}

void FrmPrinter::mousePressEvent(QMouseEvent*) {
  m_buttonHeld = true;
  if (m_itemHit) {
    DrawPrintItem(m_hotItem, kPressed, true);
    RefreshBackBuffer();
  }
}

void FrmPrinter::mouseReleaseEvent(QMouseEvent*) {
  m_buttonHeld = false;
  if (m_itemHit && m_hotItem < kItemCount) {
    ActOnItem(m_hotItem);
  }
}

void FrmPrinter::ActOnItem(int item) {
  switch (item) {
    case kFitToPage:
    case kFullPage:
    case kThumbnail:
      ChooseLayout(static_cast<PrintLayout>(item));
      break;
    case kChoosePrinter:
      PopUpPrinterMenu();
      break;
    case kPrinterSetup:
      OpenPrinterSetup();
      break;
    case kCancel:
      close();
      return;
    case kPrint:
      PrintPages();
      return;
    case kNextSheet:
      ShowPrintPreview(m_shownPage + 1);
      break;
    case kPreviousSheet:
      ShowPrintPreview(m_shownPage - 1);
      break;
    default:  // the copies box and Help do nothing
      break;
  }
  DrawPrintItem(m_hotItem, kNormal, false);
  RefreshBackBuffer();
}

void FrmPrinter::ChooseLayout(PrintLayout layout) {
  m_layout = layout;
  ShowPrintPreview(0);
}

void FrmPrinter::PopUpPrinterMenu() {
  const QRectF& item = m_items[kChoosePrinter];
  m_printerMenu->popup(mapToGlobal(QPointF(item.left(), item.top() + item.height() + 25).toPoint()));
}

void FrmPrinter::OpenPrinterSetup() {
  // The dialog is a child of this window, so it cannot outlive the window it repaints.
  Printing::ShowPrinterDefaults(this, m_printer, [this](bool accepted) {
    if (accepted) {
      PaintPrintWindow();
    }
  });
}

void FrmPrinter::PrintPages() {
  if (Composer().SheetCount() == 0) {
    return;
  }
  if (m_printer.IsPdf() && m_printer.OutputFileName().isEmpty()) {
    AskPdfFileThenPrint();
    return;
  }
  RunJob();
}

void FrmPrinter::AskPdfFileThenPrint() {
  if (m_pdfAsk) {
    m_pdfAsk->raise();
    return;
  }
  m_pdfAsk = new QFileDialog(this, Printing::kPdfPrinterName, QDir::homePath(), QStringLiteral("PDF (*.pdf)"));
  m_pdfAsk->setAttribute(Qt::WA_DeleteOnClose);
  m_pdfAsk->setOption(QFileDialog::DontUseNativeDialog);
  m_pdfAsk->setAcceptMode(QFileDialog::AcceptSave);
  m_pdfAsk->setDefaultSuffix(QStringLiteral("pdf"));
  connect(m_pdfAsk, &QFileDialog::fileSelected, this, [this](const QString& file) {
    m_printer.SetOutputFileName(file);
    // The job runs once the dialog has finished closing.
    QTimer::singleShot(0, this, &FrmPrinter::RunJob);
  });
  m_pdfAsk->open();
}

void FrmPrinter::RunJob() {
  const int copies = CopiesWanted();
  const bool printed = PrintJob::PrintAll(m_printer, Composer(), m_dataFolder, copies);
  m_lastPageWritten = std::max(m_lastPageWritten, Composer().LastPage());
  if (!printed) {
    if (m_printer.IsPdf()) {
      // The next attempt asks for the file again rather than failing the same way.
      m_printer.SetOutputFileName({});
    }
    Forms::MsgBox(kPrintFailed, Forms::vbExclamation);
    return;
  }
  // The document has ended; only now does the window go.
  close();
}

int FrmPrinter::CopiesWanted() {
  bool whole = false;
  const int copies = m_copies->text().toInt(&whole);
  if (whole && copies >= 1 && copies <= 999) {
    return copies;
  }
  // The box only takes 1 to 999; an emptied box prints one copy and says so.
  m_copies->setText(QStringLiteral("1"));
  return 1;
}

PrintComposition::PaperFacts FrmPrinter::CurrentPaper() const {
  constexpr double twipsPerMillimetre = 1440 / 25.4;
  const QSizeF paper = m_printer.PaperTwips();
  const QSizeF printable = m_printer.PrintableMillimetres() * twipsPerMillimetre;
  return {paper.width(), paper.height(), m_printer.Orientation() == 2, printable.width(), printable.height()};
}

const PrintComposer& FrmPrinter::Composer() {
  const PrintComposition::PaperFacts paper = CurrentPaper();
  const bool same = m_composer && m_composer->Layout() == m_layout && m_composedFrom == m_selection.Files() &&
                    m_composedPaper == paper;
  if (!same) {
    m_composer.emplace(m_selection.Files(), paper, m_layout);
    m_composedFrom = m_selection.Files();
    m_composedPaper = paper;
  }
  return *m_composer;
}
