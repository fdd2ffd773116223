#pragma once
// The stamp library: every file of the "Librarians" folder as one tile of a single
// column, newest listing last shown first, each with its thumbnail, name, size in pixels
// and an enter and a delete button. The panel lists, draws, hit-tests and remembers the
// chosen tile; the host decides what a click means and calls RefreshPaint after it has
// changed the folder.

#include <cstdint>
#include <memory>
#include <vector>

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "browse/ThumbnailLoader.h"
#include "foundation/DIBsave.h"

class scrollVControl;
class LibrarySheet;

// One library file: the folder with a trailing separator, the file's name and the name
// without its extension, as the tile shows it.
struct LibraryRow {
  QString Folder;
  QString Name;
  QString Title;
  QString Path() const { return Folder + Name; }
};

class ZpYLibMenu : public QWidget {
  Q_OBJECT

 public:
  static constexpr int TilePitch = 50;
  static constexpr int ThumbnailSide = 40;
  // The program's own temporary stamp shares the folder and is never a tile.
  static constexpr const char* TemporaryStamp = "Stamptemp.tmp";

  struct TileRects {
    QRectF Tile;
    QRectF Enter;
    QRectF Delete;
  };
  // Where tile i lies on a sheet of that width.
  static TileRects TileGeometry(int index, int sheetWidth);
  // The height of the sheet of n tiles.
  static int SheetHeight(int rows) { return TilePitch * rows + 10; }
  // The rows of a library folder: its files by name (letter case ignored), the last
  // listed first; hidden files and the temporary stamp are left out.
  static std::vector<LibraryRow> ListLibrary(const QString& folder);
  // The rows of a new listing in the order the sheet keeps: files it did not show before
  // on top, in listing order, then the others where they were.
  static std::vector<LibraryRow> KeepOrder(const std::vector<LibraryRow>& shown, std::vector<LibraryRow> listed);
  static QString LibraryFolder();
  static QString CacheFile();

  explicit ZpYLibMenu(QWidget* parent = nullptr);
  ~ZpYLibMenu() override;

  // Lists the folder and builds the sheet; thumbnails arrive from the worker pool and the
  // cache file is written once every tile is drawn.
  void Painting();
  // Lists the folder again and rebuilds from the listing, keeping the thumbnails of files
  // that did not change and the chosen tile on its file while that file exists.
  void RefreshPaint();
  // Puts a row for a file of the library at the top; the sheet follows at RefreshPaint.
  void AddnewItem(const QString& Path, const QString& NewItem);

  QString Filename() const { return m_filename; }
  bool Enter() const { return m_overEnter; }
  // 1 over a delete button, 2 over an enter button, else 0.
  int ButtonType() const;

  const std::vector<LibraryRow>& Rows() const { return m_rows; }
  int SelectedIndex() const { return m_selectedIndex; }
  // The composed column, without the highlight.
  const QImage& Sheet() const;
  // True once every thumbnail of the last build is drawn and the cache file written.
  bool SheetReady() const { return !m_loader.Busy(); }
  bool ScrollEnabled() const;
  int ScrollMax() const;
  // The tile column the pointer acts on, in sheet pixels.
  QWidget& LibOLE();
  // Scrolls the sheet as a drag of the bar to that value would.
  void ScrollTo(int value);

 signals:
  void MouseUp(int Button, int Shift, float X, float Y);
  void DblClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class LibrarySheet;
  // Places the bar, the viewport and the sheet for the control's size.
  void PlaceChildren();
  void Rebuild();
  void DrawSheet();
  void DrawTile(int index, const ThumbPicture* picture);
  void OnDelivered(int Row, const ThumbPicture& picture);
  void WriteCache();
  void Choose(int index);
  void HoverAt(QPointF point);
  void SheetPressed(QPointF point, bool left);
  void SheetReleased(QPointF point, int Button, int Shift);
  void SheetDoubleClicked();
  void DrawHighlight(QPainter& painter) const;
  ThumbRequest RequestFor(int index) const;

  scrollVControl* m_scroll;
  QWidget* m_oleBg;
  LibrarySheet* m_libOle;
  std::vector<LibraryRow> m_rows;
  std::vector<TileRects> m_rects;
  DIBsave m_sheetCanvas;
  ThumbnailLoader m_loader;
  // What each tile was drawn from, and whether it is drawn with its thumbnail.
  std::vector<ThumbRequest> m_requests;
  std::vector<bool> m_tileDone;
  int m_selectedIndex = -1;
  int m_hoverIndex = 0;
  bool m_highlighted = false;
  bool m_overEnter = false;
  bool m_overDelete = false;
  bool m_leftDown = false;
  QString m_filename;
  // The two button pictures, loaded for a build and let go once its tiles are drawn.
  std::unique_ptr<Gdip::Bitmap> m_enterImage;
  std::unique_ptr<Gdip::Bitmap> m_deleteImage;
};
