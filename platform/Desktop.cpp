#include "platform/Desktop.h"

#include <vector>

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "platform/gdiplus/AtomicFile.h"

namespace Desktop {
namespace {

// The desktop programs answer within moments; one that hangs must not hang the program.
constexpr int kCommandTimeoutMs = 15000;

class ProcessRunner final : public CommandRunner {
 public:
  bool Installed(const QString& program) override { return !QStandardPaths::findExecutable(program).isEmpty(); }

  bool Run(const QString& program, const QStringList& arguments, QString* output) override {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(kCommandTimeoutMs)) {
      process.kill();
      process.waitForFinished();
      return false;
    }
    if (output != nullptr) {
      *output = QString::fromUtf8(process.readAllStandardOutput());
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  }
};

std::unique_ptr<CommandRunner>& Installed() {
  static std::unique_ptr<CommandRunner> runner = std::make_unique<ProcessRunner>();
  return runner;
}

// xscreensaver hands each entry to the shell: a path with anything unusual is quoted.
QString ShellWord(const QString& text) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
  if (plain.match(text).hasMatch()) {
    return text;
  }
  QString quoted = text;
  quoted.replace(u'\'', QStringLiteral("'\\''"));
  return u'\'' + quoted + u'\'';
}

}  // namespace

CommandRunner& Commands() { return *Installed(); }

std::unique_ptr<CommandRunner> SetCommands(std::unique_ptr<CommandRunner> runner) {
  std::unique_ptr<CommandRunner> previous = std::move(Installed());
  Installed() = runner ? std::move(runner) : std::make_unique<ProcessRunner>();
  return previous;
}

namespace {

// A line that goes on into the next one: its last character is a backslash.
bool Continues(QStringView line) { return line.endsWith(u'\\'); }

}  // namespace

std::optional<QByteArray> AddScreenSaverProgram(const QByteArray& bytes, const QString& exe) {
  // Latin-1 maps each byte to one character and back, so bytes that are not text survive.
  const QString settings = QString::fromLatin1(bytes);
  static const QRegularExpression programsLine(QStringLiteral("^programs[ \\t]*:([^\\n]*)$"),
                                               QRegularExpression::MultilineOption);
  const QRegularExpressionMatch found = programsLine.match(settings);
  if (!found.hasMatch()) {
    return std::nullopt;
  }
  const QString command = QString::fromLatin1(ShellWord(exe).toUtf8()) + QStringLiteral(" -root");
  // An entry of our own from an earlier export is pointed at the executable named now: a
  // second entry would leave the first pointing wherever it pointed.
  static const QRegularExpression ownEntry(
      QStringLiteral("^[ \\t-]*\"LorvaneScr\"[ \\t]+(.*?)[ \\t]*(?:\\\\n)?[ \\t]*\\\\?$"),
      QRegularExpression::MultilineOption);
  QRegularExpressionMatchIterator entries = ownEntry.globalMatch(settings, found.capturedStart(0));
  std::vector<QRegularExpressionMatch> owned;
  while (entries.hasNext()) {
    owned.push_back(entries.next());
  }
  QString result = settings;
  // From the last entry up, so that the places of the earlier ones still hold.
  for (auto entry = owned.crbegin(); entry != owned.crend(); ++entry) {
    result.replace(entry->capturedStart(1), entry->capturedLength(1), command);
  }
  if (!owned.empty()) {
    return result.toLatin1();
  }
  // The list's last line is the first one that does not go on. The entry goes after every
  // other one: the saver the user picked is named by its place in the list.
  qsizetype lineStart = found.capturedStart(0);
  qsizetype lineEnd = found.capturedEnd(0);
  while (Continues(QStringView(settings).sliced(lineStart, lineEnd - lineStart)) && lineEnd < settings.size()) {
    lineStart = lineEnd + 1;
    lineEnd = settings.indexOf(u'\n', lineStart);
    lineEnd = lineEnd < 0 ? settings.size() : lineEnd;
  }
  const QString entry = QStringLiteral("  \"LorvaneScr\"  ") + command + QStringLiteral(" \\n");
  const QStringView last = QStringView(settings).sliced(lineStart, lineEnd - lineStart);
  if (last.trimmed().isEmpty() && lineStart > found.capturedStart(0)) {
    // As xscreensaver writes it: every entry goes on, and a blank line ends the list.
    result.insert(lineStart, entry + QStringLiteral("\\\n"));
    return result.toLatin1();
  }
  if (Continues(last)) {
    // The file ends inside the list.
    result.insert(lineEnd, u'\n' + entry + u'\n');
    return result.toLatin1();
  }
  // The last entry ends the list itself: it goes on into the new one.
  const bool programsOnly = lineStart == found.capturedStart(0) && found.captured(1).trimmed().isEmpty();
  const bool separated = last.trimmed().endsWith(QStringLiteral("\\n"));
  const QString joint = programsOnly ? QStringLiteral("\t\\\n") : separated ? QStringLiteral("\\\n") : QStringLiteral(" \\n\\\n");
  result.insert(lineEnd, joint + entry);
  return result.toLatin1();
}

bool InstallScreenSaverIn(const QString& exe, const QString& home) {
  if (!Commands().Installed(QStringLiteral("xscreensaver"))) {
    return false;
  }
  QFile file(QDir(home).filePath(QStringLiteral(".xscreensaver")));
  if (!file.open(QIODevice::ReadOnly)) {
    return false;
  }
  const QByteArray settings = file.readAll();
  file.close();
  const std::optional<QByteArray> updated = AddScreenSaverProgram(settings, exe);
  if (!updated) {
    return false;
  }
  if (*updated == settings) {
    return true;
  }
  return Gdip::WriteFileAtomically(file.fileName(),
                                   [&](QIODevice& out) { return out.write(*updated) == updated->size(); });
}

bool InstallScreenSaver(const QString& exe) { return InstallScreenSaverIn(exe, QDir::homePath()); }

}  // namespace Desktop
