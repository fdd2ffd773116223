#include "mainwindow/SplitterDrag.h"

#include <algorithm>
#include <array>
#include <string_view>

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "browse/ScrollControl.h"
#include "browse/ThumViewer.h"
#include "canvas/Imageqzviewer.h"
#include "controls/MenuModel.h"
#include "controls/UserqzSplit.h"
#include "controls/ZpYSkinMenu.h"
#include "foundation/CommandKeys.h"
#include "foundation/ModqzReg.h"
#include "foundation/Numbers.h"
#include "mainwindow/FrmMain.h"

namespace SplitterDrag {

namespace {

// The thumbnail size pop-up of the command table.
constexpr int kThumbnailSizeMenu = 7;
constexpr std::array<std::string_view, 5> kSizeKeys{CommandKeys::Zoom_Small, CommandKeys::Zoom_Normal,
                                                   CommandKeys::Zoom_Middle, CommandKeys::Zoom_Large,
                                                   CommandKeys::Zoom_Maximal};
// The thumbnail pane collapses when its bar is dropped this close to the bottom, and the
// sheet takes the whole column when it is dropped this close to the pane area's top.
constexpr int kCollapseBand = 160;
constexpr int kTopSnapBand = 100;
constexpr int kSnapCentre = 260;
constexpr int kSnapReach = 30;
// The grip never makes the window smaller than this.
constexpr QSize kGripMinimum{400, 300};

int Whole(double value) { return Numbers::RoundToInt(value); }

// Passes the grip's mouse events to the handlers.
class GripFilter final : public QObject {
 public:
  GripFilter(QObject* parent, Handlers& handlers) : QObject(parent), m_handlers(handlers) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto global = [event] { return static_cast<QMouseEvent*>(event)->globalPosition().toPoint(); };
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        m_handlers.GripDown(global());
        return true;
      case QEvent::MouseMove:
        m_handlers.GripMove(global());
        return true;
      case QEvent::MouseButtonRelease:
        m_handlers.GripUp();
        return true;
      default:
        return QObject::eventFilter(watched, event);
    }
  }

 private:
  Handlers& m_handlers;
};

}  // namespace

int VerticalGhostLeft(int pointerX, int windowWidth) {
  const int left = pointerX - kSnapReach < kSnapCentre && pointerX + kSnapReach > kSnapCentre ? kSnapLeft : pointerX;
  return std::min(left, windowWidth - kRightMargin);
}

VerticalDrop DropVerticalSplitter(int splitterLeft, float DownX, float X, int ghostLeft, int windowWidth) {
  int left = ghostLeft == kSnapLeft ? kSnapLeft : Whole(splitterLeft + (X - DownX));
  left = std::min(left, windowWidth - kRightMargin);
  if (left < kSnapCentre) {
    return {kCollapsedLeft, true};
  }
  return {left, false};
}

int ClampLeftSplitter(int top, int folderTop, int windowHeight) {
  return std::max(folderTop + kLeftSplitterMargin, std::min(top, windowHeight - kLeftSplitterMargin));
}

ThumbnailBarDrop DropThumbnailBar(int barTop, int barHeight, float DownY, float Y, int windowHeight, int paneTop) {
  const int top = Whole(barTop + (Y - DownY));
  if (windowHeight - kCollapseBand < top) {
    return {windowHeight - barHeight - 3, true};
  }
  return {top < paneTop + kTopSnapBand ? paneTop : top, false};
}

bool OutsideBand(int pointer, int bandStart, int bandLength) {
  return pointer < bandStart || pointer > bandStart + bandLength;
}

QSize GripResize(QSize atPress, QPoint pressGlobal, QPoint pointerGlobal, QSize minimum) {
  const QPoint travel = pointerGlobal - pressGlobal;
  return QSize(atPress.width() + travel.x(), atPress.height() + travel.y()).expandedTo(minimum);
}

Handlers::Handlers(FrmMain& window, Bars bars) : m_window(window), m_bars(bars) {}

