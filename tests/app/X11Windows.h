#pragma once
// Just enough of an X client for start-up tests: find the program's visible top-level
// windows by title and ask one to close, as a window manager's close button would.
// Kept apart from Qt and GoogleTest because Xlib's macros clash with both.

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

  // The mapped children of the root window whose title is `title`.
  std::vector<unsigned long> VisibleTopLevels(const std::string& title);
  // Sends WM_DELETE_WINDOW to a window.
  void RequestClose(unsigned long window);

 private:
  explicit Connection(void* display) : m_display(display) {}
  std::string TitleOf(unsigned long window);

  void* m_display;
};

}  // namespace XTest
