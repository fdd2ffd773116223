#pragma once
// A task dialog whose outcome a test sets beforehand, and a factory that hands out
// such dialogs and keeps what each one was asked.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/SecondaryWindowServices.h"

namespace Fakes {

struct TaskDialogOutcome {
  int width = 0;
  int height = 0;
  int buttonState = 0;  // 1: confirmed
  std::uint32_t color = 0;
  QString name;
};

// What one dialog was asked, kept by the factory after the dialog is released.
struct TaskDialogRecord {
  int publicShell = 0;
  int paints = 0;
  int modalShows = 0;
  int modelessShows = 0;
  QString text;
};

class FakeTaskDialog final : public TaskDialogServices {
 public:
  FakeTaskDialog(TaskDialogOutcome outcome, TaskDialogRecord& record) : m_outcome(outcome), m_record(record) {}
  void SetPublicShell(int page) override { m_record.publicShell = page; }
  void StartPaint() override { ++m_record.paints; }
  void SetTextControl(const QString& text) override { m_record.text = text; }
  // The fake closes at once: the caller's continuation runs before ShowModal returns.
  void ShowModal(std::function<void()> Closed) override {
    ++m_record.modalShows;
    if (Closed) {
      Closed();
    }
  }
  void ShowModeless() override { ++m_record.modelessShows; }
  int m_Rwidth() const override { return m_outcome.width; }
  int m_Rheight() const override { return m_outcome.height; }
  int ButtonState() const override { return m_outcome.buttonState; }
  std::uint32_t ShellColor() const override { return m_outcome.color; }
  QString m_String() const override { return m_outcome.name; }

 private:
  TaskDialogOutcome m_outcome;
  TaskDialogRecord& m_record;
};

class FakeTaskDialogFactory final : public TaskDialogFactory {
 public:
  std::unique_ptr<TaskDialogServices> CreateTaskDialog() override {
    records.push_back(std::make_unique<TaskDialogRecord>());
    return std::make_unique<FakeTaskDialog>(outcome, *records.back());
  }

  // The outcome every new dialog reports.
  TaskDialogOutcome outcome;
  std::vector<std::unique_ptr<TaskDialogRecord>> records;
};

}  // namespace Fakes
