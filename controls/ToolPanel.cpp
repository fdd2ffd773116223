#include "controls/ToolPanel.h"

#include <QMouseEvent>

#include "foundation/ModGDI.h"
#include "platform/forms/Input.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Graphics.h"

namespace {

constexpr int kRowHeight = 70;
constexpr int kGridMargin = 20;
const QColor kBackColour(238, 238, 238);
constexpr Gdip::ARGB kMarkColour = ModGDI::MakeARGB(255, 179, 179, 179);

}  // namespace

const ToolGrid::Captions& ToolPanel::Captions() {
  static const ToolGrid::Captions kCaptions{"Browse...",   "Crop Image", "Straightion", "Irradiation",
                                            "Add Text...", "Card Style", "Colorize",    "Gamma",
                                            "Grey Style",  "Red Eye",    "Stamp Fill",  "Contrast"};
  return kCaptions;
}

ToolPanel::ToolPanel(QWidget* parent) : QWidget(parent), m_toolOle(new SkinSurface(this)) {
  m_toolOle->installEventFilter(this);
  m_toolOle->ClearBackBuffer(kBackColour);
}

ToolPanel::~ToolPanel() = default;

void ToolPanel::GetIconHandle() { m_icons = ToolGrid::LoadIcons(); }

void ToolPanel::StartPaint() {
  m_toolOle->setGeometry(0, 0, width(), ToolGrid::ToolCount / 3 * kRowHeight + kGridMargin);
}

void ToolPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_toolOle->resize(width(), m_toolOle->height());
}

void ToolPanel::Painting() {
  m_toolOle->ClearBackBuffer(kBackColour);
  const std::unique_ptr<Gdip::Graphics> g = Gdip::Graphics::FromSurface(m_toolOle->BackBuffer());
  ToolGrid::DrawMark(*g, m_selEffect, kMarkColour);
  for (int i = 0; i < ToolGrid::ToolCount; ++i) {
    ToolGrid::DrawTool(*g, i, m_icons[std::size_t(i)].get(), QString::fromLatin1(Captions()[std::size_t(i)]));
  }
  m_toolOle->RefreshBackBuffer();
}

bool ToolPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_toolOle || event->type() != QEvent::MouseButtonPress) {
    return QWidget::eventFilter(watched, event);
  }
  const auto* press = static_cast<QMouseEvent*>(event);
  const QPointF at = press->position();
  const int hit = ToolGrid::ToolAt(at);
  // A press between tools changes nothing on screen; the host still hears of it.
  if (hit >= 0) {
    m_selEffect = hit;
    Painting();
  }
  emit MouseDown(Forms::ButtonFromQt(press->button()), Forms::ShiftFromQt(press->modifiers()), float(at.x()),
                 float(at.y()));
  return true;
}
