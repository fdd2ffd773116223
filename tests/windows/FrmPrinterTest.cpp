// The print window offscreen, driven with synthetic mouse input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include "PrintPictures.h"
#include "controls/ButtonControl.h"
#include "foundation/SelectedFiles.h"
#include "platform/Printer.h"
#include "support/fakes/ScriptedMessageBox.h"
#include "windows/DrawnItems.h"
#include "windows/FrmPrinter.h"
#include "windows/PrintJob.h"
#include "windows/PrintWindow.h"

using namespace PrintWindowLayout;

namespace {

class FakeQueues final : public Printing::PrinterQueues {
 public:
  explicit FakeQueues(QStringList names) : m_names(std::move(names)) {}
  QStringList InstalledNames() const override { return m_names; }
  QString DefaultName() const override { return {}; }

 private:
  QStringList m_names;
};

void Mouse(QWidget* widget, QEvent::Type type, QPointF at) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, type == QEvent::MouseMove ? Qt::NoButton : held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

QPointF Centre(const QRectF& item) { return item.center(); }

// A pixel inside an item's box, near its top where the gradient's first colour rules.
QColor BoxPixel(FrmPrinter& window, int item) {
  const QRectF& r = window.PrintItemRects()[static_cast<std::size_t>(item)];
  return window.BackBuffer().pixelColor(static_cast<int>(r.left() + 12), static_cast<int>(r.top() + 3));
}

class FrmPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Printing::SetQueueService(std::make_unique<FakeQueues>(QStringList{}));
    m_data = m_folder.MakeFolder("Datas") + "/";
    // The shipped icons, so the window looks as it does in the program.
    const QDir shipped(QCoreApplication::applicationDirPath() + "/Datas");
    for (const QString& icon : shipped.entryList({"Print0*.png", "Logo16pixel.png"})) {
      QFile::copy(shipped.filePath(icon), m_data + icon);
    }
    m_selection.SetFiles(PrintTests::ThreeFlat(m_folder));
  }
  void TearDown() override {
    delete m_window.data();
    Printing::SetQueueService(nullptr);
    Printing::SetPdfPrinterEnabled(true);
  }

  FrmPrinter& Open() {
    m_window = new FrmPrinter(m_selection, m_data);
    m_window->show();
    return *m_window;
  }
  void Click(int item, QPointF releaseAt = {}) {
    const QPointF at = Centre(m_window->PrintItemRects()[static_cast<std::size_t>(item)]);
    Mouse(m_window, QEvent::MouseMove, at);
    Mouse(m_window, QEvent::MouseButtonPress, at);
    Mouse(m_window, QEvent::MouseButtonRelease, releaseAt.isNull() ? at : releaseAt);
  }
  static void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  TestSupport::TestFolder m_folder;
  QString m_data;
  SelectedFiles m_selection;
  QPointer<FrmPrinter> m_window;
};

}  // namespace

TEST(PrintWindowLayout, ItemRectanglesForAWindowSize) {
  const ItemRects items = LayoutPrintItems(801, 640);
  EXPECT_EQ(items[kFitToPage], QRectF(40, 120, 25, 25));
  EXPECT_EQ(items[kThumbnail], QRectF(40, 230, 25, 25));
  EXPECT_EQ(items[kChoosePrinter], QRectF(40, 325, 35, 25));
  EXPECT_EQ(items[kPrinterSetup], QRectF(40, 380, 25, 25));
  EXPECT_EQ(items[kCopies], QRectF(120, 455, 30, 20));
  EXPECT_EQ(items[kCancel], QRectF(691, 590, 70, 20));
  EXPECT_EQ(items[kPrint], QRectF(591, 590, 70, 20));
  EXPECT_EQ(items[kHelp], QRectF(511, 590, 50, 20));
  // 441 \ 2 drops the half: 220 + 360.
  EXPECT_EQ(items[kNextSheet], QRectF(580, 530, 8, 15));
  EXPECT_EQ(items[kPreviousSheet], QRectF(480, 530, 8, 15));
  EXPECT_TRUE(items[11].isNull());
  EXPECT_EQ(PrinterNamePosition(items), QPointF(123, 355));
  EXPECT_EQ(CopiesBoxPosition(items), QPointF(125, 485));

  // Letter paper (816 x 1056 pixels) fitted into 450 x 440 and moved to the preview panel.
  EXPECT_EQ(PreviewPaperRect({12240, 15840}, 800, 640), QRectF(315 + 55, 75, 340, 440));
  EXPECT_EQ(FactsLine({203.2, 266.7}, 300, 300), "20.3 x 26.7 Cm 300 x 300 DPI");
  EXPECT_EQ(PageCounterText(0, 2), " 1 of 3");
}

