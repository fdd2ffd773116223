// The tool-mode table walked row by row, and arming a tool from its row on a real canvas.
#include "canvas/ToolModes.h"

#include <set>

#include <QDate>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include "CanvasFixture.h"
#include "canvas/CanvasLayout.h"

namespace {

using ToolModes::Mode;

Mode ModeAt(int number) { return Mode(number); }

// A mode that a key or the stamp arms and that waits for Apply.
bool Armable(const ToolModes::ToolMode& row) {
  return !row.atOnce && (row.menu != ToolModes::MenuGroup::None || row.group == ToolModes::PointerGroup::Stamp);
}

}  // namespace

TEST(ToolModesTable, EveryArmedModeWithASliderHasASensibleRangeAndOneShotsHaveNone) {
  for (int number = 0; number < ToolModes::kModeCount; ++number) {
    const ToolModes::ToolMode& row = ToolModes::Row(number);
    if (Armable(row) && ToolModes::HasSlider(ModeAt(number))) {
      ASSERT_TRUE(row.range.has_value()) << "mode " << number << " is armed with a slider but no range";
    }
    if (row.atOnce) {
      EXPECT_FALSE(row.range.has_value()) << "mode " << number << " commits at once: a range would go unseen";
      EXPECT_FALSE(row.fit) << "mode " << number << " commits at once: it has no fit to arm with";
      EXPECT_FALSE(ToolModes::HasBar(ModeAt(number)) && row.menu != ToolModes::MenuGroup::Effect) << number;
    }
    if (row.range) {
      EXPECT_LT(row.range->min, row.range->max) << number;
      if (row.range->start == ToolModes::Range::Start::Given) {
        EXPECT_GE(row.range->value, row.range->min) << number;
        EXPECT_LE(row.range->value, row.range->max) << number;
      }
    }
  }
}

TEST(ToolModesTable, ModesWithACommandBarAreExactlyThoseWhoseHitTestFindsIt) {
  for (int number = 0; number < ToolModes::kModeCount; ++number) {
    const Mode mode = ModeAt(number);
    CanvasLayout::HitRects rects;
    rects.Buttons[1] = CanvasLayout::CommandBarGeometry(mode, QSize(800, 600)).Buttons[1];
    CanvasLayout::HitState state;
    CanvasLayout::HitTestCanvas(mode, rects.Buttons[1].center(), rects, state);
    EXPECT_EQ(state.BarShown, ToolModes::HasBar(mode)) << "mode " << number;
  }
}

TEST(ToolModesTable, PanelNumbersKeysAndStripsAreEachOnOneRow) {
  std::set<int> panels;
  for (int number = 0; number < ToolModes::kModeCount; ++number) {
    const ToolModes::ToolMode& row = ToolModes::Row(number);
    if (row.panel >= 0) {
      EXPECT_TRUE(panels.insert(row.panel).second) << "panel number " << row.panel;
      EXPECT_EQ(ToolModes::ModeForPanel(row.panel), ModeAt(number));
    }
    // A strip comes with a floating layer, and only the tools that have one rasterize it
    // or edit a selection with the Edit menu.
    if (row.strip != ToolModes::Strip::None) {
      EXPECT_TRUE(ToolModes::HasLayer(ModeAt(number))) << number;
      EXPECT_TRUE(row.rasterizes) << number;
    }
    if (row.stampFilter != 0) {
      EXPECT_EQ(row.menu, ToolModes::MenuGroup::Filter) << number;
    }
  }
  EXPECT_EQ(ToolModes::ModeForPanel(3), Mode::Irradiation);
  EXPECT_EQ(ToolModes::ModeForPanel(12), std::nullopt);
  EXPECT_EQ(ToolModes::ModeForPanel(-1), std::nullopt);
  EXPECT_EQ(ToolModes::Row(Mode::Text).strip, ToolModes::Strip::Text);
  EXPECT_EQ(ToolModes::Row(Mode::Calendar).strip, ToolModes::Strip::Calendar);
}

class ArmToolTest : public CanvasFixture {};

TEST_F(ArmToolTest, EachArmableModeTakesItsRowsRangeFitAndMode) {
  OpenWhite({200, 100});
  for (int number = 0; number < ToolModes::kModeCount; ++number) {
    const ToolModes::ToolMode& row = ToolModes::Row(number);
    if (!Armable(row)) {
      continue;
    }
    SCOPED_TRACE(number);
    m_canvas->SetMax(7777);
    m_canvas->SetMin(-7777);
    m_canvas->SetValue(33);
    m_canvas->SetFitMode(!row.fit);
    m_canvas->ArmTool(ModeAt(number));
    EXPECT_EQ(m_canvas->Effect(), number);
    EXPECT_EQ(m_canvas->FitMode(), row.fit);
    if (!row.range) {
      EXPECT_EQ(m_canvas->Max(), 7777) << "a tool without a range leaves the slider";
      continue;
    }
    EXPECT_EQ(m_canvas->Max(), row.range->max);
    EXPECT_EQ(m_canvas->Min(), row.range->min);
    switch (row.range->start) {
      case ToolModes::Range::Start::Given:
        EXPECT_EQ(m_canvas->Value(), row.range->value);
        break;
      case ToolModes::Range::Start::Kept:
        EXPECT_EQ(m_canvas->Value(), 33);
        break;
      case ToolModes::Range::Start::Month:
        EXPECT_EQ(m_canvas->Value(), QDate::currentDate().month());
        break;
    }
  }
}

TEST_F(ArmToolTest, TheTextToolOpensItsBoxAndSelectionToolsStartWithoutASelection) {
  OpenWhite({200, 100});
  m_canvas->CleanCroprect(true);
  m_canvas->ArmTool(Mode::Straighten);
  EXPECT_FALSE(m_canvas->HitRectangles().Handles[0].isEmpty()) << "straighten keeps what was selected";
  m_canvas->ArmTool(Mode::Select);
  EXPECT_TRUE(m_canvas->HitRectangles().Handles[0].isEmpty());
  EXPECT_FALSE(m_canvas->TextBoxShown());
  m_canvas->ArmTool(Mode::Text);
  EXPECT_TRUE(m_canvas->TextBoxShown());
  EXPECT_FALSE(m_canvas->Text1()->toPlainText().isEmpty());
  m_canvas->ArmTool(Mode::Browse);
  EXPECT_EQ(m_canvas->CurrentMode(), Mode::Browse);
  EXPECT_FALSE(m_canvas->FitMode());
}
