#include "mainwindow/FileChooser.h"

#include <QFileDialog>

namespace {

class ProgramFileChooser final : public FileChooser {
 public:
  Answer ShowFileDialog(QWidget* owner, const Request& request) override {
    Answer answer;
    QFileDialog* dialog = FileDialogs::MakeFileDialog(owner, request, [&answer](const FileDialogs::Result& result) {
      answer = {result.Path, result.FileExt};
    });
    dialog->exec();
    return answer;
  }
  void ReleasePreviewDIB() override { FileDialogs::ReleasePreviewDIB(); }
};

}  // namespace

std::unique_ptr<FileChooser> MakeProgramFileChooser() { return std::make_unique<ProgramFileChooser>(); }