TEST_F(FrmPrinterTest, OpensOnFitToPageWithTheFirstSheetAndThePrinterName) {
  FrmPrinter& window = Open();
  EXPECT_EQ(window.PrintLayoutMode(), 0);
  EXPECT_EQ(window.ShownPage(), 0);
  EXPECT_EQ(window.LastPage(), 2);
  EXPECT_EQ(window.cuPrinter()->text(), Printing::kPdfPrinterName);
  EXPECT_EQ(window.cuPrinter()->pos(), PrinterNamePosition(window.PrintItemRects()).toPoint());
  EXPECT_EQ(window.txtCopies()->text(), "1");
  EXPECT_EQ(window.windowTitle(), "Vesk Lorvane 6.2 - Print...");
}

TEST_F(FrmPrinterTest, TakesTheMainWindowsPlaceAndSize) {
  QWidget owner;
  owner.setGeometry(40, 30, 1200, 900);
  m_window = new FrmPrinter(m_selection, m_data, &owner);
  EXPECT_EQ(m_window->size(), QSize(1200, 900));
  EXPECT_EQ(m_window->pos(), owner.pos());
  EXPECT_EQ(m_window->PrintItemRects()[kCancel].left(), 1200 - 110);
  delete m_window.data();

  // Too small a main window would squeeze the items together.
  owner.resize(500, 400);
  m_window = new FrmPrinter(m_selection, m_data, &owner);
  EXPECT_EQ(m_window->size(), FrmPrinter::kSmallest);
}

TEST_F(FrmPrinterTest, TheFactsLineStaysInItsPanelAtAnyResolution) {
  FrmPrinter& window = Open();
  window.CurrentPrinter().SetResolution(1200);
  // The set-up dialog's OK paints the window again with the printer's facts.
  Click(kPrinterSetup);
  auto* setup = window.findChild<QDialog*>();
  ASSERT_NE(setup, nullptr);
  setup->accept();
  EXPECT_TRUE(window.FactsShown().endsWith("1200 x 1200 DPI"));
  const QRectF item = window.PrintItemRects()[kPrinterSetup];
  const QImage& surface = window.BackBuffer();
  int inked = 0;
  for (int y = int(item.top()) + 28; y < int(item.top()) + 58; ++y) {
    for (int x = 284; x < 298; ++x) {
      ASSERT_EQ(surface.pixel(x, y), DrawnItems::kPanel) << x << ", " << y;
    }
    for (int x = int(item.left()) + 80; x < 280; ++x) {
      inked += qGray(surface.pixel(x, y)) < 128 ? 1 : 0;
    }
  }
  EXPECT_GT(inked, 100) << "the facts are drawn";
}

TEST_F(FrmPrinterTest, CopiesPerPictureAreUncollated) {
  Printing::SetQueueService(std::make_unique<FakeQueues>(QStringList{"Office"}));
  FrmPrinter& window = Open();
  ASSERT_EQ(window.CurrentPrinter().DeviceName(), "Office");
  window.txtCopies()->setText("3");
  // The fake queue cannot take the job; the settings it was asked for stay on the printer.
  Fakes::ScriptedMessageBox boxes;
  Click(kPrint);
  EXPECT_EQ(window.CurrentPrinter().Copies(), 3);
  EXPECT_FALSE(window.CurrentPrinter().CollatesCopies());
}

