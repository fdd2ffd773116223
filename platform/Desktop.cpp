#include "platform/Desktop.h"

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
  if (settings.contains(command)) {
    return bytes;
  }
  const QString entry = QStringLiteral("  \"LorvaneScr\"  ") + command + QStringLiteral(" \\n");
  const QString value = found.captured(1);
  QString result = settings;
  if (value.endsWith(u'\\')) {
    // The list continues on the next lines: the entry goes first, continued in turn.
    const qsizetype lineEnd = found.capturedEnd(0);
    if (lineEnd == result.size()) {
      result.append(u'\n');
    }
    result.insert(lineEnd + 1, entry + QStringLiteral("\\\n"));
    return result.toLatin1();
  }
  // The whole list sits on the programs line itself: it moves to a line after the entry.
  const QString rest = value.trimmed();
  const QString block = QStringLiteral("\t\\\n") + entry + (rest.isEmpty() ? QString() : QStringLiteral("\\\n  ") + rest);
  result.replace(found.capturedStart(1), found.capturedLength(1), block);
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
