#include <gtest/gtest.h>

#include <QPageSetupDialog>
#include <QPrinter>
#include <QWidget>

#include "platform/Printer.h"

using Printing::kPdfPrinterName;

namespace {

class FakeQueues final : public Printing::PrinterQueues {
 public:
  FakeQueues(QStringList names, QString preferred) : m_names(std::move(names)), m_default(std::move(preferred)) {}
  QStringList InstalledNames() const override { return m_names; }
  QString DefaultName() const override { return m_default; }

 private:
  QStringList m_names;
  QString m_default;
};

// Puts fake queues in place for one test and restores everything afterwards.
class PrinterTest : public ::testing::Test {
 protected:
  void Queues(QStringList names, QString preferred = {}) {
    Printing::SetQueueService(std::make_unique<FakeQueues>(std::move(names), std::move(preferred)));
  }
  void TearDown() override {
    Printing::SetQueueService(nullptr);
    Printing::SetPdfPrinterEnabled(true);
  }
};

}  // namespace

TEST_F(PrinterTest, TheListIsTheQueuesThenThePdfEntryUnlessSwitchedOff) {
  Queues({"Office", "Lab"}, "Lab");
  EXPECT_EQ(Printing::AvailablePrinters(), QStringList({"Office", "Lab", kPdfPrinterName}));
  EXPECT_EQ(Printing::DefaultPrinterName(), "Lab");

  Printing::SetPdfPrinterEnabled(false);
  EXPECT_EQ(Printing::AvailablePrinters(), QStringList({"Office", "Lab"}));
  Queues({"Office", "Lab"}, "Gone");
  EXPECT_EQ(Printing::DefaultPrinterName(), "Office");

  Queues({});
  EXPECT_TRUE(Printing::AvailablePrinters().isEmpty());
  EXPECT_TRUE(Printing::DefaultPrinterName().isEmpty());
  Printing::SetPdfPrinterEnabled(true);
  EXPECT_EQ(Printing::DefaultPrinterName(), kPdfPrinterName);
}

TEST_F(PrinterTest, OnlyListedPrintersCanBeChosen) {
  Queues({"Office"});
  Printing::Printer printer;
  EXPECT_EQ(printer.DeviceName(), "Office");
  EXPECT_FALSE(printer.IsPdf());
  EXPECT_FALSE(printer.SetDeviceName("Nowhere"));
  EXPECT_EQ(printer.DeviceName(), "Office");
  EXPECT_TRUE(printer.SetDeviceName(kPdfPrinterName));
  EXPECT_TRUE(printer.IsPdf());
  EXPECT_EQ(printer.Device().outputFormat(), QPrinter::PdfFormat);
}

TEST_F(PrinterTest, PaperFactsFollowTheOrientation) {
  Queues({});
  Printing::Printer printer;
  printer.Device().setPageSize(QPageSize(QPageSize::Letter));
  EXPECT_EQ(printer.Orientation(), 1);
  EXPECT_EQ(printer.PaperTwips(), QSizeF(12240, 15840));
  printer.SetOrientation(2);
  EXPECT_EQ(printer.Orientation(), 2);
  EXPECT_EQ(printer.PaperTwips(), QSizeF(15840, 12240));
  EXPECT_GT(printer.PrintableMillimetres().width(), printer.PrintableMillimetres().height());

  printer.SetCopies(0);
  EXPECT_EQ(printer.Copies(), 1);
  printer.SetCopies(3);
  EXPECT_EQ(printer.Copies(), 3);
}

TEST_F(PrinterTest, PageSetupReportsWhetherItWasAccepted) {
  Queues({});
  Printing::Printer printer;
  QWidget owner;
  std::vector<bool> results;
  for (bool accept : {true, false}) {
    Printing::ShowPrinterDefaults(&owner, printer, [&results](bool accepted) { results.push_back(accepted); });
    auto* dialog = owner.findChild<QPageSetupDialog*>();
    ASSERT_NE(dialog, nullptr);
    accept ? dialog->accept() : dialog->reject();
    delete dialog;  // closed dialogs delete themselves later; the next one must be found alone
  }
  EXPECT_EQ(results, std::vector<bool>({true, false}));
}
