#pragma once
// The image toolbar above the thumbnails and the canvas: a row of icon buttons with
// captions and separators, and a rounded search box on the right. It only draws, tracks
// the pointer and keeps an enabled and a pressed flag per button; its mouse events carry
// the left edge of the last enabled button under the pointer as X, and the host reads the
// button from PressID. The search box is the one part that acts by itself: it asks the
// thumbnail sheet for a name search.

#include <array>
#include <vector>

#include <QImage>
#include <QLineEdit>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "foundation/SkinSurface.h"
#include "foundation/SkinnedControlServices.h"

class MainWindowServices;

namespace Gdip {
class Graphics;
}

// The search entry: its typing and editing keys stay in it (a Delete typed here must never
// reach the shortcut table, where it would trash files) and only the keys no text box
// uses go on to the table; a click into it clears the search and the release of Enter
// searches for its text.
class SearchBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit SearchBox(QWidget* parent);

 signals:
  void Clicked();
  void EnterReleased();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

class ToolbarImg : public SkinSurface, public ImageToolbarServices {
  Q_OBJECT

 public:
  static constexpr int SlotCount = 12;
  // PressID when no button was under the pointer.
  static constexpr int NoButton = 10;

  struct Button {
    QString Icon;
    QString Caption;
    bool SeparatorAfter = false;
    bool EnabledAtStart = false;
  };
  static const std::array<Button, SlotCount>& Buttons();

  // Where the buttons lie for a toolbar height and the measured width of each caption.
  struct Layout {
    std::array<QRectF, SlotCount> Rects{};
    std::vector<float> Separators;
  };
  static Layout LayoutButtons(int height, const std::array<float, SlotCount>& captionWidths);
  // The search box's frame (left, top, straight width, straight height) for a size.
  static QRectF SearchRect(QSize size);

  // Button pictures come from the data folder; keys pressed on the toolbar go to the
  // host's shortcut table and the search box reaches the host's thumbnail sheet. The host
  // may be null.
  ToolbarImg(MainWindowServices* host, const QString& dataFolder, QWidget* parent = nullptr);

  void PressDownID(int new_PressID, bool new_Press) override;
  void EnabledID(int ID, bool Enabled) override;
  bool Rpressdown(int ID) const override;
  void StartPaint() override;

  int PressID() const { return m_pressID; }
  bool Enabled(int ID) const;
  QLineEdit& SearchText() { return *m_searchText; }
  // The buttons as last painted.
  const Layout& ButtonLayout() const { return m_layout; }
  // The hot spot of "GO".
  QRectF GoArea() const;

 signals:
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseUP(int Button, int Shift, float X, float Y);
  // Enter in the search box ran a search.
  void Searched();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ImagePaint(bool Press, QPointF pointer);
  void PaintBackground(Gdip::Graphics& g) const;
  void PaintButtons(Gdip::Graphics& g, bool Press, QPointF pointer);
  void PaintButtonFace(Gdip::Graphics& g, float x, float width, bool hover, bool pressed) const;
  void PaintSplit(Gdip::Graphics& g, float left) const;
  void PaintSearchBox(Gdip::Graphics& g, bool isSearch) const;
  std::array<float, SlotCount> CaptionWidths(Gdip::Graphics& g) const;
  void Search(const QString& text, bool isSearch);

  MainWindowServices* m_host;
  SearchBox* m_searchText;
  // Each slot's picture as drawn when enabled (80 %) and when not (20 %).
  std::array<QImage, SlotCount> m_bright{};
  std::array<QImage, SlotCount> m_faded{};
  std::array<bool, SlotCount> m_enabled{};
  std::array<bool, SlotCount> m_pressed{};
  Layout m_layout;
  int m_pressID = NoButton;
  float m_hoveredLeft = 0;
  bool m_overGo = false;
};
