#pragma once
// Answers message boxes from a script instead of showing them, and records every box.
// Installed for as long as it lives.

#include <deque>
#include <initializer_list>
#include <vector>

#include <QString>

#include "platform/forms/MsgBox.h"

namespace Fakes {

class ScriptedMessageBox final : public Forms::MessageBoxService {
 public:
  struct Shown {
    QString prompt;
    int style;
    QString title;
  };

  // The answers given in turn; once they run out every box gets `fallback`.
  explicit ScriptedMessageBox(std::initializer_list<int> script = {}, int fallback = Forms::vbOK)
      : answers(script), fallback(fallback) {}

  int Show(const QString& prompt, int style, const QString& title) override {
    shown.push_back({prompt, style, title});
    if (answers.empty()) {
      return fallback;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<int> answers;
  int fallback;
  std::vector<Shown> shown;

 private:
  Forms::ScopedMessageBoxService m_scope{*this};
};

}  // namespace Fakes
