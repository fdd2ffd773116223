#include "canvas/CanvasLayout.h"

#include <algorithm>
#include <cmath>

#include "canvas/ToolModes.h"
#include "foundation/GdiDIB.h"
#include "foundation/Numbers.h"

namespace CanvasLayout {

namespace {

constexpr int kNavigatorPanel = 120;
constexpr int kNavigatorThumb = 100;
constexpr int kBarButtonWidth = 55;
constexpr int kBarButtonHeight = 22;
constexpr int kTrackLength = 200;

using ToolModes::HitGroup;
using ToolModes::Mode;

// Tests the first count command-bar rectangles; on a hit the bar counts as shown and
// the pointer becomes the picker over the colour swatch (3) when pickerFor3 is set.
bool TestButtons(QPointF point, const HitRects& rects, int count, bool pickerFor3, HitState& state) {
  for (int i = 0; i < count; ++i) {
    if (Inside(rects.Buttons[std::size_t(i)], point)) {
      state.BarShown = true;
      state.HotButton = i;
      state.Pointer = (i == 3 && pickerFor3) ? Cursor::Picker : Cursor::Moused;
      return true;
    }
  }
  return false;
}

// One axis of the navigator drag: the offset that puts the outline, centred on the
// pointer and kept inside the thumbnail, over the visible window.
int DragAxis(double thumbStart, double thumbLength, int client, int display, double pointer) {
  if (display <= client || thumbLength <= 0) {
    return CentredOffset(client, display);
  }
  const double outline = double(client) * thumbLength / display;
  const double start = std::clamp(pointer - outline / 2, thumbStart, thumbStart + thumbLength - outline);
  return -Numbers::RoundToInt((start - thumbStart) * (double(display) / thumbLength));
}

}  // namespace

float ZoomFromSlider(int sliderValue) {
  const auto hundredths = Numbers::RoundHalfEven(double(sliderValue) * 100.0 / 55.0);
  return hundredths < 12 ? 0.12f : float(double(hundredths) / 100.0);
}

QString SingleText(float value) {
  if (std::nearbyint(value) == value && std::fabs(value) < 1e15f) {
    return QString::number(static_cast<long long>(value));
  }
  return QString::number(double(value), 'g', 7);
}

int CentredOffset(int client, int display) { return Numbers::RoundToInt((client - display) / 2.0); }

int KeepCentreOffset(int offset, int display, int previousDisplay, int client) {
  if (client >= display) {
    return CentredOffset(client, display);
  }
  const int kept = Numbers::RoundToInt(offset - (display - previousDisplay) / 2.0);
  return std::clamp(kept, client - display, 0);
}

Navigator NavigatorGeometry(QSize client, QSizeF image) {
  Navigator nav;
  nav.Panel = QRectF(client.width() - kNavigatorPanel, client.height() - 132, kNavigatorPanel, kNavigatorPanel);
  float x = 0, y = 0, w = 0, h = 0;
  GdiDIB::GetBestFitInfo(float(image.width()), float(image.height()), kNavigatorThumb, kNavigatorThumb, x, y, w, h);
  nav.Thumbnail = QRectF(client.width() - 110 + x, client.height() - 110 + y, w, h);
  return nav;
}

QRectF NavigatorOutline(const QRectF& thumbnail, QSize client, QSize display, QPoint viewOffset) {
  if (display.isEmpty()) {
    return {};
  }
  const double sx = thumbnail.width() / display.width();
  const double sy = thumbnail.height() / display.height();
  return QRectF(thumbnail.x() - viewOffset.x() * sx, thumbnail.y() - viewOffset.y() * sy,
                std::min(client.width(), display.width()) * sx, std::min(client.height(), display.height()) * sy);
}

QPoint ViewOffsetFromNavigatorDrag(const QRectF& thumbnail, QSize client, QSize display, QPointF pointer) {
  return {DragAxis(thumbnail.x(), thumbnail.width(), client.width(), display.width(), pointer.x()),
          DragAxis(thumbnail.y(), thumbnail.height(), client.height(), display.height(), pointer.y())};
}

CommandBar CommandBarGeometry(Mode mode, QSize client) {
  CommandBar bar;
  bar.L = (client.width() - kTrackLength) / 2 - 50;
  bar.T = ToolModes::BarAtTop(mode) ? 5 : client.height() - 35;
  bar.HasSlider = ToolModes::HasSlider(mode);
  bar.SliderWidth = bar.HasSlider ? kTrackLength : 90;
  bar.HasOption = ToolModes::HasOptions(mode);
  bar.HasStampUndo = ToolModes::HasStampUndo(mode);
  const auto button = [&](double x) { return QRectF(x, bar.T + 2, kBarButtonWidth, kBarButtonHeight); };
  bar.Buttons[1] = button(bar.L + bar.SliderWidth);
  bar.Buttons[2] = button(bar.L + bar.SliderWidth + 60);
  if (bar.HasOption) {
    bar.Buttons[4] = button(bar.Buttons[2].x() + 60);
  }
  if (bar.HasStampUndo) {
    bar.Buttons[6] = button(bar.L - 60);
    bar.Buttons[5] = button(bar.Buttons[6].x() - 60);
  }
  return bar;
}

float ValueFromPointer(float pointerX, int L, int Min, int Max, int knobWidth) {
  const float track = float(kTrackLength - knobWidth);
  if (track <= 0 || Max <= Min) {
    return float(Min);
  }
  const float value = float(Max) - (track - (pointerX - 10 - float(L))) / track * float(Max - Min);
  return std::clamp(value, float(Min), float(Max));
}

Knob KnobForValue(float value, int L, int Min, int Max, int knobWidth, bool keepKnob) {
  const int range = Max - Min;
  if (range == 0) {
    // A tool with a single value has nowhere to slide: the knob rests at the start.
    return {float(L + 4), float(Min)};
  }
  Knob knob{(value - float(Min)) * float(kTrackLength - knobWidth) / float(range) + float(L + 6), value};
  if (knob.X < float(L + 4)) {
    knob.Value = float(Min);
    if (!keepKnob) {
      knob.X = float(L + 4);
    }
  } else if (knob.X > float(L + 174)) {
    knob.X = float(L + 174);
    knob.Value = float(Max);
  }
  return knob;
}

bool Inside(const QRectF& rect, QPointF point) {
  const QRectF r = rect.normalized();
  return !r.isEmpty() && point.x() >= r.left() && point.x() < r.right() && point.y() >= r.top() &&
         point.y() < r.bottom();
}

void HitTestCanvas(Mode mode, QPointF point, const HitRects& rects, HitState& state) {
  state.BarShown = false;
  const ToolModes::ToolMode& row = ToolModes::Row(mode);
  // Tools that select or place something: their handles and the full button row count.
  if (row.hit == HitGroup::Selection) {
    state.HandleHit = false;
    if (!TestButtons(point, rects, 7, true, state)) {
      state.Pointer = Cursor::Cross;
    }
    for (int i = 0; i < 9; ++i) {
      if (Inside(rects.Handles[std::size_t(i)], point)) {
        state.HandleIndex = i;
        state.HandleHit = true;
        state.Pointer = HandleCursor(i, state.Pointer);
        break;
      }
    }
    if (row.group == ToolModes::PointerGroup::Resize) {
      state.GripHit = Inside(rects.Nav[0], point);
    }
    return;
  }
  // Adjustments and effects that only have the command bar; an effect aimed with a picked
  // colour shows the cross.
  if (row.hit == HitGroup::Effect) {
    if (!TestButtons(point, rects, 5, true, state)) {
      state.Pointer = row.picker ? Cursor::Cross : Cursor::Arrow;
    }
    return;
  }
  state.Pointer = Cursor::Shou;
  state.GripHit = false;
  for (int i = 0; i < 3; ++i) {
    if (Inside(rects.Nav[std::size_t(i)], point)) {
      state.NavButtonIndex = i;
      state.GripHit = true;
      state.Pointer = Cursor::PanView;
      break;
    }
  }
  if (row.hit == HitGroup::Layer) {
    state.LayerHit = Inside(rects.Layer, point);
    TestButtons(point, rects, 5, false, state);
  }
}

Cursor HandleCursor(int handle, Cursor current) {
  switch (handle) {
    case 1:
    case 5:
      return Cursor::SizeFDiag;
    case 2:
    case 6:
      return Cursor::SizeVer;
    case 3:
    case 7:
      return Cursor::SizeBDiag;
    case 4:
    case 8:
      return Cursor::SizeHor;
    default:
      return current;
  }
}

}  // namespace CanvasLayout
