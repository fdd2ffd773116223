// Starting and closing the program again and again, as a new user would: every start
// puts the window and its bars where the last one left them, to the pixel.
#include <array>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "ProgramFolder.h"
#include "ProgramRun.h"
#include "X11Windows.h"
#include "foundation/ModqzReg.h"
#include "platform/Registry.h"

namespace {

using namespace std::chrono_literals;

// The stored values a start reads or a close writes about the window and its bars.
constexpr std::array<QStringView, 9> kPlaces{
    ModqzReg::ValueName::SplitlvTop, ModqzReg::ValueName::SplitVTop, ModqzReg::ValueName::SplitHLeft,
    ModqzReg::ValueName::IsMax,      ModqzReg::ValueName::OldX,      ModqzReg::ValueName::OldY,
    ModqzReg::ValueName::OldW,       ModqzReg::ValueName::OldH,      ModqzReg::ValueName::OldThumTop};

struct Outcome {
  XTest::Connection::Box window;
  std::vector<std::int32_t> stored;
  bool operator==(const Outcome&) const = default;
};

class Restarts : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramRun::VirtualDisplay::Installed()) {
      GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
    }
    ASSERT_TRUE(m_home.isValid());
    ASSERT_TRUE(m_folder.IsValid()) << m_folder.Problem().toStdString();
    // One connection for the whole test: the server resets when its last client leaves,
    // and a start during that reset would find no display.
    m_x = XTest::Connection::Open(m_display.Name().toStdString());
    ASSERT_NE(m_x, nullptr);
    m_env = ProgramRun::ProgramEnvironment(m_display.Name());
    m_env.insert("HOME", m_home.path());
    m_env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
    m_env.insert("XDG_DATA_HOME", m_home.filePath(".local/share"));
    Registry::SetFilePath(m_home.filePath(".config/lorvane/registry.ini"));
  }
  void TearDown() override { Registry::SetFilePath({}); }

  // One start: the window as it stands once steady, then a normal close.
  Outcome StartAndClose() {
    XTest::Connection* x = m_x.get();
    QProcess program;
    program.setProcessEnvironment(m_env);
    program.start(m_folder.Program());
    EXPECT_TRUE(program.waitForStarted(ProgramRun::PatienceMs()));
    const unsigned long window = ProgramRun::WaitForWindow(*x, "Vesk Lorvane 6 - Free");
    EXPECT_NE(window, 0u);
    Outcome run;
    // The first resize places the window over the work area: wait until it stays.
    for (auto waited = 0ms; waited < ProgramRun::kPatience && window != 0; waited += 200ms) {
      const XTest::Connection::Box box = x->Geometry(window);
      if (box == run.window && box.width > 0) {
        break;
      }
      run.window = box;
      std::this_thread::sleep_for(200ms);
    }
    x->RequestClose(window);
    EXPECT_TRUE(program.waitForFinished(ProgramRun::PatienceMs()));
    for (QStringView name : kPlaces) {
      run.stored.push_back(ModqzReg::GetRegDword(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, name));
    }
    return run;
  }

  void ExpectThreeSameRuns() {
    const Outcome first = StartAndClose();
    EXPECT_EQ(first.window.width, 1024);
    EXPECT_EQ(first.window.height, 768);
    EXPECT_GT(first.stored[2], 260) << "a first run shows the left column";
    for (int i = 0; i < 2; ++i) {
      const Outcome next = StartAndClose();
      EXPECT_EQ(next.window, first.window);
      EXPECT_EQ(next.stored, first.stored);
    }
  }

  ProgramRun::VirtualDisplay m_display;
  ProgramRun::ProgramFolder m_folder;
  std::unique_ptr<XTest::Connection> m_x;
  QTemporaryDir m_home;
  QProcessEnvironment m_env;
};

TEST_F(Restarts, ThreeRunsGiveTheSameWindowAndBars) { ExpectThreeSameRuns(); }

TEST_F(Restarts, ThreeMaximisedRunsGiveTheSameWindowAndBarsAndStayMaximised) {
  ModqzReg::SaveRegDword(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, ModqzReg::ValueName::IsMax, 1);
  ExpectThreeSameRuns();
  EXPECT_EQ(ModqzReg::GetRegDword(ModqzReg::HKEY_CURRENT_USER, ModqzReg::LorvaneKey, ModqzReg::ValueName::IsMax), 1);
}

}  // namespace
