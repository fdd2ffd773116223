#include "windows/ShellTasks.h"

#include <array>

namespace ShellTasks {

Texts TaskTexts(int task) {
  static const QString chooseFolder = QStringLiteral("Please choose a New Directory for the selected images:");
  static const QString enterName = QStringLiteral("Please enter a New Name for the selected images:");
  static const std::array<Texts, 5> texts{{
      {" - Copy Images", chooseFolder, "Image will be copy to new directory."},
      {" - Move Images", chooseFolder, "Image will be move to new directory."},
      {" - Rename Images", enterName,
       "Image names will be automatically indexed. \nFor example, 'Image' will produce: 'Image1', 'Image2', ... "
       "'ImageN'."},
      {" - Canvas Resize", {}, {}},
      {" - Send to Stamp", enterName, "Image will be import to stamp library."},
  }};
  return task >= 0 && task < int(texts.size()) ? texts[std::size_t(task)] : Texts{};
}

QString NameOrUntitled(const QString& text) { return text.isEmpty() ? QStringLiteral("Untitled") : text; }

namespace {

// A file's folder (with its "/"), its name before the last dot, and the extension after it.
struct NameParts {
  QString Folder;
  QString Base;
  QString Extension;
  bool Dotted = false;
};

NameParts Split(const QString& file) {
  const qsizetype slash = file.lastIndexOf(u'/');
  const QString name = file.mid(slash + 1);
  const qsizetype dot = name.lastIndexOf(u'.');
  if (dot < 0) {
    return {file.left(slash + 1), name, {}, false};
  }
  return {file.left(slash + 1), name.left(dot), name.mid(dot + 1), true};
}

}  // namespace

bool IsPlainName(const QString& name) {
  return !name.isEmpty() && !name.contains(u'/') && name != QStringLiteral(".") && name != QStringLiteral("..");
}

QString NotPlainNameMessage() { return QStringLiteral("A name cannot contain \"/\"."); }

QString ProposedName(const QString& file) { return Split(file).Base; }

QStringList RenamedPaths(const QStringList& files, const QString& base) {
  QStringList renamed;
  for (qsizetype i = 0; i < files.size(); ++i) {
    const NameParts parts = Split(files[i]);
    const QString extension = !parts.Dotted ? QString() : u'.' + parts.Extension.toLower();
    const QString index = files.size() > 1 ? QString::number(i + 1) : QString();
    renamed.push_back(parts.Folder + base + index + extension);
  }
  return renamed;
}

QString JoinPath(const QString& folder, const QString& name) {
  if (folder.endsWith(u'/')) {
    return folder + name;
  }
  return folder + u'/' + name;
}

std::optional<QSize> ParseCanvasSize(const QString& width, const QString& height) {
  bool widthOk = false;
  bool heightOk = false;
  const int w = width.trimmed().toInt(&widthOk);
  const int h = height.trimmed().toInt(&heightOk);
  if (!widthOk || !heightOk || w < 1 || h < 1 || w > kMaxSide || h > kMaxSide) {
    return std::nullopt;
  }
  return QSize(w, h);
}

}  // namespace ShellTasks
