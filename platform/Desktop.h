#pragma once
// The desktop's own settings the program changes: the screensaver it runs and the
// wallpaper it shows. Every external program goes through a CommandRunner, which tests
// replace with one that records the calls, so no test ever touches the real desktop.

#include <memory>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

class QImage;

namespace Desktop {

// Runs the desktop's command-line programs.
class CommandRunner {
 public:
  virtual ~CommandRunner() = default;
  // Whether a program of that name is on the search path.
  virtual bool Installed(const QString& program) = 0;
  // Runs the program to its end; true when it started and exited with status 0. Its
  // standard output goes to output when one is given.
  virtual bool Run(const QString& program, const QStringList& arguments, QString* output = nullptr) = 0;
};

// The runner in use: real processes unless replaced.
CommandRunner& Commands();
// Puts another runner in place (null restores real processes); returns the previous one.
std::unique_ptr<CommandRunner> SetCommands(std::unique_ptr<CommandRunner> runner);

// The programs list of an xscreensaver settings file with one entry added that runs the
// executable full screen, or with the entry named "LorvaneScr" that an earlier call added
// made to run this executable instead. Nothing when the text holds no programs list.
// Every other byte stays as it was.
std::optional<QByteArray> AddScreenSaverProgram(const QByteArray& settings, const QString& exe);

// Registers the screensaver executable with xscreensaver in the given home folder: when
// xscreensaver is installed and "<home>/.xscreensaver" holds a programs list, the entry is
// added to it or replaced, the file replaced atomically. False when nothing could register it.
bool InstallScreenSaverIn(const QString& exe, const QString& home);
// The same for the user's own home folder.
bool InstallScreenSaver(const QString& exe);

// The desktops whose wallpaper is set through their own programs.
enum class Kind { Gnome, Cinnamon, Mate, Plasma, Xfce, Other };
// The desktop named by an XDG_CURRENT_DESKTOP value (a list separated by colons).
Kind KindOf(const QString& currentDesktop);

// Makes the picture file the wallpaper, stretched over the screen: through the programs
// of the running desktop (XDG_CURRENT_DESKTOP), else as the X root window's picture.
// False when no way worked.
bool SetDesktopWallpaper(const QString& path);
// Shows the picture, stretched, as the root window's background of the X display given
// (the DISPLAY of the environment when empty) and announces it in _XROOTPMAP_ID, where
// desktops without their own wallpaper setting and compositors look for it.
bool SetRootWindowPicture(const QImage& picture, const QByteArray& display = {});

}  // namespace Desktop
