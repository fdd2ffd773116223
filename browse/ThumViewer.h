#pragma once
// The thumbnail sheet: the table of a folder's image files, how it is filled, sorted,
// filtered and searched, the sheet's published settings, its layout of drawing surface
// and scroll bar, the drawn sheet of thumbnails and the selection made on it. The main
// window hosts one, as ThumqzViewer.

#include <array>
#include <cstdint>
#include <vector>

#include <QColor>
#include <QDate>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "browse/ModFileinfo.h"
#include "browse/SheetGeometry.h"
#include "browse/ThumbnailLoader.h"
#include "foundation/MainWindowServices.h"
#include "foundation/MemoryBudgets.h"

class QMouseEvent;
class QPainter;
class SaveQuestionServices;
class SelectedFiles;
class ThumSurface;
class scrollVControl;

// What the sheet writes captions with, made once on the first folder.
struct CaptionKit {
  QColor White{255, 255, 255};
  QColor Black{0, 0, 0};
  QFont Font;
  Qt::Alignment Format = Qt::AlignHCenter;
  QImage Star;  // "Favorties.png" from the data folder; null when it is missing
};

class ThumViewer : public QWidget, public ThumbnailSheetServices {
  Q_OBJECT
  friend class ThumSurface;

 public:
  static constexpr int DefaultThumSize = 100;
  static constexpr int ScrollBarWidth = 15;
  static constexpr int SurfaceMargin = SheetGeometry::SurfaceLeft;
  static QString DefaultImageFormats();

  enum FilterKinds { NoFilter = 0, ExtensionFilter = 1, DateFilter = 2 };

  explicit ThumViewer(QWidget* parent = nullptr);
  ~ThumViewer() override;

  // True when the last listing found at least one file; the host enables its sort
  // and slideshow commands with it.
  bool NoOpen = false;
  // Cleared by the folder tree host before it redraws the sheet.
  bool OnEventsEnabled = false;
  // Row of the current thumbnail in sheet order.
  int OldPress = 0;
  // Full path and extension of the file chosen on the sheet.
  QString SelectFile;
  QString FileExtname;
  // Number of rows of the file table.
  int ListCount = 0;
  // Number of rows the sheet shows: those its format or day filter lets through.
  int ShownCount() const;

  // Makes NewPath the browsed folder and fills the file table; it does not draw. A
  // missing, unreadable, empty or relative path gives an empty table.
  void Path(const QString& NewPath) override;
  void SetOnEventsEnabled(bool enabled) override { OnEventsEnabled = enabled; }
  // Re-reads the folder; with isReAdd the table is refilled, sorted and saved for search.
  void RefreshThumbnail(bool isReAdd = true) override;
  // isSearch false saves the full table for searching, once per folder; isSearch true
  // makes the table the saved rows whose names contain KeyWords, ignoring case, and
  // draws them.
  void SearchThumbnaillGO(const QString& KeyWords = {}, bool isSearch = true) override;
  // Redraws the sheet after a change of thumbnail size, with a margin of ZoomV around
  // every cell.
  void ZoomThumbnail(int ZoomV = 0);

  // Lays every row that passes the filter out on the sheet at once and starts drawing
  // their thumbnails, the rows on screen first. A drawing still in progress is
  // cancelled. Zoom is the margin around each cell; isZoom and isRefresh tell who asks
  // and change nothing. Always false.
  bool CreateThumbnail(int Zoom = 0, bool isZoom = false, bool isRefresh = false) override;
  // Sizes the surface for the laid-out rows and the scroll bar for the surface.
  void SetupThumbScroll();
  // Redraws the current thumbnail (row OldPress) from SelectFile after that file changed.
  void RefreshThumSave() override;
  void Refresh();
  // Takes the rubber band's rectangle from its start and current points and shows it.
  void DrawSelect();
  // True once every thumbnail of the last drawing is on the sheet.
  bool SheetReady() const { return m_sheetReady; }

  // Star marks. QrFileRead reads the listed folder's star list. QrFileCreate stars the
  // selected files (isDelete false) or unstars them, writes the list and redraws their
  // marks; when the list cannot be written it says so and leaves the sheet as it was.
  void QrFileRead();
  void QrFileCreate(bool isDelete = false) override;
  // Frames the selected thumbnails in grey after a change of their stars and repaints.
  void DrawReview(bool isRefresh = false, bool isDelete = false);
  // The star list as last read, names as they stand in the file.
  const QStringList& StarNames() const { return m_starNames; }

  // The selection step for a press at (X, Y) on the surface, or for moving to the next
  // or previous shown row. Button and Shift carry the 1/2/4 bits. True when a thumbnail
  // was hit or a band selection was made.
  bool PressThumbnail(int Button, int Shift, float X, float Y, bool isNext = false, bool isBack = false);
  // Moves the current thumbnail to the next or previous row the filter shows; the
  // current row's file is then in SelectFile. False when no row is current: none was
  // and none lies that way.
  bool PreviewNext();
  bool PreviewBack();
  // The full path of row curI of the table, or empty.
  QString SlideFilename(int curI) const override;
  int SlideCount() const override { return ListCount; }

