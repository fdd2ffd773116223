#include <gtest/gtest.h>

#include "screensaver/ScrCommandLine.h"

namespace {

using ScrCommandLine::Mode;
using ScrCommandLine::Parse;

std::optional<ScrCommandLine::Request> ParseLine(const QString& line, const QByteArray& env = {}) {
  return Parse(line.split(u' ', Qt::SkipEmptyParts), env);
}

TEST(ScrCommandLine, FirstTwoCharactersChooseTheMode) {
  EXPECT_EQ(ScrCommandLine::ModeOf(" /s "), Mode::FullScreen);
  EXPECT_EQ(ScrCommandLine::ModeOf("-S"), Mode::FullScreen);
  EXPECT_EQ(ScrCommandLine::ModeOf("/c:1234"), Mode::Settings);
  EXPECT_EQ(ScrCommandLine::ModeOf("-c"), Mode::Settings);
  EXPECT_EQ(ScrCommandLine::ModeOf(""), Mode::Settings);
  EXPECT_EQ(ScrCommandLine::ModeOf("/X"), Mode::Settings);
  EXPECT_EQ(ScrCommandLine::ModeOf("/p 3344"), Mode::Preview);
}

TEST(ScrCommandLine, PreviewTakesTheTrailingWindowId) {
  for (const char* line : {"/p 3344", "/P:3344", "-p 3344"}) {
    const auto request = ParseLine(line);
    ASSERT_TRUE(request) << line;
    EXPECT_EQ(request->Shows, Mode::Preview);
    EXPECT_EQ(request->WindowId, 3344u);
  }
  EXPECT_EQ(ParseLine("/P 0x1c00007")->WindowId, 0x1c00007u);
}

TEST(ScrCommandLine, PreviewWithoutAUsableIdEndsTheProgram) {
  EXPECT_FALSE(ParseLine("/P"));
  EXPECT_FALSE(ParseLine("/P 0"));
  EXPECT_FALSE(ParseLine("/P 4294967296"));
  EXPECT_FALSE(ParseLine("/P 99999999999999999999999"));
  EXPECT_FALSE(ParseLine("/P abc"));
  EXPECT_FALSE(ParseLine("-window-id"));
  EXPECT_EQ(ParseLine("/P 4294967295")->WindowId, 4294967295u);
}

TEST(ScrCommandLine, XscreensaverSwitchesAndVariable) {
  const auto root = ParseLine("-root");
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Shows, Mode::FullScreen);

  const auto window = ParseLine("-window-id 0x1c00007");
  ASSERT_TRUE(window);
  EXPECT_EQ(window->Shows, Mode::Preview);
  EXPECT_EQ(window->WindowId, 0x1c00007u);

  // The window xscreensaver hands over wins over "-root".
  const auto fromEnv = ParseLine("-root", "4242");
  ASSERT_TRUE(fromEnv);
  EXPECT_EQ(fromEnv->Shows, Mode::Preview);
  EXPECT_EQ(fromEnv->WindowId, 4242u);
  EXPECT_FALSE(ParseLine("-root", "0xZZ"));
}

TEST(ScrCommandLine, ASwitchWinsOverTheVariable) {
  const auto show = ParseLine("/S", "4242");
  ASSERT_TRUE(show);
  EXPECT_EQ(show->Shows, Mode::FullScreen);
  EXPECT_EQ(ParseLine("-c", "4242")->Shows, Mode::Settings);
  const auto preview = ParseLine("/p 77", "4242");
  ASSERT_TRUE(preview);
  EXPECT_EQ(preview->WindowId, 77u);
  EXPECT_FALSE(ParseLine("/P", "4242"));
  // Anything else is not a switch: the variable still names the window.
  EXPECT_EQ(ParseLine("/X", "4242")->WindowId, 4242u);
  EXPECT_EQ(ParseLine("-root", "4242")->WindowId, 4242u);
}

}  // namespace
