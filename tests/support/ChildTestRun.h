#pragma once
// Runs tests of this same test program in a child on a real X display, for the few
// tests the in-process offscreen platform cannot carry.

#include <QString>

namespace TestSupport {

struct ChildOutcome {
  bool Finished = false;
  int ExitCode = -1;
  QString Output;
  // The child ran to its end and its one selected test passed.
  bool Passed() const { return Finished && ExitCode == 0 && Output.contains("[  PASSED  ] 1 test"); }
};

// Runs the tests the gtest filter selects with DISPLAY and the xcb platform set, and the
// environment variable `childFlag` set to 1 so that the child tests know they are the child.
ChildOutcome RunOnDisplay(const QString& display, const QString& filter, const char* childFlag);

}  // namespace TestSupport
