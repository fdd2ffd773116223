#include "controls/FolderHistory.h"

#include <algorithm>

#include <QFile>
#include <QIODevice>

#include "controls/MenuModel.h"
#include "foundation/CommandKeys.h"
#include "platform/gdiplus/AtomicFile.h"

namespace FolderHistory {
namespace {

QString HistoryKey(int number) { return CommandKeyText(CommandKeys::File_History) + QString::number(number); }

int FirstHistoryRow() { return MenuModel::FixedRowCount + 1; }

}  // namespace

QString HistoryFile(const QString& dataFolder) { return dataFolder + QStringLiteral("History.tmp"); }

std::vector<QString> ReadHistoryFile(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    // Missing or unreadable file: the history starts empty.
    return {};
  }
  std::vector<QString> paths;
  for (const QByteArray& line : in.readAll().split('\n')) {
    const QByteArray path = line.endsWith('\r') ? line.chopped(1) : line;
    if (!path.isEmpty()) {
      paths.push_back(QString::fromUtf8(path));
    }
  }
  // The file lists the newest folder first; the table keeps the oldest first.
  std::reverse(paths.begin(), paths.end());
  return paths;
}

void UpdateHistory(MenuModel& model, const std::vector<QString>& paths) {
  for (std::size_t i = 0; i < paths.size(); ++i) {
    model.AddMenuItem(MenuModel::HistoryMenu, paths[i], HistoryKey(int(i)));
  }
}

bool HistoryCreate(MenuModel& model, const QString& path) {
  for (int number = FirstHistoryRow(); number <= model.RowCount(); ++number) {
    if (model.Row(number).caption == path) {
      return false;
    }
  }
  while (model.HistoryCount() >= Limit) {
    model.RemoveRow(FirstHistoryRow());
  }
  model.AddMenuItem(MenuModel::HistoryMenu, path, HistoryKey(model.RowCount()));
  return true;
}

bool WriteHistoryFile(const QString& file, const MenuModel& model) {
  QByteArray text;
  for (int number = model.RowCount(); number >= FirstHistoryRow(); --number) {
    const QByteArray path = model.Row(number).caption.toUtf8();
    // A path holding a line break would come back as two folders: it is not stored.
    if (!path.contains('\n') && !path.contains('\r')) {
      text += path + "\r\n";
    }
  }
  return Gdip::WriteFileAtomically(file, [&text](QIODevice& out) { return out.write(text) == text.size(); });
}

}  // namespace FolderHistory