void Handlers::Connect() {
  ScrollControl* bar = m_window.m_thumbnailBar;
  QObject::connect(bar, &ScrollControl::MouseDown, &m_window, [this](int, int, float, float Y) { ThumbnailBarDown(Y); });
  QObject::connect(bar, &ScrollControl::MouseMove, &m_window,
                   [this](int, int, float X, float Y) { ThumbnailBarMove(X, Y); });
  QObject::connect(bar, &ScrollControl::MouseUp, &m_window, [this](int, int, float, float Y) { ThumbnailBarUp(Y); });
  QObject::connect(bar, &ScrollControl::ThumbSizeClick, &m_window, [this] { ThumbSizeClick(); });
  UserqzSplit* left = m_bars.SplitLV;
  QObject::connect(left, &UserqzSplit::MouseDown, &m_window, [this](int, int, float, float Y) { LeftSplitterDown(Y); });
  QObject::connect(left, &UserqzSplit::MouseMove, &m_window, [this](int, int, float, float Y) { LeftSplitterMove(Y); });
  QObject::connect(left, &UserqzSplit::MouseUP, &m_window, [this](int, int, float, float Y) { LeftSplitterUp(Y); });
  UserqzSplit* vertical = m_bars.SplitH;
  QObject::connect(vertical, &UserqzSplit::MouseDown, &m_window,
                   [this](int, int, float X, float) { VerticalSplitterDown(X); });
  QObject::connect(vertical, &UserqzSplit::MouseMove, &m_window,
                   [this](int, int, float X, float) { VerticalSplitterMove(X); });
  QObject::connect(vertical, &UserqzSplit::MouseUP, &m_window,
                   [this](int, int, float X, float) { VerticalSplitterUp(X); });
  m_bars.Grip->installEventFilter(new GripFilter(m_bars.Grip, *this));
}

void Handlers::HideMenu() { m_window.m_skinMenu->SetVisible(false); }

void Handlers::StartGhost(QRect geometry) {
  m_isDragDown = true;
  m_bars.Ghost->hide();
  m_bars.Ghost->setGeometry(geometry);
  m_bars.Ghost->raise();
}

void Handlers::ThumbnailBarDown(float Y) {
  HideMenu();
  ScrollControl& bar = *m_window.m_thumbnailBar;
  if (bar.qzisDrag) {
    Imageqzviewer& canvas = *m_window.m_canvas;
    if (canvas.FitMode()) {
      canvas.SetFitMode(false);
      m_window.m_imageToolbarServices->PressDownID(ButtonId(ImageToolbarButton::Fit), false);
    }
    m_isZoomDrag = true;
    return;
  }
  m_downY = Y;
  StartGhost(QRect(bar.x(), bar.y(), bar.width(), kGhostThickness));
}

void Handlers::ThumbnailBarMove(float, float Y) {
  ScrollControl& bar = *m_window.m_thumbnailBar;
  if (m_isZoomDrag) {
    m_window.m_zoomStep = float(bar.Value()) / 100.0F;
    m_window.m_canvas->SetZoomFromSlider(bar.Value());
  } else if (m_isDragDown) {
    m_bars.Ghost->move(bar.x(), bar.y() + Whole(Y));
    m_bars.Ghost->show();
  }
}

void Handlers::ThumbnailBarUp(float Y) {
  m_isDragDown = false;
  m_isZoomDrag = false;
  m_window.m_canvas->Painting(Imageqzviewer::PaintKind::Smooth);
  if (!m_bars.Ghost->isVisible()) {
    return;
  }
  m_bars.Ghost->hide();
  ScrollControl& bar = *m_window.m_thumbnailBar;
  const ThumbnailBarDrop drop =
      DropThumbnailBar(bar.y(), bar.height(), m_downY, Y, m_window.height(), m_bars.SplitH->y());
  bar.move(bar.x(), drop.Top);
  m_window.ArrangeMainPanes();
  if (drop.Collapsed) {
    m_window.RefreshProcessPanel();
  }
  m_window.m_sheet->setVisible(!drop.Collapsed);
}

