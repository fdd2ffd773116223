#include <vector>

#include <QApplication>
#include <QPalette>

#include <gtest/gtest.h>

#include "foundation/ModDialogCOlor.h"
#include "platform/Dialogs.h"

using namespace ModDialogCOlor;

namespace {

// Answers the colour dialog as a user would: edits a custom colour, then confirms or cancels.
class ScriptedChooser final : public Dialogs::ColorChooser {
 public:
  struct Answer {
    std::optional<Dialogs::COLORREF> choice;
    int editSlot;
    Dialogs::COLORREF editColor;
  };
  std::vector<Answer> answers;
  std::vector<Dialogs::CustomColors> shown;
  std::vector<Dialogs::COLORREF> initial;

  std::optional<Dialogs::COLORREF> ChooseColor(QWidget*, Dialogs::COLORREF start, Dialogs::CustomColors& custom,
                                               bool) override {
    shown.push_back(custom);
    initial.push_back(start);
    const Answer answer = answers.at(shown.size() - 1);
    custom[static_cast<std::size_t>(answer.editSlot)] = answer.editColor;
    return answer.choice;
  }
};

class ColorServiceSwap {
 public:
  explicit ColorServiceSwap(std::unique_ptr<Dialogs::ColorChooser> chooser)
      : m_previous(Dialogs::SetColorService(std::move(chooser))) {}
  ~ColorServiceSwap() { Dialogs::SetColorService(std::move(m_previous)); }

 private:
  std::unique_ptr<Dialogs::ColorChooser> m_previous;
};

Dialogs::COLORREF ButtonFace() {
  const QColor c = QApplication::palette().color(QPalette::Button);
  return Dialogs::COLORREF(c.red()) | (Dialogs::COLORREF(c.green()) << 8) | (Dialogs::COLORREF(c.blue()) << 16);
}

}  // namespace

// One run of the program: the first dialog seeds the slots, later ones see the edits.
TEST(ColorDialog, CustomColoursLastForTheRunAndCancelKeepsEdits) {
  auto chooser = std::make_unique<ScriptedChooser>();
  ScriptedChooser& script = *chooser;
  script.answers = {{0x00C88C64u, 2, 0x00112233u}, {std::nullopt, 3, 0x00445566u}, {0x01ABCDEFu, 0, 0x00000001u}};
  const ColorServiceSwap swap(std::move(chooser));

  EXPECT_EQ(ShowColorDialog(nullptr, 0x00FF0000u, true), 0x00C88C64);
  ASSERT_EQ(script.shown.size(), 1u);
  EXPECT_EQ(script.shown[0][0], 0u);
  EXPECT_EQ(script.shown[0][1], 0u);
  for (std::size_t i = 2; i < 16; ++i) {
    EXPECT_EQ(script.shown[0][i], ButtonFace()) << i;
  }
  EXPECT_EQ(script.initial[0], 0x00FF0000u);

  EXPECT_EQ(ShowColorDialog(nullptr, 0x8000000Fu, false), -1);
  EXPECT_EQ(script.shown[1][2], 0x00112233u);
  EXPECT_EQ(script.initial[1], ButtonFace());
  EXPECT_EQ(CustomColors()[3], 0x00445566u);

  // The answer never carries more than the 24 colour bits.
  EXPECT_EQ(ShowColorDialog(nullptr, 0, false), 0x00ABCDEF);
  EXPECT_EQ(script.shown[2][3], 0x00445566u);
}

TEST(ColorDialog, ColorToRGBBytesSplitsTheColourReference) {
  struct Case {
    std::uint32_t colour;
    int r, g, b;
  };
  for (const Case c : {Case{0x00C88C64u, 100, 140, 200}, Case{0, 0, 0, 0}, Case{0x00FFFFFFu, 255, 255, 255},
                       Case{0xFFFFFFFFu, 255, 255, 255}, Case{0x01000102u, 2, 1, 0}}) {
    std::uint8_t r = 9, g = 9, b = 9;
    ColorToRGBBytes(c.colour, r, g, b);
    EXPECT_EQ(r, c.r) << std::hex << c.colour;
    EXPECT_EQ(g, c.g) << std::hex << c.colour;
    EXPECT_EQ(b, c.b) << std::hex << c.colour;
  }
  std::uint8_t r = 0, g = 0, b = 0;
  ColorToRGBBytes(0x8000000Fu, r, g, b);
  EXPECT_EQ(Dialogs::COLORREF(r) | (Dialogs::COLORREF(g) << 8) | (Dialogs::COLORREF(b) << 16), ButtonFace());
}
