#pragma once
// The thumbnail bar along the sheet: the image count, a zoom grip (only while the canvas
// is browsing) and two picture buttons at its right end, the thumbnail size button and
// the button that opens and closes the thumbnail pane. It reports everything through its
// events; the main window acts on them.

#include <memory>

#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QVariantMap>
#include <QWidget>

#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"

class CanvasSaveServices;
namespace Gdip {
class Bitmap;
}

// One of the bar's picture buttons: it shows an icon and reports a release on it.
class ScrollControlButton : public QWidget {
  Q_OBJECT

 public:
  explicit ScrollControlButton(QWidget* parent);
  void SetIcon(const QString& name);
  QString IconName() const { return m_iconName; }

 signals:
  void Released(int Button, int Shift, float X, float Y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString m_iconName;
  QPixmap m_icon;
};

class ScrollControl : public SkinSurface, public ThumbnailBarServices {
  Q_OBJECT

 public:
  static constexpr int ButtonWidth = 32;
  static constexpr int BarHeight = 25;
  // The grip's value at the middle of the track: 100 % on the canvas.
  static constexpr int CentreValue = 55;

  // The icons the bar's buttons show, drawn by the program: "THUMSIZE", "OPENTHUM",
  // "CLOSETHUM"; a null picture for other names.
  static QPixmap Icon(const QString& name);

  explicit ScrollControl(QWidget* parent = nullptr);
  ~ScrollControl() override;

  // The canvas whose tool hides the grip, which shows only while the canvas browses.
  // Without one the bar always browses.
  void UseCanvas(const CanvasSaveServices& canvas) { m_canvas = &canvas; }

  // A press on the grip started a drag that has not ended.
  bool qzisDrag = false;

  // Kept and stored in the property bag only; a number given and read as text.
  QString Max() const { return QString::number(m_max); }
  void SetMax(const QString& value) { m_max = value.trimmed().toInt(); }
  // The grip's value from the last drag: 6 and up, 55 the middle.
  int Value() const { return m_value; }
  void SetValue(int value) { m_value = value; }

  // Loads the track and grip pictures unless isRefresh, places the track in the middle
  // and puts ThumBarDragPos at the grip's home.
  void HandleHDC(bool isRefresh) override;
  // Paints with the grip at the 100 % place.
  void ResetPaint() override;
  // Paints the bar with the grip at MoveX (0 for its home); a pointer at (MoveX, MoveY)
  // on the grip marks it as hovered, unless FirstLoad.
  void StartPaint(float MoveX, float MoveY, bool FirstLoad) override;
  // Paints the count box: "Total: " CurID "/" Total " Images".
  void DrawInfo(int CurID, int Total);
  // The text of the count box, empty before the first DrawInfo.
  QString CountText() const;
  void ThumClose() override;
  void ThumOpen() override;
  // The open/close button offers to open the thumbnail pane (it shows "OPENTHUM").
  bool isOpenthum() const override { return m_isOpenthum; }
  // Puts the grip where a zoom ratio (1 for 100 %) belongs.
  void OutControlScroll(float ValueB);

  int TrackLeft() const { return m_trackLeft; }
  int GripHome() const { return m_gripHome; }
  QRectF GripRect() const { return m_gripRect; }
  ScrollControlButton* SizeButton() const { return m_sizeButton; }
  ScrollControlButton* ToggleButton() const { return m_toggleButton; }

  // The property bag: "Max", 10 by default.
  void ReadProperties(const QVariantMap& bag);
  QVariantMap WriteProperties() const;

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseUp(int Button, int Shift, float X, float Y);
  void ThumbToggleClick(int Button, int Shift, float X, float Y);
  // X is the size button's left edge and Y its height, where a menu may open.
  void ThumbSizeClick(int Button, int Shift, float X, float Y);
  // A key for the shortcut table: a virtual-key code and its Shift bits.
  void ShortcutKeyPressed(int KeyCode, int Shift);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceTrack();
  void PaintBar(float MoveX, float MoveY, bool FirstLoad);
  void PaintCountBox();
  int TrackWidth() const;
  int GripWidth() const;
  int GripHeight() const;
  bool CanvasBrowsing() const;

  const CanvasSaveServices* m_canvas = nullptr;
  bool m_isOpenthum = false;
  int m_max = 10;
  // The grip starts at the middle, so a drag that has not yet moved it zooms to 100 %.
  int m_value = CentreValue;
  std::unique_ptr<Gdip::Bitmap> m_track;
  std::unique_ptr<Gdip::Bitmap> m_grip;
  int m_trackLeft = 0;
  int m_gripHome = 0;
  QRectF m_gripRect;
  bool m_hover = false;
  bool m_painted = false;
  // The counts last shown, repainted with the bar; -1 before the first DrawInfo.
  int m_curID = -1;
  int m_total = 0;
  ScrollControlButton* m_sizeButton;
  ScrollControlButton* m_toggleButton;
};
