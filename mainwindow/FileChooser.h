#pragma once
// The open and save dialogs as the main window asks for them: a start name, a filter of
// "|"-joined description and pattern pairs, a title. The window holds a chooser it can
// be given, so tests answer for the user.

#include <functional>
#include <memory>

#include <QString>

#include "mainwindow/FileDialogs.h"

class QWidget;

class FileChooser {
 public:
  using Request = FileDialogs::Request;
  struct Answer {
    // The chosen full path, empty when the user cancelled.
    QString Path;
    // The first pattern of the type chosen last, such as "*.jpg".
    QString Pattern;
  };
  using Done = std::function<void(const Answer&)>;
  virtual ~FileChooser() = default;
  // Returns at once; done runs with the answer when the dialog closes.
  virtual void ShowFileDialog(QWidget* owner, const Request& request, Done done) = 0;
  // Lets go of the picture the open dialog previewed last.
  virtual void ReleasePreviewDIB() = 0;
};

// The program's dialogs (FileDialogs), with the open dialog's preview and the save
// dialog's JPEG quality panel; the answer comes when the user closes the dialog.
std::unique_ptr<FileChooser> MakeProgramFileChooser();
