#pragma once
// The question about the canvas's unsaved changes, for controls whose pick replaces the
// canvas's picture. The main window asks it; tests use a recording fake.

class SaveQuestionServices {
 public:
  virtual ~SaveQuestionServices() = default;
  // Asks whether to save the canvas's unsaved changes, when there are any, before its
  // picture is replaced. False when the picture must stay: the user cancelled, or the
  // save wrote nothing.
  virtual bool MayReplacePicture() = 0;
};
