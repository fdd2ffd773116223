// The wheel turned into sheet steps: whole notches only, vertical only, while hooked.
#include "mainwindow/WheelHook.h"

#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

namespace {

bool Turn(QWidget& widget, QPoint delta) {
  QWheelEvent event(QPointF(5, 5), widget.mapToGlobal(QPointF(5, 5)), QPoint(), delta, Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
  return event.isAccepted();
}

TEST(WheelHook, WholeNotchesStepAndTheRestIsKept) {
  int kept = 0;
  EXPECT_EQ(WheelHook::TakeNotches(kept, -120), 1);
  EXPECT_EQ(WheelHook::TakeNotches(kept, 240), -2);
  EXPECT_EQ(WheelHook::TakeNotches(kept, -90), 0);
  EXPECT_EQ(kept, -90);
  EXPECT_EQ(WheelHook::TakeNotches(kept, -30), 1);
  EXPECT_EQ(WheelHook::TakeNotches(kept, 60), 0);
  EXPECT_EQ(WheelHook::TakeNotches(kept, -60), 0) << "turning back cancels the part notch";
  EXPECT_EQ(kept, 0);
}

TEST(WheelHook, StepsOnlyWhileHookedAndOnlyForVerticalTurns) {
  std::vector<bool> steps;
  WheelHook hook([&](bool next) { steps.push_back(next); });
  QWidget window;
  window.resize(100, 100);
  Turn(window, {0, -120});
  EXPECT_TRUE(steps.empty()) << "not hooked yet";

  hook.HookMainWindow(window);
  Turn(window, {0, -120});
  Turn(window, {0, 120});
  EXPECT_EQ(steps, (std::vector<bool>{true, false}));
  Turn(window, {0, 0});
  Turn(window, {-120, 0});
  EXPECT_EQ(steps.size(), 2U) << "sideways and empty turns step nowhere";
  for (int i = 0; i < 4; ++i) {
    Turn(window, {0, -30});
  }
  EXPECT_EQ(steps, (std::vector<bool>{true, false, true})) << "a touchpad's small deltas make one notch";

  hook.UnhookMainWindow();
  Turn(window, {0, -240});
  EXPECT_EQ(steps.size(), 3U);
}

}  // namespace
