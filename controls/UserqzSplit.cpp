#include "controls/UserqzSplit.h"

#include <QMouseEvent>

#include "foundation/ModGDI.h"
#include "foundation/Numbers.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Path.h"
#include "platform/gdiplus/Pen.h"

namespace {

constexpr float kDot = 3;
constexpr int kDotStep = 6;

// The pointer shapes by the forms runtime's numbers 0 to 15.
constexpr Qt::CursorShape kShapes[] = {
    Qt::ArrowCursor,   Qt::ArrowCursor,    Qt::CrossCursor,   Qt::IBeamCursor, Qt::ArrowCursor,  Qt::SizeAllCursor,
    Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor, Qt::WaitCursor,
    Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};

// The middle of the bar's short side, rounded as the forms runtime rounds.
int Across(int side) { return Numbers::RoundToInt(side - 3) / 2; }

void Arc(Gdip::Graphics& g, const Gdip::Pen& pen, QPoint at, float start) {
  Gdip::Path arc;
  arc.AddArc(float(at.x()), float(at.y()), kDot, kDot, start, 90);
  g.DrawPath(pen, arc);
}

}  // namespace

std::vector<QPoint> UserqzSplit::DotPositions(QSize size) {
  std::vector<QPoint> dots;
  const bool level = size.height() <= size.width();
  const int along = level ? size.width() : size.height();
  const int across = Across(level ? size.height() : size.width());
  for (int at = 3; at <= along; at += kDotStep) {
    dots.push_back(level ? QPoint(at, across) : QPoint(across, at));
  }
  return dots;
}

Qt::CursorShape UserqzSplit::CursorShapeFor(int pointer) {
  return pointer >= 0 && pointer < int(std::size(kShapes)) ? kShapes[pointer] : Qt::ArrowCursor;
}

UserqzSplit::UserqzSplit(QWidget* parent) : SkinSurface(parent) {}

void UserqzSplit::SetMousePoin(int pointer) {
  m_mousePoin = pointer;
  if (pointer == 0) {
    unsetCursor();
  } else {
    setCursor(CursorShapeFor(pointer));
  }
}

void UserqzSplit::PaintStyle(int) {
  ClearBackBuffer(palette().window().color());
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  g->SetSmoothingMode(Gdip::SmoothingMode::AntiAlias);
  const Gdip::Pen dark(ModGDI::MakeARGB(100, 0, 0, 0));
  const Gdip::Pen light(ModGDI::MakeARGB(255, 255, 255, 255));
  for (const QPoint dot : DotPositions(size())) {
    Arc(*g, dark, dot, 180);
    Arc(*g, light, dot, 0);
  }
  RefreshBackBuffer();
}

void UserqzSplit::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
}

void UserqzSplit::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(Forms::ButtonFromQt(event->buttons()), Forms::ShiftFromQt(event->modifiers()),
                 float(event->position().x()), float(event->position().y()));
}

void UserqzSplit::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUP(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()),
               float(event->position().x()), float(event->position().y()));
}
