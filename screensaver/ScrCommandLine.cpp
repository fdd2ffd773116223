#include "screensaver/ScrCommandLine.h"

#include <limits>

#include <QRegularExpression>

namespace ScrCommandLine {
namespace {

// Ten decimal digits hold every 32-bit id; more can only overflow.
constexpr int kMaxDecimalDigits = 10;

std::optional<std::uint32_t> NonZero32(qulonglong value, bool ok) {
  if (!ok || value == 0 || value > std::numeric_limits<std::uint32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

// The first two characters of the line, upper case, a leading "-" read as "/".
QString SwitchHead(const QString& line) {
  QString head = line.trimmed().left(2).toUpper();
  if (head.startsWith(u'-')) {
    head[0] = u'/';
  }
  return head;
}

}  // namespace

Mode ModeOf(const QString& line) {
  const QString head = SwitchHead(line);
  if (head == u"/S") {
    return Mode::FullScreen;
  }
  if (head == u"/P") {
    return Mode::Preview;
  }
  return Mode::Settings;
}

std::optional<std::uint32_t> ParseWindowId(QString text) {
  text = text.trimmed();
  if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
    const QString hex = text.mid(2);
    bool ok = !hex.isEmpty() && hex.size() <= 8;
    return NonZero32(ok ? hex.toULongLong(&ok, 16) : 0, ok);
  }
  bool ok = !text.isEmpty() && text.size() <= kMaxDecimalDigits;
  for (const QChar c : text) {
    ok = ok && c.isDigit();
  }
  return NonZero32(ok ? text.toULongLong(&ok, 10) : 0, ok);
}

std::optional<std::uint32_t> TrailingWindowId(const QString& line) {
  const QString rest = line.trimmed().mid(2);
  const qsizetype cut = rest.lastIndexOf(QRegularExpression(QStringLiteral("[\\s:]")));
  return ParseWindowId(rest.mid(cut + 1));
}

namespace {

// The request of a line that starts with a switch; a preview without a usable id is none.
std::optional<Request> FromSwitch(const QString& line) {
  const Mode mode = ModeOf(line);
  if (mode != Mode::Preview) {
    return Request{mode, 0};
  }
  const std::optional<std::uint32_t> id = TrailingWindowId(line);
  return id ? std::optional<Request>(Request{Mode::Preview, *id}) : std::nullopt;
}

}  // namespace

bool HasSwitch(const QString& line) {
  const QString head = SwitchHead(line);
  return head == u"/C" || head == u"/S" || head == u"/P";
}

std::optional<Request> Parse(const QStringList& arguments, const QByteArray& xscreensaverWindow) {
  const QString line = arguments.join(u' ');
  // A switch given on purpose wins over the window a screensaver daemon left in the
  // environment.
  if (HasSwitch(line)) {
    return FromSwitch(line);
  }
  std::optional<QString> idText;
  if (!xscreensaverWindow.isEmpty()) {
    idText = QString::fromLatin1(xscreensaverWindow);
  }
  const qsizetype idAt = arguments.indexOf(QStringLiteral("-window-id"));
  if (idAt >= 0) {
    idText = arguments.value(idAt + 1);
  }
  if (idText) {
    const std::optional<std::uint32_t> id = ParseWindowId(*idText);
    return id ? std::optional<Request>(Request{Mode::Preview, *id}) : std::nullopt;
  }
  if (arguments.contains(QStringLiteral("-root"))) {
    return Request{Mode::FullScreen, 0};
  }
  return FromSwitch(line);
}

}  // namespace ScrCommandLine
