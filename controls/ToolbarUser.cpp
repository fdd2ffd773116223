#include "controls/ToolbarUser.h"

#include <QMouseEvent>

#include "controls/SkinText.h"
#include "foundation/ModGDI.h"
#include "foundation/ShortcutKeys.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Font.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/StringFormat.h"

namespace {

using ModGDI::MakeARGB;

constexpr Gdip::ARGB kText = MakeARGB(255, 0, 0, 0);
constexpr Gdip::ARGB kHover = MakeARGB(100, 0, 0, 0);
constexpr Gdip::ARGB kMark = MakeARGB(70, 255, 255, 255);
constexpr Gdip::ARGB kWhite = MakeARGB(255, 255, 255, 255);

}  // namespace

const std::array<QString, ToolbarUser::TitleCount>& ToolbarUser::Titles() {
  static const std::array<QString, TitleCount> titles{"File", "Edit", "Browse", "Image Tool", "Effect", "Create", "Help"};
  return titles;
}

ToolbarUser::ToolbarUser(MainWindowServices* host, QWidget* parent) : SkinSurface(parent), m_host(host) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
}

void ToolbarUser::Create() { PaintTitles(QPointF(-1, -1), false); }

void ToolbarUser::PaintTitles(QPointF pointer, bool mark) {
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(BackBuffer());
  g->Clear(kWhite);
  g->SetTextRenderingHint(Gdip::TextRenderingHint::ClearTypeGridFit);
  const Gdip::SolidBrush hover(kHover);
  const Gdip::Font font(Gdip::FontFamily(QStringLiteral("Tahoma")), 8);
  const Gdip::StringFormat format = Gdip::StringFormat::GenericDefault();
  const float boxHeight = float(height()) - 2;
  bool overTitle = false;
  for (int i = 0; i < TitleCount; ++i) {
    const QString& title = Titles()[std::size_t(i)];
    const QRectF measured = g->MeasureString(title, font, QRectF(TitleLefts[std::size_t(i)], 5, 90, 0), format);
    const QRectF box(measured.left(), 0, measured.width() + 2, boxHeight);
    m_boxes[std::size_t(i)] = box;
    if (SkinShapes::HitRect(box, pointer)) {
      overTitle = true;
      if (mark) {
        g->FillRectangle(Gdip::SolidBrush(kMark), box);
        m_pressID = i;
      }
      g->FillRectangle(hover, box);
    }
    SkinText::Draw(*g, title, font, QRectF(box.left(), 4, box.width(), boxHeight), format, kText);
  }
  ShowMoused(overTitle);
  RefreshBackBuffer();
}

void ToolbarUser::mousePressEvent(QMouseEvent* event) {
  m_pressID = NoTitle;
  PaintTitles(event->position(), true);
  emit MouseDown(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), PressedLeft(),
                 float(event->position().y()));
}

void ToolbarUser::mouseMoveEvent(QMouseEvent* event) {
  PaintTitles(event->position(), true);
  emit MouseMove(Forms::ButtonFromQt(event->buttons()), Forms::ShiftFromQt(event->modifiers()), PressedLeft(),
                 float(event->position().y()));
}

void ToolbarUser::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUP(Forms::ButtonFromQt(event->button()), Forms::ShiftFromQt(event->modifiers()), PressedLeft(),
               float(event->position().y()));
}

void ToolbarUser::keyPressEvent(QKeyEvent* event) {
  ShortcutKeys::Forward(m_host, *event);
}

void ToolbarUser::focusInEvent(QFocusEvent*) { Create(); }

void ToolbarUser::focusOutEvent(QFocusEvent*) { Create(); }
