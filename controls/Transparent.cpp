#include "controls/Transparent.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

#include "foundation/ModDialogCOlor.h"
#include "platform/forms/Input.h"

Transparent::Transparent(QWidget* window) : QWidget(window) {}

void Transparent::SetMaskPicture(const QImage& picture) {
  m_picture = picture.convertToFormat(QImage::Format_RGB32);
  ApplyShape();
  update();
}

void Transparent::SetMaskColor(std::uint32_t colour) {
  m_maskColor = colour;
  ApplyShape();
}

void Transparent::ApplyShape() {
  QWidget* window = parentWidget();
  if (m_picture.isNull() || window == nullptr) {
    return;
  }
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  ModDialogCOlor::ColorToRGBBytes(m_maskColor, red, green, blue);
  setGeometry(0, 0, m_picture.width(), m_picture.height());
  window->resize(m_picture.size());
  // The window keeps every pixel that is not of the mask colour.
  window->setMask(QBitmap::fromImage(m_picture.createMaskFromColor(qRgb(red, green, blue), Qt::MaskInColor)));
}

void Transparent::paintEvent(QPaintEvent*) {
  QPainter(this).drawImage(0, 0, m_picture);
}

void Transparent::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(Forms::ButtonFromQt(event->buttons()), Forms::ShiftFromQt(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
}

void Transparent::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
}

void Transparent::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUP(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
               float(event->position().x()), float(event->position().y()));
}
