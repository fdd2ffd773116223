#include "X11Windows.h"

#include <cstring>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace XTest {

static_assert(Connection::kShift == ShiftMask && Connection::kCtrl == ControlMask && Connection::kAlt == Mod1Mask);

namespace {

::Display* D(void* display) { return static_cast<::Display*>(display); }

// Windows come and go while they are looked at (a menu closing between the listing of the
// root's children and the question about one of them): such a request then fails and the
// window counts as gone, instead of Xlib's default handler ending the test program.
int IgnoreVanishedWindows(::Display*, XErrorEvent*) { return 0; }

}  // namespace

std::unique_ptr<Connection> Connection::Open(const std::string& display) {
  ::Display* connection = XOpenDisplay(display.c_str());
  if (connection == nullptr) {
    return nullptr;
  }
  XSetErrorHandler(IgnoreVanishedWindows);
  return std::unique_ptr<Connection>(new Connection(connection));
}

Connection::~Connection() { XCloseDisplay(D(m_display)); }

namespace {

// The items of a window property of one type: how many, and the bytes of 8-bit ones.
unsigned long ReadProperty(::Display* display, Window window, Atom property, Atom type, std::string* bytes = nullptr) {
  Atom actual = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actual, &format, &count, &after, &data) !=
          Success ||
      data == nullptr) {
    return 0;
  }
  if (bytes != nullptr && format == 8) {
    bytes->assign(reinterpret_cast<const char*>(data), count);
  }
  XFree(data);
  return count;
}

}  // namespace

std::string Connection::TitleOf(unsigned long window) {
  // The UTF-8 title first, the old Latin-1 one when a client sets only that.
  const Atom netName = XInternAtom(D(m_display), "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(D(m_display), "UTF8_STRING", False);
  std::string title;
  ReadProperty(D(m_display), window, netName, utf8, &title);
  if (title.empty()) {
    char* name = nullptr;
    if (XFetchName(D(m_display), window, &name) && name != nullptr) {
      title = name;
      XFree(name);
    }
  }
  return title;
}

std::vector<unsigned long> Connection::MappedChildren(unsigned long window) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<unsigned long> mapped;
  if (!XQueryTree(D(m_display), window, &root, &parent, &children, &count)) {
    return mapped;
  }
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(D(m_display), children[i], &attributes) && attributes.map_state == IsViewable) {
      mapped.push_back(children[i]);
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return mapped;
}

std::vector<unsigned long> Connection::VisibleTopLevels(const std::string& title) {
  std::vector<unsigned long> found;
  for (const unsigned long top : MappedChildren(DefaultRootWindow(D(m_display)))) {
    if (TitleOf(top) == title) {
      found.push_back(top);
      continue;
    }
    // A window manager puts each program window inside a frame of its own.
    for (const unsigned long framed : MappedChildren(top)) {
      if (TitleOf(framed) == title) {
        found.push_back(framed);
      }
    }
  }
  return found;
}

bool Connection::WindowManagerRunning() {
  const Atom check = XInternAtom(D(m_display), "_NET_SUPPORTING_WM_CHECK", False);
  return ReadProperty(D(m_display), DefaultRootWindow(D(m_display)), check, XA_WINDOW) == 1;
}

