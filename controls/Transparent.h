#pragma once
// Gives its window a shape taken from a picture: the window takes the picture's size and
// loses every pixel of the mask colour. The control sits at the window's top left and
// shows the picture. On X11 the window manager honours the shape; elsewhere (Wayland,
// the offscreen platform) the window keeps the mask without being cut.

#include <cstdint>

#include <QImage>
#include <QWidget>

class Transparent : public QWidget {
  Q_OBJECT

 public:
  // The system button face, as an OLE system colour.
  static constexpr std::uint32_t kDefaultMaskColor = 0x8000000F;

  explicit Transparent(QWidget* window);

  const QImage& MaskPicture() const { return m_picture; }
  // Stores the picture, shows it and shapes the window; an empty picture changes nothing.
  void SetMaskPicture(const QImage& picture);
  // An OLE colour: RGB with red in the lowest byte, or a system colour.
  std::uint32_t MaskColor() const { return m_maskColor; }
  void SetMaskColor(std::uint32_t colour);

 signals:
  void MouseMove(int Button, int Shift, float X, float Y);
  void MouseDown(int Button, int Shift, float X, float Y);
  void MouseUP(int Button, int Shift, float X, float Y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ApplyShape();

  QImage m_picture;
  std::uint32_t m_maskColor = kDefaultMaskColor;
};