void Handlers::ThumbSizeClick() {
  SkinMenuServices& menu = *m_window.m_skinMenu;
  const ScrollControl& bar = *m_window.m_thumbnailBar;
  m_window.SetUpSkinMenu(kThumbnailSizeMenu, kSizeMenuWidth);
  const int height = Whole(menu.New_Height()) + 10;
  menu.Move(bar.x() + bar.width() - kSizeMenuWidth, bar.y() + bar.height(), kSizeMenuWidth, height);
  for (std::string_view key : kSizeKeys) {
    menu.MenuVisible(CommandKeyText(key), m_window.m_sheet->NoOpen);
  }
  if (ModqzReg::ThumSizeMenu.isEmpty()) {
    ModqzReg::ThumSizeMenu = CommandKeyText(CommandKeys::Zoom_Normal);
  }
  menu.MenuChecked(ModqzReg::ThumSizeMenu, true);
  menu.MenuPainting();
  menu.SetVisible(!menu.Visible());
  m_window.m_skinMenu->raise();
}

void Handlers::LeftSplitterDown(float Y) {
  HideMenu();
  m_downY = Y;
  const QWidget& splitter = *m_bars.SplitLV;
  StartGhost(QRect(splitter.x(), splitter.y(), splitter.width(), kGhostThickness));
}

void Handlers::LeftSplitterMove(float Y) {
  if (!m_isDragDown) {
    return;
  }
  const QWidget& splitter = *m_bars.SplitLV;
  const int pointerY = splitter.y() + Whole(Y);
  m_bars.Ghost->setVisible(OutsideBand(pointerY, splitter.y(), splitter.height()));
  const int top = ClampLeftSplitter(pointerY, m_window.m_folderView->y(), m_window.height());
  m_bars.Ghost->move(splitter.x(), top);
}

void Handlers::LeftSplitterUp(float Y) {
  m_isDragDown = false;
  if (!m_bars.Ghost->isVisible()) {
    return;
  }
  QWidget& splitter = *m_bars.SplitLV;
  const int top = ClampLeftSplitter(Whole(splitter.y() + (Y - m_downY)), m_window.m_folderView->y(), m_window.height());
  splitter.move(m_window.m_folderView->x(), top);
  m_window.ArrangeMainPanes();
  m_window.RefreshProcessPanel();
  m_bars.Ghost->hide();
}

void Handlers::VerticalSplitterDown(float X) {
  HideMenu();
  m_downX = X;
  const QWidget& splitter = *m_bars.SplitH;
  StartGhost(QRect(splitter.x(), splitter.y(), kGhostThickness, splitter.height()));
}

void Handlers::VerticalSplitterMove(float X) {
  if (!m_isDragDown) {
    return;
  }
  const QWidget& splitter = *m_bars.SplitH;
  const int pointerX = splitter.x() + Whole(X);
  m_bars.Ghost->setVisible(OutsideBand(pointerX, splitter.x(), splitter.width()));
  m_bars.Ghost->move(VerticalGhostLeft(pointerX, m_window.width()), splitter.y());
}

void Handlers::VerticalSplitterUp(float X) {
  m_isDragDown = false;
  if (!m_bars.Ghost->isVisible()) {
    return;
  }
  m_bars.Ghost->hide();
  QWidget& splitter = *m_bars.SplitH;
  const VerticalDrop drop = DropVerticalSplitter(splitter.x(), m_downX, X, m_bars.Ghost->x(), m_window.width());
  splitter.move(drop.Left, splitter.y());
  if (drop.Collapsed) {
    m_window.m_canvas->setFocus();
  }
  m_window.ArrangeMainPanes();
  m_window.RefreshProcessPanel();
  m_window.m_sheet->CreateThumbnail();
}

// The window system sizes the window where it can; without a window manager the grip
// sizes it from the press.
void Handlers::GripDown(QPoint global) {
  if (ModqzReg::IsMaximized) {
    return;
  }
  m_isDragDown = true;
  QWindow* handle = m_window.windowHandle();
  m_gripSystemResize = handle != nullptr && handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
  m_sizeAtPress = m_window.size();
  m_pressGlobal = global;
}

void Handlers::GripMove(QPoint global) {
  if (!m_isDragDown || m_gripSystemResize) {
    return;
  }
  // The window's resize handler lays the panes out again and repaints the title bar.
  m_window.resize(GripResize(m_sizeAtPress, m_pressGlobal, global, m_window.minimumSize().expandedTo(kGripMinimum)));
}

void Handlers::GripUp() { m_isDragDown = false; }

}  // namespace SplitterDrag
