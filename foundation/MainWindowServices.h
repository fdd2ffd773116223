#pragma once
// What the lower subsystems call on the main window. FrmMain implements it; tests use
// a recording fake. Controls the main window hosts are reached through it.

#include <cstdint>

#include <QString>

class QWidget;
class SkinMenuServices;

// What the shared save prompt and the browser's drawn controls need of the canvas.
class CanvasSaveServices {
 public:
  virtual ~CanvasSaveServices() = default;
  // The canvas holds unsaved changes when SaveState is false and AppliedEffect is true.
  virtual bool SaveState() const = 0;
  virtual void SetSaveState(bool value) = 0;
  virtual bool AppliedEffect() const = 0;
  virtual void SetAppliedEffect(bool value) = 0;
  // Saves the image in place, the format taken from its extension; true when it was written.
  virtual bool SaveOnly() = 0;
  // False for a new picture and for the copy a delete leaves: there is no file of the
  // user's to save over.
  virtual bool HasFileOfItsOwn() const = 0;

  // The colour of the text tool's text (RGB, red in the lowest byte).
  virtual void SetTextColor(std::uint32_t rgb) = 0;

  // The tool or effect mode; 0 is browsing.
  virtual int Effect() const = 0;
  // The file the canvas shows (its CurFilename), empty when none.
  virtual QString ShownFilename() const = 0;
  // The picture's width and height as text, "640".
  virtual QString ShowImgWidth() const = 0;
  virtual QString ShowImgHeight() const = 0;
  // The picture's horizontal resolution in dots per inch; 0 without a picture.
  virtual double HorizontalResolution() const = 0;
  // Lets go of the picture (its file is about to move); nothing shows until the next import.
  virtual void DisposeImgDIB() = 0;
  // Opens a file on the canvas.
  virtual void ImportImage(const QString& Filename) = 0;
};

// What the foundation and the folder tree need of the thumbnail sheet.
class ThumbnailSheetServices {
 public:
  virtual ~ThumbnailSheetServices() = default;
  // Redraws the thumbnail of the image just saved.
  virtual void RefreshThumSave() = 0;
  // Lists a folder into the sheet's table (an empty path gives an empty sheet).
  virtual void Path(const QString& NewPath) = 0;
  virtual void SetOnEventsEnabled(bool enabled) = 0;
  // Draws the thumbnails of the listed folder.
  virtual bool CreateThumbnail(int Zoom = 0, bool isZoom = false, bool isRefresh = false) = 0;
  // Stars the selected files (isDelete false) or unstars them and shows the change.
  virtual void QrFileCreate(bool isDelete = false) = 0;
  // Lists the folder again and redraws the thumbnails.
  virtual void RefreshThumbnail(bool isReAdd = true) = 0;
  // The file patterns the sheet lists, "*.jpg;*.png;" and the like.
  virtual void SetImageFormats(const QString& value) = 0;
  // The number of listed pictures (the sheet's ListCount), and the path of one of them
  // (empty outside the list).
  virtual int SlideCount() const = 0;
  virtual QString SlideFilename(int curI) const = 0;
  // Lists only the pictures whose names hold the words; isSearch false keeps the full list
  // to search in.
  virtual void SearchThumbnaillGO(const QString& KeyWords = {}, bool isSearch = true) = 0;
};

class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;

  // Hosted controls; each may be null while the window is being built or torn down.
  virtual CanvasSaveServices* SingleqzPreview() = 0;
  virtual ThumbnailSheetServices* ThumqzViewer() = 0;
  virtual SkinMenuServices* SkinMenu() = 0;
  // The folder pane that hosts the folder tree.
  virtual QWidget* FolderView() = 0;

  // The current folder caption (Label1).
  virtual QString Label1Caption() const = 0;
  virtual void SetLabel1Caption(const QString& caption) = 0;
  // Repaints the caption strip with Label1's caption, or "..." when it is empty.
  virtual void LeftSkinstyle() = 0;
  // The one keyboard shortcut table; KeyCode is a virtual-key code, Shift the 1/2/4 bits.
  virtual void ProcessShortcutKey(int KeyCode, int Shift) = 0;
  // Asks for a name and a type (starting in the picture's folder, else the sheet's) and
  // saves the picture there once the dialog has been answered.
  virtual void SaveAsDialog() = 0;
};