  // Where the thumbnail of a row was placed inside its cell, and on the surface (also
  // what hits and frames use); empty for rows not drawn.
  QRectF FitRect(int row) const;
  QRectF HitRect(int row) const;
  // Caption line 0 (the file name) or 1 (the fact the sort order picks) of a laid-out
  // row; the image size of line 1 is known once the row is drawn.
  QString Caption(int row, int line) const;
  // The list the sheet publishes its selection to; the program's one list by default.
  void SetSelectedFiles(SelectedFiles& list);
  // What a pick asks before its picture replaces the canvas's; without one nothing is asked.
  void UseSaveQuestion(SaveQuestionServices& question) { m_saveQuestion = &question; }
  // The grid of the last drawing.
  const SheetGeometry& Geometry() const { return m_geometry; }

  // Whether a row is shown under the current filter.
  bool PassesFilter(const ModFileinfo::FileRow& row) const;

  // OLE colour, red in the lowest byte; the drawing surface's background.
  std::uint32_t BackColor() const { return m_backColor; }
  void SetBackColor(std::uint32_t value);
  int ThumStyle() const { return m_thumStyle; }
  void SetThumStyle(int value) { m_thumStyle = value; }
  int ThumWidth() const { return m_thumWidth; }
  // Sizes below 1 (a first run with nothing stored) become the default.
  void SetThumWidth(int value);
  int ThumHeight() const { return m_thumHeight; }
  void SetThumHeight(int value);
  int ThumbnaillSort() const { return m_sort; }
  // 0 name, 1 type, 2 size, 3 created, 4 modified, 5 star; refills the table in that order.
  void SetThumbnaillSort(int value);
  bool ShowSingleSplit() const { return m_showSingleSplit; }
  void SetShowSingleSplit(bool value) { m_showSingleSplit = value; }
  // The pattern the folder is listed with.
  QString ImageFormats() const { return m_pattern; }
  // Shows only the listed extensions ("*.png;*.JPG"), ignoring case; the listing
  // pattern stays as it is.
  void SetImageFormats(const QString& value) override;
  bool HideCaption() const { return m_hideCaption; }
  void SetHideCaption(bool value) { m_hideCaption = value; }
  bool AutoZoomsize() const { return m_autoZoomsize; }
  void SetAutoZoomsize(bool value) { m_autoZoomsize = value; }
  int CustomWidth() const { return m_customWidth; }
  void SetCustomWidth(int value) { m_customWidth = value; }
  int CustomHeight() const { return m_customHeight; }
  void SetCustomHeight(int value) { m_customHeight = value; }
  bool isFavorties() const { return m_isFavorties; }
  void SetisFavorties(bool value) { m_isFavorties = value; }
  // Shows only files created on or before the day of "d-m-yyyy-".
  void SetDateWatch(const QString& value);
  // Width and height of the current thumbnail's rectangle.
  int ThumW() const { return m_thumW; }
  int ThumH() const { return m_thumH; }

  // Facts of the current row (OldPress) while it is selected; empty otherwise.
  QString ShowFormat() const;
  QString ShowSize() const;
  QString ShowFilename() const;
  QString ShowCreateData() const;
  QString ShowModiData() const;

  // The browsed folder with a trailing "/", or empty.
  QString FolderPath() const { return m_folderPath; }
  int FilterKind() const { return m_filterKind; }
  // The live file table, one row per file in sheet order.
  const ModFileinfo::FileTable& FileRows() const { return m_rows; }
  ModFileinfo::FileTable& FileRows() { return m_rows; }

  QWidget* Surface() const;
  scrollVControl* Scroll() const { return m_scroll; }
  const ThumbnailLoader& Loader() const { return *m_loader; }
  // The bytes of decoded pictures the sheet may hold; pictures of rows far from the
  // view are let go beyond it and decoded again when they come back into view.
  void SetMemoryBudget(qint64 bytes) { m_budget = bytes; }
  qint64 HeldBytes() const { return m_heldBytes; }
  // Whether the row's picture is held (drawn and not let go).
  bool HoldsPicture(int row) const { return ValidRow(row) && !m_pictures[row].Thumb.isNull(); }

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseUp(int Button, int Shift, float X, float Y);
  void DblClick();
  // The table was filled anew (a listing or a search) or its filter changed: ListCount
  // or ShownCount may have changed.
  void Listed();
  // A press on a thumbnail chose a picture to open.
  void PictureChosen(const QString& file);
  // The days the listed pictures were made on, each once and in order: none when a
  // folder starts listing, all of them whenever the sheet is laid out.
  void PictureDaysListed(const QList<QDate>& days);
  // A key the sheet has no use for, for the shortcut table: a virtual-key code and its
  // Shift bits. Keys on the scroll bar come here too.
  void ShortcutKeyPressed(int KeyCode, int Shift);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FillFileTable();
  void CreateCaptionKit();
  QList<QDate> PictureDays() const;
  bool MatchImageFormat(const ModFileinfo::FileRow& row) const;
  bool MatchDateWatch(const ModFileinfo::FileRow& row) const;
  void LayoutChildren();
  // The first slot of the row at the top of the view.
  int TopSlot() const;
  // Lays the drawn sheet out again when the control's width changed the number of
  // thumbnails a row, from the pictures it holds; topSlot's row stays at the top.
  void ReflowSheet(int topSlot);
  void ScrollToSlot(int slot);
  void OnScrollValueChanged();
  // The current row while it is selected, else null.
  const ModFileinfo::FileRow* CurrentRow() const;
  QString CurrentFact(QString ModFileinfo::FileRow::*column) const;
  void UpdateScrollRange();