TEST_F(FrmPrinterTest, MovingFromOneItemToTheNextLightsOnlyTheNext) {
  FrmPrinter& window = Open();
  const QColor rest = BoxPixel(window, kFullPage);
  Mouse(&window, QEvent::MouseMove, Centre(window.PrintItemRects()[kFitToPage]));
  EXPECT_EQ(window.HotItem(), kFitToPage);
  EXPECT_NE(BoxPixel(window, kFitToPage), rest);
  EXPECT_EQ(window.cursor().shape(), Qt::BitmapCursor);

  Mouse(&window, QEvent::MouseMove, Centre(window.PrintItemRects()[kFullPage]));
  EXPECT_EQ(window.HotItem(), kFullPage);
  EXPECT_EQ(BoxPixel(window, kFitToPage), rest);
  EXPECT_NE(BoxPixel(window, kFullPage), rest);

  // The copies box never lights, and leaving every item puts the lit one out.
  Mouse(&window, QEvent::MouseMove, Centre(window.PrintItemRects()[kCopies]));
  EXPECT_EQ(window.HotItem(), kFullPage);
  EXPECT_EQ(BoxPixel(window, kFullPage), rest);
  EXPECT_NE(window.cursor().shape(), Qt::BitmapCursor);
}

TEST_F(FrmPrinterTest, LayoutsAndPageArrowsStepThroughTheSheets) {
  FrmPrinter& window = Open();
  Click(kNextSheet);
  Click(kNextSheet);
  Click(kNextSheet);
  EXPECT_EQ(window.ShownPage(), 2);
  Click(kPreviousSheet);
  EXPECT_EQ(window.ShownPage(), 1);
  Click(kThumbnail);
  EXPECT_EQ(window.PrintLayoutMode(), 2);
  EXPECT_EQ(window.ShownPage(), 0);
  EXPECT_EQ(window.LastPage(), 0);  // three pictures fit one sheet
  Click(kFullPage);
  EXPECT_EQ(window.PrintLayoutMode(), 1);
  EXPECT_EQ(window.LastPage(), 2);
  // Help and a press outside every item do nothing.
  Click(kHelp);
  Mouse(&window, QEvent::MouseMove, {5, 300});
  Mouse(&window, QEvent::MouseButtonPress, {5, 300});
  Mouse(&window, QEvent::MouseButtonRelease, Centre(window.PrintItemRects()[kNextSheet]));
  EXPECT_EQ(window.ShownPage(), 0);
  EXPECT_TRUE(window.isVisible());
}

TEST_F(FrmPrinterTest, APressOnPrintReleasedElsewherePrintsAndTheWindowClosesClean) {
  FrmPrinter& window = Open();
  window.CurrentPrinter().SetOutputFileName(m_folder.File("out.pdf"));
  window.txtCopies()->setText("");
  Fakes::ScriptedMessageBox boxes;
  Click(kPrint, {5, 300});
  EXPECT_TRUE(QFileInfo(m_folder.File("out.pdf")).size() > 0);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(window.txtCopies()->text(), "1");
  RunDeferredDeletes();
  EXPECT_TRUE(m_window.isNull());
  // The page files went with the window.
  EXPECT_TRUE(QDir(m_data).entryList({"~TempPrints*"}).isEmpty());
}

TEST_F(FrmPrinterTest, PrintingToPdfAsksForTheFileFirst) {
  FrmPrinter& window = Open();
  Click(kPrint);
  auto* ask = window.findChild<QFileDialog*>();
  ASSERT_NE(ask, nullptr);
  EXPECT_FALSE(QFileInfo::exists(PrintJob::PageFile(m_data, 0)));  // nothing printed yet
  ask->selectFile(m_folder.File("asked.pdf"));
  QMetaObject::invokeMethod(ask, "accept");
  QCoreApplication::processEvents();
  EXPECT_TRUE(QFileInfo(m_folder.File("asked.pdf")).size() > 0);
}

TEST_F(FrmPrinterTest, AJobThePrinterRefusesSaysSoAndKeepsTheWindow) {
  FrmPrinter& window = Open();
  window.CurrentPrinter().SetOutputFileName(m_folder.File("missing/folder/out.pdf"));
  Fakes::ScriptedMessageBox boxes;
  Click(kPrint);
  RunDeferredDeletes();
  ASSERT_FALSE(m_window.isNull());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].prompt, "The printer could not print the pages.");
  EXPECT_TRUE(window.CurrentPrinter().OutputFileName().isEmpty());  // the next Print asks again
  // Closing removes the page files the failed job left.
  ASSERT_TRUE(QFileInfo::exists(PrintJob::PageFile(m_data, 2)));
  window.close();
  EXPECT_FALSE(QFileInfo::exists(PrintJob::PageFile(m_data, 0)));
}

