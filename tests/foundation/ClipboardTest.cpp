#include <vector>

#include <QClipboard>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include "foundation/GdiDIB.h"
#include "foundation/ModClipboard.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "support/ChildTestRun.h"
#include "support/Pasting.h"
#include "support/TestFolder.h"

using namespace ModGDI;

namespace {

// A picture whose quadrants differ, so a shifted or flipped copy shows.
std::unique_ptr<Gdip::Bitmap> Quadrants(int w, int h) {
  auto picture = Gdip::Bitmap::Create(w, h);
  picture->Image().fill(0xFFFF0000u);
  QPainter p(&picture->Image());
  p.fillRect(0, 0, w / 2, h / 2, QColor(0, 0, 255));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(0, 255, 0));
  return picture;
}

// Points the program folder at a temporary one for the life of a test.
class ProgramFolderSwap {
 public:
  ProgramFolderSwap() : m_previous(ModPublic::ProgramFolder()) { ModPublic::SetProgramFolder(m_folder.Path()); }
  ~ProgramFolderSwap() { ModPublic::SetProgramFolder(m_previous); }
  QString Path() const { return m_folder.Path(); }
  QString File(const QString& name) const { return m_folder.File(name); }

 private:
  TestSupport::TestFolder m_folder;
  QString m_previous;
};

void ExpectQuadrants(const QImage& image) {
  const int w = image.width();
  const int h = image.height();
  EXPECT_EQ(image.pixel(1, 1) & 0xFFFFFFu, 0x0000FFu);
  EXPECT_EQ(image.pixel(w - 2, 1) & 0xFFFFFFu, 0xFF0000u);
  EXPECT_EQ(image.pixel(w - 2, h - 2) & 0xFFFFFFu, 0x00FF00u);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
  const QDeadlineTimer deadline(milliseconds);
  while (!done()) {
    if (deadline.hasExpired()) {
      return false;
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

// Runs a process while this program keeps answering clipboard requests.
QByteArray RunServing(const QString& program, const QStringList& arguments, bool& finished) {
  QProcess process;
  process.start(program, arguments);
  finished = process.waitForStarted(5000) &&
             PumpUntil([&] { return process.state() == QProcess::NotRunning; }, 10000);
  if (!finished) {
    process.kill();
    process.waitForFinished(2000);
  }
  return process.readAllStandardOutput();
}

}  // namespace

TEST(Clipboard, CopyFlattensOntoBlackAndScalesToTheGivenSize) {
  auto picture = Quadrants(20, 10);
  picture->Image().setPixel(0, 9, 0x00FFFFFFu);  // fully transparent
  ASSERT_TRUE(CopyImageToClipboard(*picture, 0, 0, 20, 10));
  ASSERT_TRUE(TestSupport::PasteFromClipboard());
  EXPECT_EQ(ClipboardImage().Width(), 20);
  EXPECT_EQ(ClipboardImage().Height(), 10);
  const QImage& pasted = ClipboardImage().DIB()->Image();
  ExpectQuadrants(pasted);
  EXPECT_EQ(pasted.pixel(0, 9), 0xFF000000u);

  ASSERT_TRUE(CopyImageToClipboard(*picture, 0, 0, 40, 30));
  ASSERT_TRUE(TestSupport::PasteFromClipboard());
  EXPECT_EQ(ClipboardImage().DIB()->Image().size(), QSize(40, 30));
  ExpectQuadrants(ClipboardImage().DIB()->Image());
  EXPECT_FALSE(CopyImageToClipboard(*picture, 0, 0, 0, 30));
}

TEST(Clipboard, TextOnlyClipboardLeavesTheHolderEmptyAndStartsNothing) {
  auto picture = Quadrants(8, 8);
  ASSERT_TRUE(CopyImageToClipboard(*picture, 0, 0, 8, 8));
  ASSERT_TRUE(TestSupport::PasteFromClipboard());
  QGuiApplication::clipboard()->setText("just words");
  ClipboardPaste paste([] { ADD_FAILURE() << "nothing to arrive"; });
  EXPECT_FALSE(paste.Start());
  EXPECT_FALSE(paste.Arriving());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(ClipboardImage().DIB(), nullptr);
  EXPECT_EQ(ClipboardImage().Width(), 0);
}

// Ctrl+V pressed again while the picture still arrives: the busy cursor stays up until
// the last paste's picture is there, and an earlier one never lands after it.
TEST(Clipboard, OnlyTheNewestOfQuickPastesArrivesAndTheBusyCursorShowsMeanwhile) {
  std::vector<QSize> arrived;
  ClipboardPaste paste([&] { arrived.push_back(ClipboardImage().DIB()->Image().size()); });
  // The first takes the longer to convert, so it would come last if it came at all.
  QGuiApplication::clipboard()->setImage(Quadrants(3000, 2000)->Image().convertToFormat(QImage::Format_RGB888));
  ASSERT_TRUE(paste.Start());
  QGuiApplication::clipboard()->setImage(Quadrants(30, 20)->Image());
  ASSERT_TRUE(paste.Start());
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  EXPECT_EQ(ClipboardImage().DIB(), nullptr) << "nothing is held before the picture arrives";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !paste.Arriving(); }, 20000));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  // Time for the replaced paste's picture to come, were it let through.
  QTest::qWait(300);
  EXPECT_EQ(arrived, std::vector<QSize>{QSize(30, 20)});
  ExpectQuadrants(ClipboardImage().DIB()->Image());
}

