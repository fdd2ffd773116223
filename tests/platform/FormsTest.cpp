#include <gtest/gtest.h>

#include "platform/forms/Input.h"
#include "platform/forms/MsgBox.h"
#include "support/fakes/ScriptedMessageBox.h"

using namespace Forms;

TEST(Input, QtKeysMapToVirtualKeyCodes) {
  struct Case {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int expected;
  };
  const Case cases[] = {
      {Qt::Key_Tab, Qt::NoModifier, 9},         {Qt::Key_Delete, Qt::NoModifier, 46},
      {Qt::Key_F1, Qt::NoModifier, 112},        {Qt::Key_F5, Qt::NoModifier, 116},
      {Qt::Key_A, Qt::NoModifier, 65},          {Qt::Key_Z, Qt::ShiftModifier, 90},
      {Qt::Key_5, Qt::NoModifier, 53},          {Qt::Key_5, Qt::KeypadModifier, 101},
      {Qt::Key_Minus, Qt::NoModifier, 189},     {Qt::Key_Minus, Qt::KeypadModifier, 109},
      {Qt::Key_Exclam, Qt::ShiftModifier, 49},  {Qt::Key_Enter, Qt::KeypadModifier, 13},
      {Qt::Key_Left, Qt::NoModifier, 37},       {Qt::Key_unknown, Qt::NoModifier, 0},
      {Qt::Key_VolumeUp, Qt::NoModifier, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VirtualKeyFromQt(c.qtKey, c.modifiers), c.expected) << std::hex << c.qtKey;
  }
}

TEST(Input, ModifiersAndButtonsBecomeTheirBits) {
  EXPECT_EQ(ShiftFromQt(Qt::NoModifier), 0);
  EXPECT_EQ(ShiftFromQt(Qt::ShiftModifier | Qt::AltModifier), 5);
  EXPECT_EQ(ShiftFromQt(Qt::ControlModifier | Qt::KeypadModifier), 2);
  EXPECT_EQ(ButtonFromQt(Qt::LeftButton), 1);
  EXPECT_EQ(ButtonFromQt(Qt::RightButton | Qt::MiddleButton), 6);
  EXPECT_EQ(ButtonFromQt(Qt::BackButton), 0);
}

TEST(MsgBox, GoesThroughTheInstalledServiceWithTheProgramAsDefaultTitle) {
  {
    Fakes::ScriptedMessageBox boxes({vbNo});
    EXPECT_EQ(MsgBox("Sure?", vbYesNo | vbQuestion), vbNo);
    EXPECT_EQ(MsgBox("Again", vbOKOnly, "Title"), vbOK);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].title, "Lorvane");
    EXPECT_EQ(boxes.shown[0].style, 36);
    EXPECT_EQ(boxes.shown[1].title, "Title");
    {
      // Scripts nest: the inner one answers while it lives.
      Fakes::ScriptedMessageBox inner({vbCancel});
      EXPECT_EQ(MsgBox("Inner", vbOKCancel), vbCancel);
    }
    EXPECT_EQ(MsgBox("Outer again"), vbOK);
    EXPECT_EQ(boxes.shown.size(), 3u);
  }
}
