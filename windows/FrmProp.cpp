#include "windows/FrmProp.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "browse/ZzQFiterControl.h"
#include "foundation/GdiDIB.h"

namespace {

constexpr QRect kList(10, 10, 260, 170);
constexpr QRect kFrame(280, 4, 240, 182);
constexpr QRect kButton(440, 195, 80, 25);

}  // namespace

FrmProp::FrmProp(const QImage& picture, const CanvasSaveServices* canvas, QWidget* owner)
    : QWidget(owner, Qt::Dialog),
      m_properties(new ZzQFiterControl(this)),
      m_p(new QLabel(this)),
      m_command1(new QPushButton(QStringLiteral("Close"), this)) {
  setWindowTitle(QStringLiteral("Properties"));
  setFixedSize(530, 230);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* frame = new QGroupBox(this);
  frame->setGeometry(kFrame);
  frame->lower();
  m_properties->setGeometry(kList);
  m_p->setGeometry(kFrame.left() + 10, kFrame.top() + 6, kPictureBox.width(), kPictureBox.height());
  m_command1->setGeometry(kButton);
  connect(m_command1, &QPushButton::clicked, this, &QWidget::close);
  m_properties->SetStyle(ZzQFiterControl::ImageProperties);
  m_properties->IniaData(canvas);
  m_properties->StartPaint();
  DrawPropImage(picture);
}

void FrmProp::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
}

void FrmProp::DrawPropImage(const QImage& picture) {
  float x = 0;
  float y = 0;
  float w = 0;
  float h = 0;
  GdiDIB::GetBestFitInfo(float(picture.width()), float(picture.height()), float(kPictureBox.width()),
                         float(kPictureBox.height()), x, y, w, h);
  m_pictureRect = QRectF(x, y, w, h).toRect();
  QImage box(kPictureBox, QImage::Format_ARGB32_Premultiplied);
  box.fill(palette().window().color());
  if (!picture.isNull()) {
    QPainter painter(&box);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(x, y, w, h), picture);
  }
  m_p->setPixmap(QPixmap::fromImage(box));
}
