#include "mainwindow/StandInPanes.h"

#include <QDate>
#include <QPainter>

namespace {

// The pane sizes of the controls as they are placed on the window.
constexpr int kSidePanelWidth = 270;
constexpr int kSidePanelHeight = 300;

const QColor kPaneColour(228, 226, 220);
const QColor kPaneEdge(208, 206, 200);

}  // namespace

StandInPane::StandInPane(QWidget* parent, QSize size) : QWidget(parent) {
  resize(size);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void StandInPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kPaneColour);
  painter.setPen(kPaneEdge);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

StandInSidePanel::StandInSidePanel(QWidget* parent) : StandInPane(parent, {kSidePanelWidth, kSidePanelHeight}) {}

void StandInSidePanel::SetSection(QWidget* section) {
  m_section = section;
  section->setParent(this);
  section->setGeometry(rect());
}

void StandInSidePanel::resizeEvent(QResizeEvent* event) {
  StandInPane::resizeEvent(event);
  if (m_section != nullptr) {
    m_section->setGeometry(rect());
  }
}

// Until the calendar picker exists, the calendar shows today.
int StandInSidePanel::CalenderDay() const { return QDate::currentDate().day(); }
int StandInSidePanel::CalenderMonth() const { return QDate::currentDate().month(); }
int StandInSidePanel::CalenderYear() const { return QDate::currentDate().year(); }
