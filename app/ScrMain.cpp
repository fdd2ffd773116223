// The start-up of LorvaneScr: reads the command line, checks the imaging layer and runs
// the settings dialog, the full-screen show or the preview until it ends.
#include <cstdio>

#include <QApplication>

#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Codecs.h"
#include "screensaver/ScrCommandLine.h"
#include "screensaver/ScrRun.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const std::optional<ScrCommandLine::Request> request =
      ScrCommandLine::Parse(QCoreApplication::arguments().mid(1), qgetenv("XSCREENSAVER_WINDOW"));
  if (!request) {
    return 0;
  }
  if (!Gdip::CodecsAvailable()) {
    std::fputs("lorvanescr: Error loading GDI+! (the image readers are missing)\n", stderr);
    Forms::MsgBox(QStringLiteral("Error loading GDI+!"), Forms::vbOKOnly | Forms::vbCritical);
    return 1;
  }
  const std::unique_ptr<ScrRun::Session> session = ScrRun::Start(*request, QCoreApplication::applicationDirPath());
  if (!session) {
    return 0;
  }
  return QApplication::exec();
}
