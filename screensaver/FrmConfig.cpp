#include "screensaver/FrmConfig.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "screensaver/ScrSettings.h"

namespace {

constexpr QSize kClientSize{324, 137};
constexpr QSize kBarSize{249, 17};
constexpr QSize kButtonSize{73, 25};
constexpr QSize kCaptionSize{193, 17};
constexpr int kMargin = 10;
constexpr int kCaptionAboveBar = 30;
constexpr int kMostSeconds = 60;
constexpr int kPageSeconds = 10;

}  // namespace

FrmConfig::FrmConfig(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_scroll(new QScrollBar(Qt::Horizontal, this)),
      m_caption(new QLabel(this)),
      m_ok(new QPushButton(QStringLiteral("&Ok"), this)),
      m_cancel(new QPushButton(QStringLiteral("&Cancel"), this)) {
  setWindowTitle(QStringLiteral("Vesk Lorvane Screensaver"));
  setWindowIcon(QIcon());
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  setFixedSize(kClientSize);
  m_scroll->setRange(0, kMostSeconds);
  m_scroll->setSingleStep(1);
  m_scroll->setPageStep(kPageSeconds);
  // A stored value outside the bar shows at the nearest end and is kept until Ok.
  m_scroll->setValue(ScrSettings::IntervalSeconds());
  ShowValue(m_scroll->value());
  connect(m_scroll, &QScrollBar::valueChanged, this, &FrmConfig::ShowValue);
  connect(m_ok, &QPushButton::clicked, this, [this] {
    ScrSettings::SaveIntervalSeconds(m_scroll->value());
    accept();
  });
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
  setTabOrder(m_scroll, m_cancel);
  setTabOrder(m_cancel, m_ok);
  PlaceControls();
}

void FrmConfig::ShowValue(int seconds) {
  m_caption->setText(QStringLiteral("Change Image every %1 Second(s).").arg(seconds));
}

void FrmConfig::PlaceControls() {
  m_cancel->setGeometry(QRect(QPoint(width() - kButtonSize.width() - kMargin, height() - kButtonSize.height() - kMargin),
                              kButtonSize));
  m_ok->setGeometry(QRect(QPoint(m_cancel->x() - kButtonSize.width() - kMargin, m_cancel->y()), kButtonSize));
  m_scroll->setGeometry(
      QRect(QPoint((width() - kBarSize.width()) / 2, (height() - kBarSize.height()) / 2), kBarSize));
  m_caption->setGeometry(QRect(
      QPoint(m_scroll->x() + (kBarSize.width() - kCaptionSize.width()) / 2, m_scroll->y() - kCaptionAboveBar),
      kCaptionSize));
}
