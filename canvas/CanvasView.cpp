#include "canvas/CanvasView.h"

#include <algorithm>

#include "canvas/CanvasLayout.h"
#include "foundation/GdiDIB.h"
#include "foundation/Numbers.h"

void CanvasView::FitInto(QSizeF picture, QSize client) {
  float x = 0, y = 0, w = 0, h = 0;
  GdiDIB::GetBestFitInfo(float(picture.width()), float(picture.height()), float(client.width()),
                         float(client.height()), x, y, w, h);
  fitRect = QRectF(x, y, w, h);
}

QSize CanvasView::FittedSize() const {
  return QSize(Numbers::RoundToInt(fitRect.width()), Numbers::RoundToInt(fitRect.height()));
}

void CanvasView::StartAtActualSize(QSizeF picture, QSize client) {
  zoom = 1.0f;
  displaySize = QSize(Numbers::RoundToInt(picture.width()), Numbers::RoundToInt(picture.height()));
  previousDisplaySize = displaySize;
  offset = QPoint((client.width() - displaySize.width()) / 2, (client.height() - displaySize.height()) / 2);
}

void CanvasView::FollowZoom(QSizeF picture, QSize client, bool follow) {
  displaySize = QSize(Numbers::RoundToInt(picture.width() * zoom), Numbers::RoundToInt(picture.height() * zoom));
  // Coming from a fitted view there is no earlier zoomed view to keep: start centred.
  const bool fromFit = previousDisplaySize.isEmpty();
  const QSize previous = fromFit ? displaySize : previousDisplaySize;
  if (fromFit) {
    offset = QPoint(CanvasLayout::CentredOffset(client.width(), displaySize.width()),
                    CanvasLayout::CentredOffset(client.height(), displaySize.height()));
  }
  const auto axis = [follow](int at, int display, int previousDisplay, int clientSide) {
    if (clientSide >= display) {
      return CanvasLayout::CentredOffset(clientSide, display);
    }
    return follow ? CanvasLayout::KeepCentreOffset(at, display, previousDisplay, clientSide) : at;
  };
  offset = QPoint(axis(offset.x(), displaySize.width(), previous.width(), client.width()),
                  axis(offset.y(), displaySize.height(), previous.height(), client.height()));
}

void CanvasView::Pan(QPointF by, QSize client) {
  if (fit) {
    return;  // a fitted picture has nowhere to go
  }
  const auto axis = [](int at, double move, int clientSide, int display) {
    const int moved = at + Numbers::RoundToInt(move);
    return clientSide >= display ? at : std::clamp(moved, clientSide - display, 0);
  };
  offset = QPoint(axis(offset.x(), by.x(), client.width(), displaySize.width()),
                  axis(offset.y(), by.y(), client.height(), displaySize.height()));
}

bool CanvasView::NavigatorShown(QSize client) const {
  return !fit && (displaySize.width() > client.width() || displaySize.height() > client.height());
}

QRectF CanvasView::Displayed() const { return fit ? fitRect : QRectF(QPointF(offset), QSizeF(displaySize)); }

void CanvasView::Shown() {
  previousDisplaySize = fit ? QSize() : displaySize;
  previousOffset = offset;
}
