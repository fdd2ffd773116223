#include "mainwindow/StandInPanes.h"

#include <QPainter>

namespace {

// The pane sizes of the controls as they are placed on the window.
constexpr int kToolbarHeight = 40;
constexpr int kTextStripHeight = 25;
constexpr int kPaneWidth = 400;

const QColor kPaneColour(228, 226, 220);
const QColor kPaneEdge(208, 206, 200);

bool InRange(int id) { return id >= 0 && id < 12; }

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

StandInImageToolbar::StandInImageToolbar(QWidget* parent) : StandInPane(parent, {kPaneWidth, kToolbarHeight}) {
  m_enabled.fill(true);
}

void StandInImageToolbar::PressDownID(int new_PressID, bool new_Press) {
  if (InRange(new_PressID)) {
    m_pressed[std::size_t(new_PressID)] = new_Press;
  }
}

bool StandInImageToolbar::Rpressdown(int ID) const { return InRange(ID) && m_pressed[std::size_t(ID)]; }

void StandInImageToolbar::EnabledID(int ID, bool Enabled) {
  if (InRange(ID)) {
    m_enabled[std::size_t(ID)] = Enabled;
  }
}

StandInSplitter::StandInSplitter(QWidget* parent, QSize size) : StandInPane(parent, size) {}

StandInTextStrip::StandInTextStrip(QWidget* parent) : StandInPane(parent, {kPaneWidth, kTextStripHeight}) {
  hide();
}
