#include "mainwindow/FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace FileFilters {

namespace {

// The patterns of each entry, in order: every second item of the "|"-joined list.
QStringList PatternLists(const QString& filter) {
  const QStringList items = filter.split(QLatin1Char('|'));
  QStringList patterns;
  for (qsizetype i = 1; i < items.size(); i += 2) {
    patterns.push_back(items[i]);
  }
  return patterns;
}

}  // namespace

QStringList NameFilters(const QString& filter) {
  const QStringList items = filter.split(QLatin1Char('|'));
  QStringList names;
  for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
    // The dialog reads the patterns from the last parentheses, so the description's own
    // pattern list stays as it is shown.
    names.push_back(items[i] + QStringLiteral(" (") + items[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' ')) +
                    QLatin1Char(')'));
  }
  return names;
}

QString FirstPattern(const QString& filter, int index) {
  const QStringList patterns = PatternLists(filter);
  if (index < 0 || index >= patterns.size()) {
    return {};
  }
  return patterns[index].section(QLatin1Char(';'), 0, 0);
}

int EntryForName(const QString& filter, const QString& name) {
  const QString suffix = QFileInfo(name).suffix();
  if (suffix.isEmpty()) {
    return 0;
  }
  const QString sought = QStringLiteral("*.") + suffix;
  const QStringList patterns = PatternLists(filter);
  for (qsizetype i = 0; i < patterns.size(); ++i) {
    if (patterns[i].compare(sought, Qt::CaseInsensitive) == 0) {
      return int(i);
    }
  }
  return 0;
}

}  // namespace FileFilters

namespace {

class QtFileChooser final : public FileChooser {
 public:
  Answer ShowFileDialog(QWidget* owner, const Request& request) override {
    QFileDialog dialog(owner, request.Title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.isOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.isOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList names = FileFilters::NameFilters(request.Filter);
    dialog.setNameFilters(names);
    const int entry = request.FilterIndex > 0 ? request.FilterIndex - 1
                                              : FileFilters::EntryForName(request.Filter, request.FileName);
    if (entry < names.size()) {
      dialog.selectNameFilter(names[entry]);
    }
    if (!request.FileName.isEmpty()) {
      dialog.selectFile(request.FileName);
    }
    Answer answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      answer.Path = dialog.selectedFiles().constFirst();
    }
    answer.Pattern = FileFilters::FirstPattern(request.Filter, int(names.indexOf(dialog.selectedNameFilter())));
    return answer;
  }
  void ReleasePreviewDIB() override {}
};

}  // namespace

std::unique_ptr<FileChooser> MakeQtFileChooser() { return std::make_unique<QtFileChooser>(); }
