#pragma once
// The print window: a skinned, modeless window with the layout choices, the printer,
// its set-up and the number of copies on the left, a preview of the composed sheet with
// page arrows on the right, and Cancel, Print and Help below. Every clickable element is
// a drawn item that lights under the pointer, is pressed on mouse-down and acts on
// mouse-up wherever the button is released.

#include <array>
#include <memory>
#include <optional>

#include <QImage>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "foundation/SkinSurface.h"
#include "platform/Printer.h"
#include "windows/DrawnItems.h"
#include "windows/PrintComposer.h"
#include "windows/PrintWindowLayout.h"

class ButtonControl;
class QFileDialog;
class QLineEdit;
class QMenu;
class SelectedFiles;

class FrmPrinter : public SkinSurface {
  Q_OBJECT

 public:
  // The window takes its owner's place and size; this is the least its items fit in, and
  // its size when it has no owner.
  static constexpr QSize kSmallest{860, 640};

  // A window that prints the files of `selection`. Its icons are read from, and its page
  // files written to, `dataFolder` (ending in a separator). It closes itself for good:
  // the owner keeps a QPointer.
  FrmPrinter(SelectedFiles& selection, QString dataFolder, QWidget* owner = nullptr);
  ~FrmPrinter() override;

  // Makes the listed printer of this name the current one and shows its name; nothing
  // is repainted, so the facts line keeps the old printer's until the next paint.
  void cbPrintersSel(const QString& PrintN);
  // Repaints the title bar.
  void LoadSkin();

  int PrintLayoutMode() const { return static_cast<int>(m_layout); }
  int ShownPage() const { return m_shownPage; }
  int LastPage() const { return m_lastPage; }
  int HotItem() const { return m_hotItem; }
  const PrintWindowLayout::ItemRects& PrintItemRects() const { return m_items; }
  // The facts line as last painted.
  const QString& FactsShown() const { return m_factsShown; }
  Printing::Printer& CurrentPrinter() { return m_printer; }
  QLineEdit* cuPrinter() const { return m_printerName; }
  QLineEdit* txtCopies() const { return m_copies; }
  QMenu* PrinterMenu() const { return m_printerMenu; }
  ButtonControl* TitleSkin() const { return m_title; }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The item boxes' gradients: at rest, under the pointer, pressed.
  static constexpr DrawnItems::Gradient kNormal{0xC8FFFFFF, 0xC8000000};
  static constexpr DrawnItems::Gradient kLit{0x00FFFFFF, 0xFF000000};
  static constexpr DrawnItems::Gradient kPressed{0xFFFFFFFF, 0xFFFFFFFF};

  // Opening.
  void BuildChildren();
  void LoadIcons();
  void FillPrinterMenu();

  // Painting (FrmPrinterPaint.cpp).
  void PaintPrintWindow();
  void PaintPanels(QImage& surface) const;
  void PaintItems(QImage& surface) const;
  void PaintTexts(QImage& surface);
  void DrawPrintItem(int index, DrawnItems::Gradient colours, bool pressed);
  void DrawItemFace(QImage& surface, int index, bool pressed) const;
  void DrawPageCounter();
  void ShowPrintPreview(int page);

  // Actions.
  void ActOnItem(int item);
  void ChooseLayout(PrintComposition::PrintLayout layout);
  void PopUpPrinterMenu();
  void OpenPrinterSetup();
  void PrintPages();
  void AskPdfFileThenPrint();
  void RunJob();
  int CopiesWanted();

  // The composer of the current layout, paper and selection, made again when one changes.
  const PrintComposition::PrintComposer& Composer();
  PrintComposition::PaperFacts CurrentPaper() const;

  SelectedFiles& m_selection;
  QString m_dataFolder;
  Printing::Printer m_printer;
  PrintComposition::PrintLayout m_layout = PrintComposition::PrintLayout::FitToPage;
  std::optional<PrintComposition::PrintComposer> m_composer;
  QStringList m_composedFrom;
  PrintComposition::PaperFacts m_composedPaper;
  int m_shownPage = 0;
  int m_lastPage = 0;
  int m_lastPageWritten = -1;  // the highest page file a job wrote

  PrintWindowLayout::ItemRects m_items{};
  std::array<QImage, PrintWindowLayout::kItemCount> m_icons;
  int m_hotItem = 0;
  bool m_itemHit = false;
  bool m_buttonHeld = false;
  QString m_factsShown;

  ButtonControl* m_title = nullptr;
  QLineEdit* m_printerName = nullptr;
  QLineEdit* m_copies = nullptr;
  QMenu* m_printerMenu = nullptr;
  QPointer<QFileDialog> m_pdfAsk;
};