TEST(Clipboard, StampFileFromThePasteOrAnImage) {
  const ProgramFolderSwap program;
  const QString stamp = StampTempPath();
  EXPECT_EQ(stamp, program.Path() + "/Librarians/Stamptemp.tmp");

  ASSERT_TRUE(CopyImageToClipboard(*Quadrants(300, 200), 0, 0, 300, 200));
  ASSERT_TRUE(TestSupport::PasteFromClipboard());
  ASSERT_TRUE(SaveClipboardStamp(true, nullptr, 0, 0));
  const QImage saved(stamp, "PNG");
  EXPECT_EQ(saved.size(), QSize(300, 200));
  ExpectQuadrants(saved);

  auto other = Quadrants(10, 10);
  ASSERT_TRUE(SaveClipboardStamp(false, other.get(), 30, 20));
  EXPECT_EQ(QImage(stamp, "PNG").size(), QSize(30, 20));
}

// Nothing pasted: the old stamp is not overwritten and the caller is told, so it never
// hands the old stamp on as the pasted picture.
TEST(Clipboard, EmptyHolderWritesNoStampAndSaysSo) {
  const ProgramFolderSwap program;
  const QString stamp = StampTempPath();
  ASSERT_TRUE(SaveClipboardStamp(false, Quadrants(6, 6).get(), 6, 6));
  QGuiApplication::clipboard()->setText("no picture here");
  EXPECT_FALSE(TestSupport::PasteFromClipboard());
  EXPECT_FALSE(SaveClipboardStamp(true, nullptr, 0, 0));
  EXPECT_EQ(QImage(stamp, "PNG").size(), QSize(6, 6));
  EXPECT_FALSE(SaveClipboardStamp(false, nullptr, 6, 6));
}

// Runs inside a child process on a private X server (see the test below): pictures go to
// and come from another X client, xclip, through the real X11 clipboard.
TEST(ClipboardX11Child, RoundTripWithAnotherProgram) {
  if (qEnvironmentVariable("LORVANE_X11_CLIPBOARD_CHILD") != QLatin1String("1")) {
    GTEST_SKIP() << "runs only as the child of ClipboardX11.RoundTripWithXclip";
  }
  ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
  ASSERT_TRUE(CopyImageToClipboard(*Quadrants(30, 20), 0, 0, 30, 20));
  bool finished = false;
  const QByteArray png =
      RunServing("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"}, finished);
  ASSERT_TRUE(finished);
  const QImage seen = QImage::fromData(png, "PNG");
  ASSERT_EQ(seen.size(), QSize(30, 20));
  ExpectQuadrants(seen);

  const ProgramFolderSwap program;
  const QString offered = program.File("offered.png");
  // Translucent and fully transparent pixels too: the paste keeps every pixel as it was.
  QImage source = Quadrants(300, 200)->Image().convertToFormat(QImage::Format_ARGB32);
  for (int x = 0; x < 300; ++x) {
    source.setPixel(x, 100, qRgba(x % 256, 40, 200, x % 256));
  }
  ASSERT_TRUE(source.save(offered, "PNG"));
  QProcess xclip;
  xclip.start("xclip", {"-quiet", "-selection", "clipboard", "-t", "image/png", "-i", offered});
  ASSERT_TRUE(xclip.waitForStarted(5000));
  // Our own picture stays on the clipboard until xclip has taken it over.
  EXPECT_TRUE(PumpUntil([&] { return !QGuiApplication::clipboard()->ownsClipboard(); }, 10000));
  ASSERT_TRUE(TestSupport::PasteFromClipboard());
  EXPECT_EQ(ClipboardImage().DIB()->Image(), source);
  xclip.kill();
  xclip.waitForFinished(2000);
  ASSERT_TRUE(SaveClipboardStamp(true, nullptr, 0, 0));
  const QImage stamp(StampTempPath(), "PNG");
  EXPECT_EQ(stamp.size(), QSize(300, 200));
  ExpectQuadrants(stamp);
}

// Starts a private X server and runs the child test above in this same test program
// on it, as the offscreen platform of this process has only an in-process clipboard.
TEST(ClipboardX11, RoundTripWithXclip) {
  if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xclip").isEmpty()) {
    GTEST_SKIP() << "Xvfb or xclip is not installed (scripts/install-deps installs both)";
  }
  int display = 90;
  while (display < 200 && (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)) ||
                           QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)))) {
    ++display;
  }
  const QString name = QStringLiteral(":%1").arg(display);
  QProcess server;
  server.start("Xvfb", {name, "-nolisten", "tcp", "-screen", "0", "320x240x24"});
  const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
  const bool up = server.waitForStarted(5000) &&
                  PumpUntil([&] { return QFile::exists(socket) || server.state() == QProcess::NotRunning; }, 10000) &&
                  server.state() == QProcess::Running;
  if (!up) {
    server.kill();
    server.waitForFinished(2000);
    GTEST_SKIP() << "no X server could be started on " << name.toStdString() << ": "
                 << server.readAllStandardError().toStdString();
  }
  const auto child = TestSupport::RunOnDisplay(name, "ClipboardX11Child.*", "LORVANE_X11_CLIPBOARD_CHILD");
  server.terminate();
  server.waitForFinished(5000);
  EXPECT_TRUE(child.Passed()) << child.Output.toStdString();
}
