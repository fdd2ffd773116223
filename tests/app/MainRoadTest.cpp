// The main road of the program on a virtual display: a folder of pictures chosen in the
// tree fills the sheet, a click on a thumbnail shows the picture on the canvas, and
// closing the window saves the settings.
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPoint>
#include <QTemporaryDir>

#include "ProgramRun.h"
#include "X11Windows.h"
#include "support/TestFolder.h"

namespace {

using namespace std::chrono_literals;

// Flat colours, so that any pixel of a thumbnail or of the canvas tells which picture it is.
const QColor kFirst{220, 30, 40};
const QColor kOthers[] = {{30, 160, 60}, {40, 70, 200}};

QImage ToImage(const XTest::Connection::Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      line[x] = 0xFF000000u | picture.rgb[std::size_t(y) * std::size_t(picture.width) + std::size_t(x)];
    }
  }
  return image;
}

bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 && std::abs(a.blue() - b.blue()) <= 8;
}

// The pixels of a colour in a band of columns, and the first of them.
struct Found {
  int count = 0;
  QPoint first;
};
Found FindColour(const QImage& shot, QColor colour, int fromX, int toX) {
  Found found;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = std::max(fromX, 0); x < std::min(toX, shot.width()); ++x) {
      if (Near(shot.pixelColor(x, y), colour)) {
        if (found.count++ == 0) {
          found.first = {x, y};
        }
      }
    }
  }
  return found;
}

// Photographs the window until the condition holds on a photograph; the last one is kept.
bool WaitForShot(XTest::Connection& x, unsigned long window, QImage& shot, const std::function<bool(const QImage&)>& ok) {
  for (auto waited = 0ms; waited < 30s; waited += 200ms) {
    shot = ToImage(x.Capture(window));
    if (!shot.isNull() && ok(shot)) {
      return true;
    }
    std::this_thread::sleep_for(200ms);
  }
  return false;
}

// Waits until two photographs half a second apart are the same.
bool WaitUntilSteady(XTest::Connection& x, unsigned long window, QImage& shot) {
  QImage last;
  return WaitForShot(x, window, shot, [&](const QImage& s) {
    std::this_thread::sleep_for(300ms);
    const bool same = s == last;
    last = s;
    return same;
  });
}

}  // namespace

TEST(MainRoad, ChosenFolderFillsTheSheetAndAClickedThumbnailShowsOnTheCanvas) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  ProgramRun::VirtualDisplay display;
  ASSERT_FALSE(display.Name().isEmpty()) << "Xvfb did not start";
  auto x = XTest::Connection::Open(display.Name().toStdString());
  ASSERT_NE(x, nullptr);

  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  // The only folder in the home, which the tree opens at start.
  const QString pictures = home.filePath("Holiday");
  QDir().mkpath(pictures);
  QImage image(320, 240, QImage::Format_RGB32);
  image.fill(kFirst);
  ASSERT_TRUE(image.save(pictures + "/a-first.png"));
  for (int i = 0; i < 2; ++i) {
    image.fill(kOthers[i]);
    ASSERT_TRUE(image.save(pictures + QStringLiteral("/b-other%1.png").arg(i)));
  }

  QProcessEnvironment env = ProgramRun::ProgramEnvironment(display.Name());
  env.insert("HOME", home.path());
  env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
  env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
  env.insert("XDG_CACHE_HOME", home.filePath(".cache"));
  QProcess program;
  program.setProcessEnvironment(env);
  program.start(ProgramRun::ProgramPath());
  ASSERT_TRUE(program.waitForStarted(10000));
  const unsigned long window = ProgramRun::WaitForWindow(*x, "Vesk Lorvane 6 - Free");
  ASSERT_NE(window, 0u);

  // The folder is chosen by hand: a click gives the tree the keyboard, and typing a
  // name's beginning selects the shown folder of that name.
  QImage shot;
  ASSERT_TRUE(WaitUntilSteady(*x, window, shot)) << "the window kept changing";
  x->Click(window, 40, shot.height() / 2);
  x->Type(window, "holiday");

  // The sheet fills: all three pictures appear as thumbnails.
  const bool sheetFilled = WaitForShot(*x, window, shot, [](const QImage& s) {
    return FindColour(s, kFirst, 0, s.width()).count > 1000 && FindColour(s, kOthers[0], 0, s.width()).count > 1000 &&
           FindColour(s, kOthers[1], 0, s.width()).count > 1000;
  });
  ASSERT_TRUE(sheetFilled) << "the sheet did not show the folder's thumbnails";
  const Found thumbnail = FindColour(shot, kFirst, 0, shot.width());
  const int thumbsArea = thumbnail.count;

  // A click on the first thumbnail shows its picture on the canvas, beside the sheet.
  x->Click(window, thumbnail.first.x() + 20, thumbnail.first.y() + 20);
  const bool canvasShows =
      WaitForShot(*x, window, shot, [&](const QImage& s) { return FindColour(s, kFirst, 0, s.width()).count > 3 * thumbsArea; });
  shot.save(TestSupport::ArtifactsFolder() + "/lorvane-main-road.png");
  EXPECT_TRUE(canvasShows) << "the canvas did not show the clicked picture";

  x->RequestClose(window);
  ASSERT_TRUE(program.waitForFinished(20000));
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
  QFile settings(home.filePath(".config/lorvane/registry.ini"));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "closing did not save the settings";
  EXPECT_TRUE(QString::fromUtf8(settings.readAll()).contains(pictures));
}
