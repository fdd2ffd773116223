#pragma once
// What the canvas and the main window need of the secondary windows: the task dialog
// and the slideshow.

#include <cstdint>
#include <memory>

class QImage;
class QString;

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

// The slideshow window as the main window drives it. Exit, Escape and a double click
// close the window; the next use makes a new one.
class SlideshowServices {
 public:
  virtual ~SlideshowServices() = default;
  // A full view of one picture (no timer, bar or custom pointer) rather than a show;
  // taken when the window is made.
  virtual void SetisFullView(bool value) = 0;
  // Shows the window full screen over the main window.
  virtual void Show() = 0;
  // Shows one picture: the image when MemDIB is not null, else the file.
  virtual bool StartSlideshow(const QString& Filename, const QImage* MemDIB) = 0;
  // Starts the show at its current picture.
  virtual void Start() = 0;
  virtual void Clean() = 0;
  // Closes the window when one is open.
  virtual void Unload() = 0;
};
