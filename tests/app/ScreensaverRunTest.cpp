// The screensaver program on a private virtual display: its three faces started as a
// desktop would start them.
#include <fstream>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "ProgramRun.h"
#include "platform/Registry.h"
#include "support/TestFolder.h"

namespace {

using namespace ProgramRun;

constexpr const char* kSettingsTitle = "Vesk Lorvane Screensaver";
constexpr const char* kShowTitle = "LorvaScr";

QString ScreensaverPath() { return QCoreApplication::applicationDirPath() + "/lorvanescr"; }

// A display, a home with its own settings store and runtime folder, and a picture set.
class ScreensaverRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!VirtualDisplay::Installed()) {
      GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
    }
    ASSERT_FALSE(m_display.Name().isEmpty()) << "Xvfb did not start";
    m_x = XTest::Connection::Open(m_display.Name().toStdString());
    ASSERT_NE(m_x, nullptr);
    m_env = ProgramEnvironment(m_display.Name());
    m_env.insert("HOME", m_home.path());
    m_env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
    m_env.insert("XDG_RUNTIME_DIR", m_runtime.path());
    Registry::SetFilePath(m_home.filePath(".config/lorvane/registry.ini"));
  }
  void TearDown() override { Registry::SetFilePath({}); }

  void MakePictureSet() {
    const QString folder = m_home.filePath("program/ScrDatas");
    QDir().mkpath(folder);
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder + "/Scrdata0.dat", "PNG"));
    Registry::SetValue(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane", u"Apppath",
                       Registry::Value::Sz(m_home.filePath("program")));
  }

  void Start(QProcess& program, const QStringList& arguments) {
    program.setProcessEnvironment(m_env);
    program.start(ScreensaverPath(), arguments);
    ASSERT_TRUE(program.waitForStarted(ProgramRun::PatienceMs()));
  }

  static void ExpectEnds(QProcess& program, const char* why) {
    if (!program.waitForFinished(ProgramRun::PatienceMs())) {
      program.kill();
      program.waitForFinished();
      ADD_FAILURE() << "the screensaver did not end " << why << ": "
                    << program.readAllStandardError().toStdString();
    }
  }

  static void Save(const XTest::Connection::Picture& shot, const QString& name) {
    QImage image(shot.width, shot.height, QImage::Format_RGB32);
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        image.setPixel(x, y, 0xFF000000u | shot.rgb[std::size_t(y) * shot.width + x]);
      }
    }
    image.save(QDir(TestSupport::ArtifactsFolder()).filePath(name));
  }

  static std::uint32_t At(const XTest::Connection::Picture& shot, int x, int y) {
    return shot.rgb.at(std::size_t(y) * shot.width + x);
  }

  VirtualDisplay m_display;
  std::unique_ptr<XTest::Connection> m_x;
  QProcessEnvironment m_env;
  QTemporaryDir m_home;
  QTemporaryDir m_runtime;
};

TEST_F(ScreensaverRun, SettingsDialogShowsAndEndsWhenClosed) {
  QProcess program;
  Start(program, {"/C"});
  const unsigned long window = WaitForWindow(*m_x, kSettingsTitle);
  ASSERT_NE(window, 0u);
  const auto shot = m_x->Capture(window);
  EXPECT_EQ(shot.width, 324);
  EXPECT_EQ(shot.height, 137);
  Save(shot, "screensaver-settings-xvfb.png");
  m_x->RequestClose(window);
  ExpectEnds(program, "when its settings dialog closed");
  EXPECT_EQ(program.exitCode(), 0);
}

TEST_F(ScreensaverRun, FullScreenShowRunsOnceAndEndsOnAPointerMove) {
  MakePictureSet();
  QProcess program;
  Start(program, {"/S"});
  const unsigned long window = WaitForWindow(*m_x, kShowTitle);
  ASSERT_NE(window, 0u);

  QProcess second;
  Start(second, {"-s"});
  ExpectEnds(second, "though a show was running");
  EXPECT_EQ(second.exitCode(), 0);

  // The fade takes 32 frames; then the picture stands at the centre, 3 px low, and the
  // piled-up draws end within a step of full red.
  XTest::Connection::Picture shot;
  const bool faded = WaitUntil([&] {
    shot = m_x->Capture(window);
    return shot.width == 1024 && At(shot, 512, 387) >> 16 >= 0xF0u;
  });
  ASSERT_EQ(shot.width, 1024);
  Save(shot, "screensaver-frame.png");
  ASSERT_TRUE(faded) << "the fade did not bring the centre to full red; its red stayed at "
                     << (At(shot, 512, 387) >> 16);
  EXPECT_LT(At(shot, 512, 387) & 0xFFFFu, 0x1010u);
  EXPECT_EQ(At(shot, 100, 100), 0x000000u);
  EXPECT_EQ(program.state(), QProcess::Running);

  // Moves count from where the pointer was when the show opened: the server's starting
  // place, the screen's centre. The first move far from it ends the show.
  m_x->MoveTo(window, 514, 385);
  m_x->MoveTo(window, 510, 387);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(program.state(), QProcess::Running) << "a tremble of 2 px ended the show";
  m_x->MoveTo(window, 12, 384);
  ExpectEnds(program, "on one move of 500 px");
}

TEST_F(ScreensaverRun, PreviewFillsItsWindowAndEndsWithIt) {
  MakePictureSet();
  const unsigned long parent = m_x->CreateWindow(400, 240);
  QProcess program;
  Start(program, {"/P", QString::number(parent)});
  // The parent starts white; the preview covers it in black with the picture, fitted to
  // 320 x 240, in the middle.
  EXPECT_TRUE(WaitUntil([&] {
    const auto shot = m_x->Capture(parent);
    return shot.width == 400 && At(shot, 2, 2) == 0x000000u && At(shot, 397, 237) == 0x000000u &&
           At(shot, 200, 120) >> 16 >= 0xF0u;
  })) << "the preview did not fill its window";
  EXPECT_EQ(program.state(), QProcess::Running);
  // The window grows: the preview follows it, its picture again in the middle.
  m_x->Resize(parent, 600, 300);
  EXPECT_TRUE(WaitUntil([&] {
    const auto shot = m_x->Capture(parent);
    return shot.width == 600 && At(shot, 597, 297) == 0x000000u && At(shot, 300, 150) >> 16 >= 0xF0u &&
           At(shot, 50, 150) == 0x000000u;
  })) << "the preview did not follow its window's new size";
  m_x->DestroyWindow(parent);
  ExpectEnds(program, "when its window went away");
}

TEST_F(ScreensaverRun, PreviewWithoutAWindowIdEndsAtOnce) {
  QProcess program;
  Start(program, {"/P"});
  ExpectEnds(program, "without a window id");
  EXPECT_EQ(program.exitCode(), 0);
}

TEST(ScreensaverLink, UsesNoOtherLorvaneLibrary) {
  std::ifstream links((QCoreApplication::applicationDirPath() + "/lorvanescr-links.txt").toStdString());
  std::string line;
  ASSERT_TRUE(std::getline(links, line));
  std::size_t at = 0;
  while ((at = line.find("lorvane_", at)) != std::string::npos) {
    const std::string name = line.substr(at, line.find(';', at) - at);
    EXPECT_TRUE(name == "lorvane_screensaver" || name == "lorvane_platform") << name;
    at += name.size();
  }
}

}  // namespace
