#include "canvas/tools/FloatingStamp.h"

#include <cmath>

#include <QPainter>
#include <QPen>

namespace FloatingStamp {

namespace {

const QColor kFramePen(255, 255, 255, 150);

}  // namespace

double Opacity(float value) { return std::round((1.0 - double(value) / 100.0) * 10.0) / 10.0; }

void Draw(QPainter& painter, const QImage& stamp, const QRectF& frame, float value, bool outerRect) {
  if (stamp.isNull() || frame.isEmpty()) {
    return;
  }
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setOpacity(Opacity(value));
  painter.drawImage(frame, stamp);
  painter.setOpacity(1.0);
  QPen pen(kFramePen, 1);
  pen.setDashPattern({3, 3});
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame);
  if (outerRect) {
    painter.setPen(QPen(kFramePen, 1));
    painter.drawRect(frame.adjusted(-1, -1, 1, 1));
  }
  painter.restore();
}

QImage BurnIn(const QImage& picture, const QImage& stamp, const QRectF& inPicture, float value) {
  if (picture.isNull() || stamp.isNull() || inPicture.isEmpty()) {
    return {};
  }
  QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&result);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setOpacity(Opacity(value));
  painter.drawImage(inPicture, stamp);
  painter.end();
  return result.convertToFormat(picture.format());
}

}  // namespace FloatingStamp
