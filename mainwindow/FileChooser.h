#pragma once
// The open and save dialogs as the main window asks for them: a start name, a filter of
// "|"-joined description and pattern pairs, a title. The window holds a chooser it can
// be given, so tests answer for the user.

#include <memory>

#include <QString>
#include <QStringList>

class QWidget;

class FileChooser {
 public:
  struct Request {
    // The start name; also picks the type shown first when FilterIndex is 0.
    QString FileName;
    QString Filter;
    // 1-based; 0 chooses it from FileName.
    int FilterIndex = 0;
    QString Title;
    bool isOpen = true;
  };
  struct Answer {
    // The chosen full path, empty when the user cancelled.
    QString Path;
    // The first pattern of the type chosen last, such as "*.jpg".
    QString Pattern;
  };
  virtual ~FileChooser() = default;
  virtual Answer ShowFileDialog(QWidget* owner, const Request& request) = 0;
  // Lets go of the picture the open dialog previewed last.
  virtual void ReleasePreviewDIB() = 0;
};

namespace FileFilters {

// The filter's description and pattern pairs as dialog name filters ("text (*.a *.b)").
QStringList NameFilters(const QString& filter);
// The first pattern of the entry at a 0-based index; empty past the end.
QString FirstPattern(const QString& filter, int index);
// The 0-based entry whose only pattern is the name's extension, else the first entry.
int EntryForName(const QString& filter, const QString& name);

}  // namespace FileFilters

// Qt's own dialog, non-native so it behaves the same on every desktop.
std::unique_ptr<FileChooser> MakeQtFileChooser();
