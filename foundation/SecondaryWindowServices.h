#pragma once
// What the canvas and the main window need of the secondary windows: the task dialog
// and the slideshow.

#include <cstdint>
#include <functional>
#include <memory>

#include <QString>

class QImage;

// One use of the file task dialog: a new instance each time. Tasks (PublicShell): 0
// copy and 1 move the selected files to a folder, 2 rename them, 3 ask a canvas size
// and background colour, 4 ask a stamp name. Copy, move and rename do their work on OK.
class TaskDialogServices {
 public:
  virtual ~TaskDialogServices() = default;
  virtual void SetPublicShell(int page) = 0;
  // The text box's text: the proposed name of a rename.
  virtual void SetTextControl(const QString& text) = 0;
  virtual void StartPaint() = 0;
  // Shows the dialog modally over the main window. Closed runs once the dialog has
  // closed, from the event loop rather than inside the dialog's own handlers, so it may
  // read the results and release the dialog.
  virtual void ShowModal(std::function<void()> Closed) = 0;
  // Shows the dialog beside the main window without blocking it.
  virtual void ShowModeless() = 0;
  virtual int m_Rwidth() const = 0;
  virtual int m_Rheight() const = 0;
  // 1 when the user confirmed with OK; 0 after Cancel, Escape or a close of the window.
  virtual int ButtonState() const = 0;
  // The chosen background colour as RGB (red in the lowest byte).
  virtual std::uint32_t ShellColor() const = 0;
  // The stamp name of task 4.
  virtual QString m_String() const = 0;
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

// The print window as the main window opens it for the print command.
class PrintWindowServices {
 public:
  virtual ~PrintWindowServices() = default;
  // Opens the print window over the main window, or brings the open one to the front.
  virtual void Show() = 0;
  // Closes the window when one is open.
  virtual void Unload() = 0;
};