TEST_F(FrmPrinterTest, ChoosingAPrinterChangesTheNameButNotTheFactsLine) {
  Printing::SetQueueService(std::make_unique<FakeQueues>(QStringList{"Office", "Lab"}));
  FrmPrinter& window = Open();
  EXPECT_EQ(window.cuPrinter()->text(), "Office");
  const QString facts = window.FactsShown();
  const QImage before = window.BackBuffer().copy();
  window.CurrentPrinter().SetOrientation(2);  // the new printer's paper differs
  window.PrinterMenu()->actions().at(1)->trigger();
  EXPECT_EQ(window.cuPrinter()->text(), "Lab");
  EXPECT_EQ(window.CurrentPrinter().DeviceName(), "Lab");
  EXPECT_EQ(window.FactsShown(), facts);
  EXPECT_EQ(window.BackBuffer(), before);
  // An unknown name changes nothing.
  window.cbPrintersSel("lab");
  EXPECT_EQ(window.cuPrinter()->text(), "Lab");
}

TEST_F(FrmPrinterTest, EveryPrinterIsListed) {
  QStringList twelve;
  for (int i = 0; i < 12; ++i) {
    twelve << QString("Queue %1").arg(i);
  }
  Printing::SetQueueService(std::make_unique<FakeQueues>(twelve));
  Printing::SetPdfPrinterEnabled(false);
  FrmPrinter& window = Open();
  QStringList listed;
  for (const QAction* action : window.PrinterMenu()->actions()) {
    listed << action->text();
  }
  EXPECT_EQ(listed, twelve);
  EXPECT_EQ(window.cuPrinter()->text(), "Queue 0");
}

TEST_F(FrmPrinterTest, ClosingWithoutAJobLeavesOtherFilesAlone) {
  const QString skinTemp = m_folder.Write("~Skintemp.tmp", "someone else's");
  Open();
  Fakes::ScriptedMessageBox boxes;
  // The title bar's close button.
  const QRectF close = ButtonControl::ButtonRects(m_window->TitleSkin()->width())[ButtonControl::CloseButton];
  Mouse(m_window->TitleSkin(), QEvent::MouseMove, close.center());
  Mouse(m_window->TitleSkin(), QEvent::MouseButtonPress, close.center());
  Mouse(m_window->TitleSkin(), QEvent::MouseButtonRelease, close.center());
  RunDeferredDeletes();
  EXPECT_TRUE(m_window.isNull());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(QFileInfo::exists(skinTemp));
}

TEST_F(FrmPrinterTest, ASecondPrintCommandBringsTheOpenWindowForward) {
  QWidget owner;
  PrintWindow opener(&owner, m_selection, m_data);
  opener.Show();
  const QPointer<FrmPrinter> first = opener.Window();
  ASSERT_FALSE(first.isNull());
  EXPECT_EQ(first->parentWidget(), &owner);
  opener.Show();
  EXPECT_EQ(opener.Window(), first.data());
  opener.Unload();
  RunDeferredDeletes();
  EXPECT_TRUE(first.isNull());
  opener.Show();
  EXPECT_NE(opener.Window(), nullptr);
}

TEST_F(FrmPrinterTest, ScreenshotsOfTheThreeLayouts) {
  QStringList files;
  for (int i = 0; i < 8; ++i) {
    files << PrintTests::WriteFlat(m_folder, QString("shot%1.png").arg(i), {400 + i * 40, 300 + (i % 3) * 80},
                                   PrintTests::Distinct(i));
  }
  m_selection.SetFiles(files);
  FrmPrinter& window = Open();
  const char* names[] = {"print-window-fit.png", "print-window-full.png", "print-window-thumbnails.png"};
  for (int layout = 0; layout < 3; ++layout) {
    Click(layout);
    Mouse(&window, QEvent::MouseMove, {5, 300});
    EXPECT_TRUE(window.grab().save(TestSupport::ArtifactsFolder() + "/" + names[layout]));
  }
}
