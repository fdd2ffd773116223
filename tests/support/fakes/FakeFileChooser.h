#pragma once
// A file dialog that answers from the test at once: each request is kept, and the answer
// given is the one set beforehand (an empty path is a cancel).

#include <vector>

#include "mainwindow/FileChooser.h"

namespace Fakes {

class FakeFileChooser final : public FileChooser {
 public:
  void ShowFileDialog(QWidget*, const Request& request, Done done) override {
    requests.push_back(request);
    done(answer);
  }
  void ReleasePreviewDIB() override { ++previewReleases; }

  Answer answer;
  std::vector<Request> requests;
  int previewReleases = 0;
};

}  // namespace Fakes
