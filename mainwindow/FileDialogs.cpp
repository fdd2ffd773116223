#include "mainwindow/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>

#include "mainwindow/fDialogEx.h"

namespace FileDialogs {

namespace {

constexpr QChar kNul(0);
// The length the filter is padded to, as the dialog layer's fixed buffers had it.
constexpr int kFilterBuffer = 260;

QStringList Entries(const QString& filter) { return filter.split(QLatin1Char('|')); }

// The dialog's name box: the one line edit Qt's own dialog names so.
QLineEdit* NameBox(QFileDialog& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

// One dialog from its showing to its end: answers its changes and reports the choice.
class Session final : public QObject {
 public:
  Session(QFileDialog& dialog, fDialogEx& panel, const Request& request, Done done)
      : QObject(&dialog), m_dialog(dialog), m_panel(panel), m_request(request), m_done(std::move(done)) {
    connect(&dialog, &QFileDialog::currentChanged, this, &Session::SelectionChanged);
    connect(&dialog, &QFileDialog::directoryEntered, this, &Session::FolderChanged);
    connect(&dialog, &QFileDialog::filterSelected, this, &Session::TypeChanged);
    connect(&dialog, &QFileDialog::finished, this, &Session::Finished);
  }

 private:
  QString Pattern() const {
    return CurrentFilterPattern(m_request.Filter, EntryOfNameFilter(m_request.Filter, m_dialog.selectedNameFilter()));
  }

  void SelectionChanged(const QString& path) {
    const QFileInfo file(path);
    if (m_request.isOpen && file.isFile() && !file.suffix().isEmpty()) {
      m_panel.ShowPreview(path);
    }
  }

  void FolderChanged() {
    if (QLineEdit* box = NameBox(m_dialog)) {
      box->clear();
    }
  }

  // The typed name loses its old extension and the new type's becomes the default one.
  void TypeChanged() {
    if (m_request.isOpen) {
      return;
    }
    QLineEdit* box = NameBox(m_dialog);
    const QString typed = box != nullptr ? box->text() : QString();
    const QString pattern = Pattern();
    if (pattern.size() > 2) {
      m_dialog.setDefaultSuffix(pattern.mid(2));
    }
    if (box != nullptr) {
      box->setText(CutExtension(typed));
    }
  }

  void Finished(int result) {
    Result answer{{}, Pattern()};
    if (result == QDialog::Accepted && !m_dialog.selectedFiles().isEmpty()) {
      answer.Path = WithPatternExtension(m_dialog.selectedFiles().constFirst(), answer.FileExt);
    }
    m_dialog.hide();
    if (m_done) {
      m_done(answer);
    }
    m_dialog.deleteLater();
  }

  QFileDialog& m_dialog;
  fDialogEx& m_panel;
  Request m_request;
  Done m_done;
};

QFileDialog* MakeDialog(QWidget* owner, const Request& request) {
  auto* dialog = new QFileDialog(owner, request.Title);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setAcceptMode(request.isOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog->setFileMode(request.isOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList nameFilters = ToNameFilters(request.Filter);
  dialog->setNameFilters(nameFilters);
  int index = request.FilterIndex;
  if (!request.FileName.isEmpty() && index == 0) {
    index = FilterIndexForName(request.FileName, request.Filter);
  }
  if (index >= 1 && index <= nameFilters.size()) {
    dialog->selectNameFilter(nameFilters[index - 1]);
  }
  const QFileInfo start(request.FileName);
  if (!request.FileName.isEmpty()) {
    if (start.dir().exists()) {
      dialog->setDirectory(start.absolutePath());
    }
    dialog->selectFile(start.fileName());
  }
  return dialog;
}

// The program's panel beside the dialog's own controls, over their full height.
void PlaceOptionsPanel(QFileDialog& dialog, fDialogEx& panel) {
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(&panel, 0, grid->columnCount(), grid->rowCount(), 1);
  }
}

// The panel of the dialog open now, whose preview ReleasePreviewDIB lets go of.
QPointer<fDialogEx>& OpenPanel() {
  static QPointer<fDialogEx> panel;
  return panel;
}

}  // namespace

QFileDialog* MakeFileDialog(QWidget* owner, const Request& request, Done done) {
  QFileDialog* dialog = MakeDialog(owner, request);
  auto* panel = new fDialogEx(request.isOpen, dialog);
  PlaceOptionsPanel(*dialog, *panel);
  OpenPanel() = panel;
  new Session(*dialog, *panel, request, std::move(done));
  return dialog;
}

QPointer<QFileDialog> ShowFileDialog(QWidget* owner, const Request& request, Done done) {
  QFileDialog* dialog = MakeFileDialog(owner, request, std::move(done));
  dialog->open();
  return dialog;
}

void ReleasePreviewDIB() {
  if (OpenPanel()) {
    OpenPanel()->ReleasePreview();
  }
}

QString StripNull(const QString& s) {
  const qsizetype nul = s.indexOf(kNul);
  return nul < 0 ? s : s.left(nul);
}

QString PrepareFilter(const QString& filter) {
  QString prepared = filter;
  prepared.replace(QLatin1Char('|'), kNul);
  if (prepared.size() < kFilterBuffer) {
    return prepared.leftJustified(kFilterBuffer, kNul);
  }
  return prepared + kNul + kNul;
}

int FilterIndexForName(const QString& FileName, const QString& filter) {
  QString extension = FileName.right(4);
  if (extension.startsWith(QLatin1Char('.'))) {
    extension.remove(0, 1);
  }
  const QString sought = QStringLiteral("*.") + extension;
  const QStringList entries = Entries(filter);
  for (qsizetype k = 1; k < entries.size(); ++k) {
    if (entries[k].compare(sought, Qt::CaseInsensitive) == 0) {
      return int(k / 2 + 1);
    }
  }
  return 1;
}

QString CurrentFilterPattern(const QString& filter, int index) {
  if (index < 0) {
    return {};
  }
  return Entries(filter).value(2 * index + 1).section(QLatin1Char(';'), 0, 0);
}

QStringList ToNameFilters(const QString& filter) {
  const QStringList entries = Entries(filter);
  QStringList nameFilters;
  for (qsizetype k = 0; k + 1 < entries.size(); k += 2) {
    QStringList patterns;
    for (const QString& pattern : entries[k + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patterns << pattern.toLower();
      if (pattern.toUpper() != pattern.toLower()) {
        patterns << pattern.toUpper();
      }
    }
    nameFilters << entries[k] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return nameFilters;
}

// The dialog reports a name filter without its pattern list when it hides the details.
int EntryOfNameFilter(const QString& filter, const QString& nameFilter) {
  const QStringList entries = Entries(filter);
  const QStringList nameFilters = ToNameFilters(filter);
  for (qsizetype k = 0; k < nameFilters.size(); ++k) {
    if (nameFilter == nameFilters[k] || nameFilter == entries[2 * k]) {
      return int(k);
    }
  }
  return -1;
}

QString CutExtension(const QString& name) {
  if (name.size() <= 4) {
    return name;
  }
  const qsizetype dot = name.indexOf(QLatin1Char('.'), name.size() - 5);
  return dot < 0 ? name : name.left(dot);
}

QString WithPatternExtension(const QString& path, const QString& pattern) {
  if (pattern.size() <= 2 || path.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.'))) {
    return path;
  }
  return path + pattern.mid(1);
}

}  // namespace FileDialogs
