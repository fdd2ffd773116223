#pragma once
// What the canvas needs of the modal task dialog's canvas-resize page.

#include <cstdint>
#include <memory>

// One use of the task dialog: a new instance each time.
class TaskDialogServices {
 public:
  virtual ~TaskDialogServices() = default;
  virtual void SetPublicShell(int page) = 0;  // 3: the canvas-resize page
  virtual void StartPaint() = 0;
  // Shows the dialog modally over the main window; returns when it closes.
  virtual void ShowModal() = 0;
  virtual int m_Rwidth() const = 0;
  virtual int m_Rheight() const = 0;
  // 1 when the user confirmed.
  virtual int ButtonState() const = 0;
  // The chosen background colour as RGB (red in the lowest byte).
  virtual std::uint32_t ShellColor() const = 0;
};

// Makes task dialogs; the main window provides the real one.
class TaskDialogFactory {
 public:
  virtual ~TaskDialogFactory() = default;
  virtual std::unique_ptr<TaskDialogServices> CreateTaskDialog() = 0;
};
