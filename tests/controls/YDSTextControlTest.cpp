#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QComboBox>
#include <QLineEdit>

#include "ControlEvents.h"
#include "controls/YDSTextControl.h"
#include "foundation/ModPublic.h"
#include "support/TestFolder.h"
#include "support/fakes/FakeColorChooser.h"
#include "support/fakes/FakeMainWindow.h"

namespace {

using namespace ControlEvents;

class TextStripTest : public ::testing::Test {
 protected:
  TextStripTest() : strip(&host, QCoreApplication::applicationDirPath()) {
    ModPublic::GdiplusToken = 1;
    strip.resize(900, 25);
    const std::array clicks{&YDSTextControl::FontClick, &YDSTextControl::FontSizeClick, &YDSTextControl::FontStyleClick,
                            &YDSTextControl::FontRenderClick, &YDSTextControl::TextClick};
    for (std::size_t i = 0; i < clicks.size(); ++i) {
      QObject::connect(&strip, clicks[i], [this, i] { ++events[i]; });
    }
  }
  ~TextStripTest() override { ModPublic::GdiplusToken = 0; }

  Fakes::FakeMainWindow host;
  YDSTextControl strip;
  std::array<int, 5> events{};
};

TEST_F(TextStripTest, WithoutTahomaTheFontListShowsNoChoice) {
  strip.AddFontMode({"DejaVu Sans", "Liberation Sans"});
  EXPECT_EQ(events, (std::array<int, 5>{0, 1, 1, 1, 0}));
  EXPECT_EQ(strip.cbFont().count(), 2);
  EXPECT_EQ(strip.cbFont().currentIndex(), -1);
  EXPECT_EQ(strip.textFont(), "Tahoma");
  EXPECT_EQ(strip.textFontSize(), "8");
  EXPECT_EQ(strip.textFontStyle(), 0);
  EXPECT_EQ(strip.textFontRender(), 2);
  EXPECT_EQ(strip.cbFontSize().count(), 296);

  strip.AddFontMode({"Arial", "Tahoma"});
  EXPECT_EQ(events[0], 1);
  EXPECT_EQ(strip.textFont(), "Tahoma");
  strip.cbFont().setCurrentIndex(0);
  EXPECT_EQ(strip.textFont(), "Arial");
}

TEST_F(TextStripTest, SizesReadBackAndBadTextKeepsTheSize) {
  strip.AddFontMode({});
  strip.cbFontSize().setCurrentIndex(strip.cbFontSize().findText("12"));
  EXPECT_EQ(strip.textFontSize(), "12");
  strip.SettextFontSize("twelve");
  EXPECT_EQ(strip.textFontSize(), "12");
  strip.SettextFontSize("30");
  EXPECT_EQ(strip.textFontSize(), "30");
  strip.cbTextStyle().setCurrentIndex(3);
  EXPECT_EQ(strip.textFontStyle(), 3);
  Press(strip.Text1(), QPointF(5, 5));
  EXPECT_EQ(events[4], 1);
}

TEST_F(TextStripTest, TheSwatchGivesAChosenColourToTheCanvas) {
  Fakes::FakeColorChooser::Record chooser;
  chooser.answers = {std::nullopt, 0x0000FFu};
  const Fakes::FakeColorChooser::Scope scope(chooser);
  strip.SetTextFontColor(0x00FF00);
  host.canvas.textColor = 0x123456;
  Press(strip.PickColor(), QPointF(5, 5));
  EXPECT_EQ(host.canvas.textColor, 0x123456U);
  EXPECT_EQ(strip.SwatchColor(), 0x00FF00U);
  Press(strip.PickColor(), QPointF(5, 5));
  EXPECT_EQ(host.canvas.textColor, 0x0000FFU);
  EXPECT_EQ(strip.SwatchColor(), 0x0000FFU);
  EXPECT_EQ(strip.textFontColor(), 0x00FF00U) << "the property keeps its own value";
  EXPECT_EQ(chooser.starts, (std::vector<Dialogs::COLORREF>{0x00FF00, 0x00FF00}));
  EXPECT_EQ(chooser.fullOpen, (std::vector<bool>{true, true}));
  EXPECT_EQ(strip.PickColor().palette().window().color(), QColor(255, 0, 0));
}

TEST_F(TextStripTest, HidingTheTextBoxLeavesOutItsIcon) {
  strip.AddFontMode({"DejaVu Sans"});
  strip.show();
  strip.StartPaint(0, 0, 900, 25);
  for (const QRect& place : strip.IconPlaces()) {
    EXPECT_FALSE(place.isEmpty()) << "every icon read from the icon file";
  }
  EXPECT_EQ(strip.IconPlaces()[2].left(), strip.Text1().x() - 40);
  strip.grab().save(TestSupport::ArtifactsFolder() + "/text_strip.png");
  strip.SetHideText(true);
  strip.StartPaint(0, 0, 900, 25);
  EXPECT_TRUE(strip.Text1().isHidden());
  EXPECT_TRUE(strip.IconPlaces()[2].isNull());
  EXPECT_FALSE(strip.IconPlaces()[1].isNull());
}

}  // namespace
