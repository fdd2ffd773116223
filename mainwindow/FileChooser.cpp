#include "mainwindow/FileChooser.h"

namespace {

class ProgramFileChooser final : public FileChooser {
 public:
  void ShowFileDialog(QWidget* owner, const Request& request, Done done) override {
    FileDialogs::ShowFileDialog(owner, request, [done = std::move(done)](const FileDialogs::Result& result) {
      done({result.Path, result.FileExt});
    });
  }
  void ReleasePreviewDIB() override { FileDialogs::ReleasePreviewDIB(); }
};

}  // namespace

std::unique_ptr<FileChooser> MakeProgramFileChooser() { return std::make_unique<ProgramFileChooser>(); }
