// An effect as a new user meets it, on the real program under a virtual display: rain
// previewed on a 24-megapixel photo, applied, and the result beside the preview.
#include <numeric>

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "ProgramRun.h"
#include "RoadSession.h"
#include "WindowShots.h"
#include "X11Windows.h"
#include "support/TestFolder.h"
#include "support/TestPictures.h"

using namespace WindowShots;
using namespace RoadSession;

namespace {

const QColor kNight{30, 45, 70};
constexpr int kEffectTitle = 215;
// "Rains": eleven rows and six separators below the Effect menu's top.
constexpr int kRainRow = 8 + 11 * 20 + 6 * 10 + 10;

}  // namespace

TEST(EffectRoad, RainAppliedOnALargePhotoLooksAsPreviewed) {
  if (!ProgramRun::VirtualDisplay::Installed()) {
    GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
  }
  QImage photo(6000, 4000, QImage::Format_RGB32);
  photo.fill(kNight);
  Session session;
  ASSERT_TRUE(session.Start(photo)) << "the program did not start on a virtual display";
  auto& x = *session.x;
  const unsigned long window = session.window;
  QImage shot;
  ASSERT_TRUE(session.ChooseFolder(shot)) << "the window kept changing";
  // The photo's thumbnail, in the sheet below the canvas (the window's icon has night
  // blues too).
  const auto sheet = [](const QImage& s) { return QRect(290, s.height() / 2, s.width() - 290, s.height() / 2); };
  // Below the toolbar, whose arrows have night blues as well.
  constexpr int kPanesTop = 90;
  ASSERT_TRUE(WaitForShot(x, window, shot, [&](const QImage& s) { return BoxOf(s, kNight, sheet(s)).width() > 50; }))
      << "the sheet did not show the photo";
  const QRect thumbnail = BoxOf(shot, kNight, sheet(shot));
  x.Click(window, thumbnail.center().x(), thumbnail.center().y());
  QImage opened;
  ASSERT_TRUE(WaitForShot(x, window, opened, [&](const QImage& s) {
    return BoxOf(s, kNight, QRect(290, kPanesTop, s.width() - 290, thumbnail.top() - 10 - kPanesTop)).width() > 200;
  })) << "the canvas did not show the photo";
  ASSERT_TRUE(WaitUntilSteady(x, window, opened));
  const QRect shown = BoxOf(opened, kNight, QRect(290, kPanesTop, opened.width() - 290, thumbnail.top() - 10 - kPanesTop));
  // At its own size the photo covers the whole canvas.
  const QRect canvas = shown;

  // Above the command bar, the part of the fitted photo that preview and result are
  // compared on.
  const auto comparedPart = [&](const QImage& s) {
    return BoxOf(s, kNight, canvas).intersected(QRect(canvas.left(), 0, canvas.width(), canvas.bottom() - 45));
  };
  const auto rainIn = [&](const QImage& s) {
    const auto light = TestSupport::LightPerCell(s.copy(comparedPart(s)), kNight.rgb(), 40);
    return std::accumulate(light.begin(), light.end(), 0.0);
  };

  // "Rains" from the Effect menu: the preview rains on the fitted photo. The photo is
  // fitted first and the rain drawn after, so a busy machine can show the one without
  // the other for a while.
  ASSERT_TRUE(ChooseMenuRow(x, window, kEffectTitle, kRainRow)) << "the menu did not open";
  QImage preview;
  ASSERT_TRUE(WaitForShot(x, window, preview, [&](const QImage& s) { return rainIn(s) > 0; }))
      << "the preview showed no rain";
  ASSERT_TRUE(WaitUntilSteady(x, window, preview));

  // The on-canvas Apply button, right of the 200 wide slider.
  const QPoint apply(canvas.left() + (canvas.width() - 200) / 2 - 50 + 200 + 27, canvas.bottom() - 22);
  x.MoveTo(window, apply.x(), apply.y());
  std::this_thread::sleep_for(200ms);
  x.Click(window, apply.x(), apply.y());
  // Applied, the command bar goes and the photo shows on its own again.
  const QRect bar(apply - QPoint(40, 10), QSize(80, 20));
  QImage applied;
  ASSERT_TRUE(WaitForShot(x, window, applied, [&](const QImage& s) { return s.copy(bar) != preview.copy(bar); }))
      << "Apply did not end the tool";
  ASSERT_TRUE(WaitUntilSteady(x, window, applied));
  // Back in viewing the photo shows at its own size; Shift+F fits it as the preview was.
  const QImage unfitted = applied;
  x.PressKey(window, "F", XTest::Connection::kShift);
  ASSERT_TRUE(WaitForShot(x, window, applied, [&](const QImage& s) { return !Changed(unfitted, s).isEmpty(); }))
      << "Shift+F did not fit the photo";
  ASSERT_TRUE(WaitUntilSteady(x, window, applied));

  // The preview on the left, the picture written on the right.
  const QRect compared = comparedPart(preview);
  const QImage seen = preview.copy(compared);
  const QImage written = applied.copy(compared);
  QImage sideBySide(compared.width() * 2 + 10, compared.height(), QImage::Format_RGB32);
  sideBySide.fill(Qt::white);
  {
    QPainter painter(&sideBySide);
    painter.drawImage(0, 0, seen);
    painter.drawImage(compared.width() + 10, 0, written);
  }
  sideBySide.save(TestSupport::ArtifactsFolder() + "/lorvane-rain-preview-and-applied.png");
  const auto seenLight = TestSupport::LightPerCell(seen, kNight.rgb(), 40);
  const auto writtenLight = TestSupport::LightPerCell(written, kNight.rgb(), 40);
  const double seenTotal = std::accumulate(seenLight.begin(), seenLight.end(), 0.0);
  const double writtenTotal = std::accumulate(writtenLight.begin(), writtenLight.end(), 0.0);
  ASSERT_GT(seenTotal, 0) << "the preview showed no rain";
  EXPECT_NEAR(writtenTotal / seenTotal, 1.0, 0.35) << "as much rain as the preview showed";
  EXPECT_GT(TestSupport::Correlation(seenLight, writtenLight), 0.8) << "where the preview showed it";

  // The photo counts as changed, so a close would ask to save it; this test ends here.
  session.program.kill();
  session.program.waitForFinished(20000);
}
