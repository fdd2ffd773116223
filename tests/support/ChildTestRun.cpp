#include "support/ChildTestRun.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace TestSupport {

ChildOutcome RunOnDisplay(const QString& display, const QString& filter, const char* childFlag) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", display);
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.insert(QString::fromLatin1(childFlag), "1");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=" + filter});
  ChildOutcome outcome;
  outcome.Finished = child.waitForFinished(60000);
  outcome.Output = QString::fromLocal8Bit(child.readAll());
  outcome.ExitCode = child.exitCode();
  return outcome;
}

}  // namespace TestSupport