  // Drawing the sheet.
  void ClearSheet();
  void LayOutRows();
  void StartDecoding();
  std::vector<int> VisibleRequests() const;
  void PlaceThumbnail(int row, const ThumbPicture& picture);
  void SetPicture(int row, const ThumbPicture& picture);
  // A drawn row whose picture was let go to stay within the budget.
  bool Released(int row) const;
  void Release(int row);
  // Lets go of the pictures of the rows farthest from the view until the budget holds.
  void KeepWithinBudget();
  // The slots on screen, and with the margin of rows kept around them.
  void VisibleSlots(int& first, int& last) const;
  bool InWindow(int slot) const;
  // Starts decoding again when a row on screen has been let go and nobody decodes it.
  void DecodeReleasedInView();
  // Puts a drawn row's picture rectangle at its slot of the current grid.
  void PlaceCell(int row);
  void FinishSheet();
  void UpdateRow(int row);
  void PaintSurface(QPainter& painter, const QRect& exposed);
  void PaintCell(QPainter& painter, int slot) const;
  void PaintMarks(QPainter& painter, int firstSlot, int lastSlot) const;
  // The grey frames of the last star change: under the selection frames, or over them
  // (onTop) until the selection next changes.
  void PaintReviewFrames(QPainter& painter, bool onTop) const;

  // Selecting on it.
  int HitRow(QPointF point) const;
  int NeighbourRow(int step) const;
  void PressRow(int row, int Shift);
  void PressBand(int Shift);
  void PublishSelection();
  void SurfaceMouseDown(const QMouseEvent& event);
  void SurfaceMouseMove(const QMouseEvent& event);
  void SurfaceMouseUp(const QMouseEvent& event);
  bool AskedToKeepCanvas();
  bool ValidRow(int row) const { return row >= 0 && row < static_cast<int>(m_rows.size()); }

  ThumSurface* m_surface = nullptr;
  scrollVControl* m_scroll = nullptr;

  ModFileinfo::FileTable m_rows;
  // The full table as of the last refill; searches draw from it.
  ModFileinfo::FileTable m_searchRows;
  QString m_searchFolder;
  QString m_folderPath;
  // Star-marked names of the folder, as read from its star list.
  QStringList m_starNames;

  int m_filterKind = NoFilter;
  QStringList m_formatFilter;
  // Year, month, day of the date filter.
  std::array<int, 3> m_dateFilter{0, 0, 0};

  bool m_hasCaptionKit = false;
  CaptionKit m_captions;

  std::uint32_t m_backColor = 0xFFFFFF;
  int m_thumStyle = 0;
  int m_thumWidth = DefaultThumSize;
  int m_thumHeight = DefaultThumSize;
  int m_sort = 0;
  bool m_showSingleSplit = false;
  QString m_pattern;
  bool m_hideCaption = false;
  bool m_autoZoomsize = false;
  int m_customWidth = 32;
  int m_customHeight = 32;
  bool m_isFavorties = false;
  int m_thumW = 0;
  int m_thumH = 0;

  // The drawn sheet. It lives here in memory, cell by cell: nothing else reads it, and a
  // program folder that is read-only or shared by two instances cannot spoil it.
  ThumbnailLoader* m_loader = nullptr;
  SheetGeometry m_geometry;
  std::vector<int> m_slotRows;  // the row shown in each layout slot
  std::vector<int> m_rowSlots;  // the slot of each row, -1 for rows the filter hides
  // Per row, with one spare entry at ListCount (the current row after a band selection).
  std::vector<QRectF> m_fitRects;
  std::vector<QRectF> m_imageRects;
  std::vector<ThumbPicture> m_pictures;
  std::vector<bool> m_drawn;
  std::vector<int> m_requestOfRow;  // the index of a row's request in the running batch
  std::vector<int> m_prioritized;   // the requests last put at the head of the queue
  bool m_sheetReady = false;
  qint64 m_budget = MemoryBudgets::kSheetBytes - MemoryBudgets::kThumbnailCacheBytes;
  qint64 m_heldBytes = 0;
  // The row framed in grey when the drawing ended.
  int m_framedRow = -1;
  // The rows framed in grey by the last star change, and whether those frames still
  // cover the selection frames.
  std::vector<int> m_reviewRows;
  bool m_reviewOnTop = false;

  // The rubber band.
  bool m_bandActive = false;
  bool m_buttonDown = false;
  QPoint m_bandStart;
  QPoint m_bandCurrent;
  QRect m_bandRect;

  SelectedFiles* m_selectedFiles = nullptr;
  SaveQuestionServices* m_saveQuestion = nullptr;
};