void Connection::RequestClose(unsigned long window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(D(m_display), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(D(m_display), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(D(m_display), window, False, NoEventMask, &event);
  XFlush(D(m_display));
}

Connection::Picture Connection::Capture(unsigned long window) {
  Picture picture;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(D(m_display), window, &attributes)) {
    return picture;
  }
  XImage* image = XGetImage(D(m_display), window, 0, 0, unsigned(attributes.width), unsigned(attributes.height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) {
    return picture;
  }
  picture.width = attributes.width;
  picture.height = attributes.height;
  picture.rgb.resize(std::size_t(picture.width) * std::size_t(picture.height));
  // The tests photograph several times a second on a busy machine: the usual 24-bit
  // layout is read row by row, anything else pixel by pixel.
  const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst && image->red_mask == 0xFF0000 &&
                      image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
  for (int y = 0; y < picture.height; ++y) {
    std::uint32_t* out = picture.rgb.data() + std::size_t(y) * std::size_t(picture.width);
    if (direct) {
      std::memcpy(out, image->data + std::ptrdiff_t(y) * image->bytes_per_line, std::size_t(picture.width) * 4);
    } else {
      for (int x = 0; x < picture.width; ++x) {
        out[x] = std::uint32_t(XGetPixel(image, x, y));
      }
    }
    for (int x = 0; x < picture.width; ++x) {
      out[x] &= 0xFFFFFFu;
    }
  }
  XDestroyImage(image);
  return picture;
}

Connection::Box Connection::Geometry(unsigned long window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(D(m_display), window, &attributes)) {
    return {};
  }
  Window child = 0;
  Box box{0, 0, attributes.width, attributes.height};
  XTranslateCoordinates(D(m_display), window, DefaultRootWindow(D(m_display)), 0, 0, &box.x, &box.y, &child);
  return box;
}

namespace {

// What a button and a motion event share, for a point inside the window.
template <class PointerEvent>
void FillPointer(PointerEvent& event, ::Display* display, unsigned long window, int type, int x, int y) {
  Window child = 0;
  event.type = type;
  event.display = display;
  event.window = window;
  event.root = DefaultRootWindow(display);
  event.time = CurrentTime;
  event.x = x;
  event.y = y;
  event.same_screen = True;
  XTranslateCoordinates(display, window, event.root, x, y, &event.x_root, &event.y_root, &child);
}

}  // namespace

// Button events are sent directly to the window; the program cannot tell them from real
// ones in what it reads of them.
void Connection::Click(unsigned long window, int x, int y) {
  for (int type : {ButtonPress, ButtonRelease}) {
    XEvent event{};
    FillPointer(event.xbutton, D(m_display), window, type, x, y);
    event.xbutton.button = Button1;
    event.xbutton.state = type == ButtonPress ? 0 : Button1Mask;
    XSendEvent(D(m_display), window, False, NoEventMask, &event);
    XFlush(D(m_display));
  }
}

// Qt reads the wheel from the input extension's events when the server speaks its
// version 2.1, and drops wheel buttons sent directly; the server's test extension makes
// the notch as a real mouse would, at the pointer moved there first.
void Connection::Wheel(unsigned long window, int x, int y, bool towardsUser) {
  ::Display* display = D(m_display);
  XWarpPointer(display, None, window, 0, 0, 0, 0, x, y);
  XSync(display, False);
  const unsigned int button = towardsUser ? Button5 : Button4;
  XTestFakeButtonEvent(display, button, True, CurrentTime);
  XTestFakeButtonEvent(display, button, False, CurrentTime);
  XFlush(display);
}

void Connection::MoveTo(unsigned long window, int x, int y) {
  XEvent event{};
  FillPointer(event.xmotion, D(m_display), window, MotionNotify, x, y);
  XSendEvent(D(m_display), window, False, NoEventMask, &event);
  XFlush(D(m_display));
}

void Connection::Resize(unsigned long window, int width, int height) {
  XResizeWindow(D(m_display), window, unsigned(width), unsigned(height));
  XFlush(D(m_display));
}

void Connection::Drag(unsigned long window, int fromX, int fromY, int toX, int toY) {
  const auto button = [&](int type, int x, int y, unsigned int state) {
    XEvent event{};
    FillPointer(event.xbutton, D(m_display), window, type, x, y);
    event.xbutton.button = Button1;
    event.xbutton.state = state;
    XSendEvent(D(m_display), window, False, NoEventMask, &event);
  };
  button(ButtonPress, fromX, fromY, 0);
  // Moves with the button held, in a few steps as a hand would make them.
  constexpr int kSteps = 8;
  for (int step = 1; step <= kSteps; ++step) {
    XEvent event{};
    FillPointer(event.xmotion, D(m_display), window, MotionNotify, fromX + (toX - fromX) * step / kSteps,
                fromY + (toY - fromY) * step / kSteps);
    event.xmotion.state = Button1Mask;
    XSendEvent(D(m_display), window, False, NoEventMask, &event);
  }
  button(ButtonRelease, toX, toY, Button1Mask);
  XFlush(D(m_display));
}

bool Connection::ClipboardHeld() {
  return XGetSelectionOwner(D(m_display), XInternAtom(D(m_display), "CLIPBOARD", False)) != None;
}

unsigned long Connection::CreateWindow(int width, int height) {
  ::Display* display = D(m_display);
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, unsigned(width),
                                            unsigned(height), 0, 0, WhitePixel(display, DefaultScreen(display)));
  XMapWindow(display, window);
  XSync(display, False);
  return window;
}

void Connection::DestroyWindow(unsigned long window) {
  XDestroyWindow(D(m_display), window);
  XSync(D(m_display), False);
}

void Connection::Type(unsigned long window, const std::string& letters) {
  for (char letter : letters) {
    PressKey(window, std::string(1, letter));
  }
}

void Connection::PressKey(unsigned long window, const std::string& name, unsigned modifiers) {
  const KeySym symbol = XStringToKeysym(name.c_str());
  for (int type : {KeyPress, KeyRelease}) {
    XEvent event{};
    event.xkey.type = type;
    event.xkey.display = D(m_display);
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(D(m_display));
    event.xkey.time = CurrentTime;
    event.xkey.keycode = XKeysymToKeycode(D(m_display), symbol);
    event.xkey.state = modifiers;
    event.xkey.same_screen = True;
    XSendEvent(D(m_display), window, False, NoEventMask, &event);
  }
  XFlush(D(m_display));
}

}  // namespace XTest
