// The caption strip above the folder tree, with the folder history behind a click on it,
// and the title bar's window buttons.
#include "mainwindow/FrmMain.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "controls/ButtonControl.h"
#include "controls/MenuModel.h"
#include "controls/UserqzSplit.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/ModDraw.h"
#include "foundation/ModGDI.h"
#include "mainwindow/WindowSizing.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/Graphics.h"
#include "platform/gdiplus/Pen.h"

namespace {

using ModGDI::MakeARGB;

const QColor kBackColour(240, 238, 233);
constexpr std::uint32_t kWhite = MakeARGB(255, 255, 255, 255);
constexpr std::uint32_t kBlack = MakeARGB(255, 0, 0, 0);
constexpr std::uint32_t kStripPen = MakeARGB(50, 0, 0, 0);
const QString kFont = QStringLiteral("Tahoma");
// The drawn menu's history list is wide enough for long folder paths.
constexpr int kHistoryWidth = 600;

}  // namespace

QRectF FrmMain::CaptionStrip() const {
  const QWidget& split = *m_splitH;
  return {65.0, split.y() + 5.0, split.x() - 70.0, 18.0};
}

void FrmMain::LeftSkinstyle() {
  ClearBackBuffer(kBackColour);
  QImage& surface = BackBuffer();
  const QWidget& split = *m_splitH;
  const float top = float(split.y());
  const float width = float(split.x() - 16);
  const QRectF strip = CaptionStrip();
  ModGDI::DrawRoundRectGradient(surface, 0, int(top + 2), int(top + 22), 5, top + 2, width, 20, 5, 5,
                                 MakeARGB(150, 255, 255, 255), MakeARGB(50, 255, 255, 255), false, 1, kWhite);
  if (auto graphics = Gdip::Graphics::FromSurface(surface)) {
    graphics->FillRectangle(Gdip::SolidBrush(kWhite), strip);
    graphics->DrawRectangle(Gdip::Pen(kStripPen, 1), strip);
  }
  const QString caption = m_label1.isEmpty() ? QStringLiteral("...") : m_label1;
  ModGDI::DrawTextGdip(surface, caption, float(strip.x() + 2), float(strip.y() + 2), kFont, 8,
                        kBlack, 0, false, 200);
  ModGDI::DrawTextGdip(surface, QStringLiteral("History:"), 8, top + 10, kFont, 8, kBlack, 0, false, 200);
  const float frameHeight = float(m_folderView->height() + 5);
  ModGDI::DrawRoundRectGradient(surface, 0, int(top + 30), int(top + 30 + frameHeight), 5, top + 30, width,
                                 frameHeight, 5, 5, MakeARGB(150, 255, 255, 255), MakeARGB(150, 255, 255, 255),
                                 false, 1, kWhite);
  RefreshBackBuffer();
}

void FrmMain::mouseReleaseEvent(QMouseEvent* event) {
  SkinSurface::mouseReleaseEvent(event);
  OnCaptionClick(event->position());
}

// A click in the caption strip opens the folder history under it; a second one hides it.
void FrmMain::OnCaptionClick(QPointF point) {
  const QRectF strip = CaptionStrip();
  if (!SkinShapes::HitRect(strip, point)) {
    return;
  }
  SkinMenuServices& menu = *m_skinMenu;
  SetUpSkinMenu(MenuModel::HistoryMenu, kHistoryWidth);
  const QPoint under(int(strip.x()), int(strip.y() + strip.height() + 2));
  PaintSkinMenuAt(under, kHistoryWidth, int(menu.New_Height()) + 10);
  menu.SetVisible(!menu.Visible());
}

void FrmMain::TitleSkin_MouseUp() { OnTitleButton(m_titleSkin->SelectIndex()); }

void FrmMain::OnTitleButton(int SelectIndex) {
  m_skinMenu->SetVisible(false);
  if (SelectIndex == 1) {
    // The one close path asks about unsaved changes.
    close();
  } else if (SelectIndex == 2) {
    showMinimized();
  }
}

void FrmMain::moveEvent(QMoveEvent* event) {
  SkinSurface::moveEvent(event);
  m_moveSettle.start();
}

void FrmMain::KeepTitleButtonsOnWorkArea() {
  // Still dragging: the drop decides.
  if (QGuiApplication::mouseButtons() != Qt::NoButton) {
    m_moveSettle.start();
    return;
  }
  if (isMinimized() || isMaximized() || screen() == nullptr) {
    return;
  }
  const QWidget& bar = *m_titleSkin;
  const auto rects = ButtonControl::ButtonRects(bar.width());
  const QRectF local = rects[ButtonControl::CloseButton].united(rects[ButtonControl::MinimiseButton]);
  const QRect buttons(bar.mapToGlobal(local.topLeft().toPoint()), local.size().toSize());
  const QPoint place = WindowSizing::WithButtonsOnWorkArea(frameGeometry(), buttons, screen()->availableGeometry());
  if (place != pos()) {
    move(place);
  }
}
