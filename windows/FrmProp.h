#pragma once
// The properties window: the facts of the canvas's picture as a list, beside the
// picture itself fitted into a box, and a button that closes the window.

#include <QImage>
#include <QRect>
#include <QWidget>

class CanvasSaveServices;
class QLabel;
class QPushButton;
class ZzQFiterControl;

class FrmProp : public QWidget {
  Q_OBJECT

 public:
  // The box the picture is fitted into.
  static constexpr QSize kPictureBox{220, 170};

  // The picture is the canvas's; the list reads the canvas's facts (none without one).
  FrmProp(const QImage& picture, const CanvasSaveServices* canvas, QWidget* owner = nullptr);

  // Shows the window over its owner, which waits until it closes.
  void ShowModal();

  // Where the picture sits in its box, for tests.
  QRect PictureRect() const { return m_pictureRect; }
  const QLabel* P() const { return m_p; }

 private:
  void DrawPropImage(const QImage& picture);

  ZzQFiterControl* m_properties;
  QLabel* m_p;
  QPushButton* m_command1;
  QRect m_pictureRect;
};
