#pragma once
// Just enough of an X client for start-up tests: find the program's visible top-level
// windows by title, photograph one, click, type and turn the wheel in it, and ask it to
// close, as a window manager's close button would.
// Kept apart from Qt and GoogleTest because Xlib's macros clash with both.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace XTest {

class Connection {
 public:
  // nullptr when the display cannot be opened.
  static std::unique_ptr<Connection> Open(const std::string& display);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // The mapped top-level windows whose title is `title`, also inside a window manager's
  // frames.
  std::vector<unsigned long> VisibleTopLevels(const std::string& title);
  // Whether a window manager has announced itself on the display.
  bool WindowManagerRunning();
  // Sends WM_DELETE_WINDOW to a window.
  void RequestClose(unsigned long window);

  struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, row by row; empty when it failed
  };
  // What the window shows now.
  Picture Capture(unsigned long window);
  // Where the window lies on the screen and its size.
  struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Box&) const = default;
  };
  Box Geometry(unsigned long window);
  // A left click at a point inside the window, sent to it as the server would send one.
  void Click(unsigned long window, int x, int y);
  // The pointer moving to a point inside the window, with no button held.
  void MoveTo(unsigned long window, int x, int y);
  // Gives the window a new size, as a user dragging its border would.
  void Resize(unsigned long window, int width, int height);
  // Whether some client holds the clipboard.
  bool ClipboardHeld();
  // A plain mapped top-level window of that size, made by this connection.
  unsigned long CreateWindow(int width, int height);
  void DestroyWindow(unsigned long window);
  // Key presses for the lower-case letters of a text, sent to the window.
  void Type(unsigned long window, const std::string& letters);
  // Modifier keys held with a key, as X's state bits.
  static constexpr unsigned kShift = 1u << 0;
  static constexpr unsigned kCtrl = 1u << 2;
  static constexpr unsigned kAlt = 1u << 3;
  // One key by its X name ("Down", "Return", "e", "F"), with those modifiers held.
  void PressKey(unsigned long window, const std::string& name, unsigned modifiers = 0);
  // One notch of the wheel with the pointer at a point inside the window: towards the
  // user (button 5) or away from the user (button 4).
  void Wheel(unsigned long window, int x, int y, bool towardsUser);
  // A left-button drag from one point to another inside the window.
  void Drag(unsigned long window, int fromX, int fromY, int toX, int toY);

 private:
  explicit Connection(void* display) : m_display(display) {}
  std::string TitleOf(unsigned long window);
  std::vector<unsigned long> MappedChildren(unsigned long window);

  void* m_display;
};

}  // namespace XTest
