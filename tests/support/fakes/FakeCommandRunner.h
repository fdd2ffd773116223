#pragma once
// Records the desktop programs the code would run instead of running them, and answers
// from a table: programs named in `installed` exist and print their `outputs`, and runs
// of programs named in `failing` fail. Installed for as long as its Scope lives.

#include <memory>
#include <vector>

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "platform/Desktop.h"

namespace Fakes {

class FakeCommandRunner final : public Desktop::CommandRunner {
 public:
  struct Call {
    QString program;
    QStringList arguments;
  };

  // The state lives outside the runner, which the seam owns while installed.
  struct Record {
    QSet<QString> installed;
    QSet<QString> failing;
    QHash<QString, QString> outputs;
    std::vector<Call> calls;
  };

  class Scope {
   public:
    Scope() : m_previous(Desktop::SetCommands(std::make_unique<FakeCommandRunner>(record))) {}
    ~Scope() { Desktop::SetCommands(std::move(m_previous)); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

    Record record;

   private:
    std::unique_ptr<Desktop::CommandRunner> m_previous;
  };

  explicit FakeCommandRunner(Record& record) : m_record(record) {}

  bool Installed(const QString& program) override { return m_record.installed.contains(program); }

  bool Run(const QString& program, const QStringList& arguments, QString* output) override {
    m_record.calls.push_back({program, arguments});
    if (output != nullptr) {
      *output = m_record.outputs.value(program);
    }
    return m_record.installed.contains(program) && !m_record.failing.contains(program);
  }

 private:
  Record& m_record;
};

}  // namespace Fakes
