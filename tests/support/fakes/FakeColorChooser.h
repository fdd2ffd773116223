#pragma once
// A colour chooser that answers from a script and records where it started; it stands in
// for the program's chooser while it lives.

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Dialogs.h"

namespace Fakes {

class FakeColorChooser final : public Dialogs::ColorChooser {
 public:
  struct Record {
    std::deque<std::optional<Dialogs::COLORREF>> answers;
    std::vector<Dialogs::COLORREF> starts;
    std::vector<bool> fullOpen;
  };

  // Puts a chooser answering from `record` in place until the returned guard ends.
  class Scope {
   public:
    explicit Scope(Record& record)
        : m_previous(Dialogs::SetColorService(std::make_unique<FakeColorChooser>(record))) {}
    ~Scope() { Dialogs::SetColorService(std::move(m_previous)); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    std::unique_ptr<Dialogs::ColorChooser> m_previous;
  };

  explicit FakeColorChooser(Record& record) : m_record(record) {}

  // Cancels once the script has run out.
  std::optional<Dialogs::COLORREF> ChooseColor(QWidget*, Dialogs::COLORREF initial, Dialogs::CustomColors&,
                                               bool FullOpen) override {
    m_record.starts.push_back(initial);
    m_record.fullOpen.push_back(FullOpen);
    if (m_record.answers.empty()) {
      return std::nullopt;
    }
    const std::optional<Dialogs::COLORREF> answer = m_record.answers.front();
    m_record.answers.pop_front();
    return answer;
  }

 private:
  Record& m_record;
};

}  // namespace Fakes
