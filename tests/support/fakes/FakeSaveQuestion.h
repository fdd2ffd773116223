#pragma once
// A recording stand-in for the question about the canvas's unsaved changes: it counts the
// questions and gives the scripted answers in order, then lets every picture go.

#include <deque>

#include "foundation/SaveQuestionServices.h"

namespace Fakes {

class FakeSaveQuestion final : public SaveQuestionServices {
 public:
  bool MayReplacePicture() override {
    ++asked;
    if (answers.empty()) {
      return true;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }

  int asked = 0;
  std::deque<bool> answers;
};

}  // namespace Fakes
