#pragma once
// The open and save dialogs the program uses for pictures: a non-native file dialog with
// the program's own panel in it. In the open dialog the panel previews the selected
// picture with its file facts; in the save dialog it holds the JPEG quality slider.
//
// Filters are written as "|"-joined pairs of description and patterns ("JPG (JPEG)|*.jpg|
// PNG (Portable Network Graphics)|*.png"); the result carries the first pattern of the
// type chosen ("*.jpg"), which decides the format a picture is saved in.
//
// The dialog never blocks: ShowFileDialog returns at once and the answer arrives through
// the continuation, from the event loop, once the dialog has closed.

#include <functional>

#include <QPointer>
#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace FileDialogs {

struct Request {
  // The start name; with FilterIndex 0 its extension chooses the type shown first.
  QString FileName;
  QString Filter;
  // The 1-based type shown first; 0 chooses it from FileName.
  int FilterIndex = 0;
  QString Title;
  bool isOpen = true;
};

struct Result {
  // The chosen full path, of any length; empty when the dialog was cancelled.
  QString Path;
  // The first pattern of the type chosen ("*.jpg"), also on cancel.
  QString FileExt;
};

using Done = std::function<void(const Result&)>;

// The dialog with its panel, ready to be shown; it deletes itself once it has closed
// and `done` has run.
QFileDialog* MakeFileDialog(QWidget* owner, const Request& request, Done done);
// Shows the dialog over the owner and returns it (for tests and callers that want to
// close it early); `done` runs once it has closed.
QPointer<QFileDialog> ShowFileDialog(QWidget* owner, const Request& request, Done done);

// Lets go of the last open dialog's preview picture.
void ReleasePreviewDIB();

// The text before the first NUL character, or the whole text when it has none.
QString StripNull(const QString& s);
// The filter with every "|" made a NUL, padded with NULs to 260 characters, or followed
// by two NULs when it is that long already.
QString PrepareFilter(const QString& filter);
// The 1-based index of the filter entry whose pattern is exactly the name's extension
// ("photo.jpg" finds "*.jpg" but not "*.jpg;*.jpeg"), ignoring case; 1 when none is.
int FilterIndexForName(const QString& FileName, const QString& filter);
// The first pattern of a 0-based filter entry: "*.jpg" of "*.jpg;*.jpeg"; empty outside.
QString CurrentFilterPattern(const QString& filter, int index);
// The filter as name filters of the file dialog, one per entry, listing each pattern in
// lower and upper case (Linux file names are case-sensitive).
QStringList ToNameFilters(const QString& filter);
// The 0-based entry of a name filter made by ToNameFilters, or of its description alone;
// -1 when none.
int EntryOfNameFilter(const QString& filter, const QString& nameFilter);
// The name cut before an extension in its last five characters, as a change of type
// leaves it for the new type's extension: "photo.png" gives "photo".
QString CutExtension(const QString& name);
// The path with the pattern's extension appended when the name has none ("*.jpg" adds ".jpg").
QString WithPatternExtension(const QString& path, const QString& pattern);

}  // namespace FileDialogs
