#pragma once
// How the screensaver reads its command line: which of its three faces it shows and,
// for the preview, the window it lives in.

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ScrCommandLine {

enum class Mode { Settings = 1, FullScreen = 2, Preview = 3 };

struct Request {
  Mode Shows = Mode::Settings;
  // The window a preview fills; set only for Mode::Preview.
  std::uint32_t WindowId = 0;
};

// The mode the first two characters of the trimmed line choose: "/C" or "-C" settings,
// "/S" or "-S" full screen, "/P" or "-P" preview, case ignored; anything else settings.
Mode ModeOf(const QString& line);

// The window id that ends the line: decimal digits or "0x" hex after the switch, a blank
// or a colon. Nothing when there is none, it is 0, or it does not fit 32 bits.
std::optional<std::uint32_t> TrailingWindowId(const QString& line);

// A window id as xscreensaver passes it, decimal or "0x" hex; nothing when it is not one.
std::optional<std::uint32_t> ParseWindowId(QString text);

// Whether the line starts with one of the switches "/C", "/S", "/P" (or "-C", "-S",
// "-P"), case ignored.
bool HasSwitch(const QString& line);

// The whole request from the program's arguments (without the program name) and the
// XSCREENSAVER_WINDOW variable. A switch wins over everything else; then "-window-id <id>"
// and the variable ask for a preview and win over "-root", which asks for the full-screen
// show. Nothing when a preview was asked for without a usable window id: the program then
// ends at once.
std::optional<Request> Parse(const QStringList& arguments, const QByteArray& xscreensaverWindow);

}  // namespace ScrCommandLine
