// The canvas's mouse and key handling: members of Imageqzviewer kept apart from its
// layout and painting. Each tool family's pointer unit (canvas/tools) decides what a
// press, drag or release means; these members feed it and do what it asks.

#include "canvas/Imageqzviewer.h"

#include <algorithm>

#include <QKeyEvent>

#include "canvas/ToolModes.h"
#include "effects/ClsSelect.h"
#include "effects/ColorAdjust.h"
#include "effects/EffectObjects.h"
#include "canvas/ToolCommit.h"
#include "foundation/DIBsave.h"
#include "foundation/ModDraw.h"
#include "foundation/ModPublic.h"
#include "foundation/ModqzReg.h"
#include "foundation/Numbers.h"
#include "foundation/SkinnedControlServices.h"
#include "platform/forms/Input.h"
#include "platform/forms/MsgBox.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/Graphics.h"

namespace {

using PointerTools::Follow;

constexpr int kLeft = Forms::vbLeftButton;
constexpr int kSwatchButton = 3;
const QColor kClearColour(Imageqzviewer::Background, Imageqzviewer::Background, Imageqzviewer::Background);

using ToolModes::Mode;

const PointerTools::PointerUnit& UnitOf(Mode mode) { return PointerTools::UnitFor(ToolModes::Row(mode).group); }

}  // namespace

PointerTools::PointerEvent Imageqzviewer::EventAt(int button, int shift, QPointF at) {
  PointerTools::PointerEvent event;
  event.mode = m_mode;
  event.button = button;
  event.shift = shift;
  event.at = at;
  event.barHit = m_hit.BarShown;
  event.hotButton = m_hit.HotButton;
  event.handleHit = m_hit.HandleHit;
  event.layerHit = m_hit.LayerHit;
  event.layerAnchor = LayerAnchor();
  event.selectionTopLeft = m_rects.Handles[0].topLeft();
  event.points = &SharedSelectionPoints();
  return event;
}

void Imageqzviewer::PointerDown(int button, int shift, QPointF at) {
  m_ptr.press = m_ptr.previous = m_ptr.current = at;
  m_ptr.moved = false;
  m_ptr.shift = 0;
  m_ptr.leftDown = button == kLeft;
  m_ptr.button = button;
  if (button != kLeft) {
    // Any other button only marks the press; in the polygon tool it closes the outline.
    m_ptr.rightPress = true;
    Painting();
    return;
  }
  m_ptr.rectAtPress = m_rects.Handles[0];
  Follow follow = UnitOf(m_mode).press(m_ptr, EventAt(button, shift, at));
  // Every tool that shows the swatch picks from it on a press, whatever its drag does.
  follow.pickColour = follow.pickColour ||
                      (m_hit.BarShown && m_hit.HotButton == kSwatchButton && ToolModes::Row(m_mode).picker);
  DoFollow(follow);
}

void Imageqzviewer::PointerMove(int button, int shift, QPointF at) {
  if (!m_ptr.leftDown) {
    HitTestCanvas(at);
    DoFollow(UnitOf(m_mode).hover(m_ptr, EventAt(button, shift, at)));
  } else if (m_hit.GripHit && m_hit.NavButtonIndex == 0 && NavigatorShown()) {
    // The navigator's outline is being dragged: the view follows it, nothing else moves.
    m_ptr.moved = true;
    Painting();
  } else {
    m_ptr.shift = shift;
    m_ptr.moved = true;
    if (!m_view.fit) {
      setCursor(m_cursors.For(CanvasLayout::Cursor::Moused));
    }
    DoFollow(UnitOf(m_mode).drag(m_ptr, EventAt(button, shift, at)));
  }
  m_ptr.previous = at;
}

void Imageqzviewer::PointerUp(int button, int shift, QPointF at) {
  const bool wasLeft = m_ptr.leftDown;
  m_ptr.leftDown = false;
  m_ptr.layerDragging = false;
  m_resizePress = false;
  // The bar was hit at the last move before the press; only the left button presses it.
  if (m_hit.BarShown && wasLeft) {
    PressBarButton(m_hit.HotButton);
    if (m_mode == Mode::Resize) {
      Painting(PaintKind::Smooth);
    }
    emit FitLeft();
    return;
  }
  if (wasLeft) {
    DoFollow(UnitOf(m_mode).release(m_ptr, EventAt(button, shift, at)));
  }
}

void Imageqzviewer::keyPressEvent(QKeyEvent* event) {
  // The text tool types into its box; every other key is a shortcut.
  if (m_mode == Mode::Text) {
    QWidget::keyPressEvent(event);
    return;
  }
  emit ShortcutKeyPressed(Forms::VirtualKeyFromQt(event->key(), event->modifiers()),
                          Forms::ShiftFromQt(event->modifiers()));
}

void Imageqzviewer::DoFollow(const Follow& follow) {
  if (follow.resizePress) {
    m_resizePress = true;
  }
  if (follow.stampKnob) {
    PutDownStampBrush();
  }
  if (follow.stampDab) {
    PaintOnStamp();
  }
  if (follow.stampStrokeEnd) {
    KeepStampStroke();
  }
  if (follow.pan) {
    m_view.Pan(m_ptr.panBy, ClientSize());
  }
  if (follow.zoomToValue) {
    m_view.zoom = CanvasLayout::ZoomFromSlider(Value());
  }
  if (follow.rotatePreview) {
    RotationPreview();
  }
  if (follow.colourPreview) {
    ColourPreview();
  }
  if (follow.pickColour) {
    ColorControl();
  }
  if (follow.repaint) {
    Painting(follow.load ? (follow.upDown ? PaintKind::RefitSmooth : PaintKind::Refit)
                         : (follow.upDown ? PaintKind::Smooth : PaintKind::Plain));
  }
  if (follow.freeSelect) {
    DrawPolygon(m_ptr.press, m_pointer);
  }
}

int Imageqzviewer::KnobImageWidth() const { return m_kit.Knob.isNull() ? KnobWidth : m_kit.Knob.width(); }

void Imageqzviewer::FollowKnob() {
  if (!(m_hit.BarShown && m_hit.HotButton == 0 && m_ptr.leftDown)) {
    return;
  }
  // The field, not the property, so the drag's release still finds the bar hot.
  const CanvasLayout::CommandBar bar = CanvasLayout::CommandBarGeometry(m_mode, ClientSize());
  m_slider.FollowPointer(float(m_pointer.x()), bar.L, KnobImageWidth());
}

// The picture at its displayed size turned by the knob's angle; straighten zooms it so
// that no corner shows. Drawn from the fitted picture, so a step costs the display's size.
void Imageqzviewer::RotationPreview() {
  if (!hasImage() || m_previewThumbnail.isNull()) {
    return;
  }
  FollowKnob();
  EnsureBackBuffer();
  m_backBuffer.fill(kClearColour);
  const auto picture = Gdip::Bitmap::FromImage(m_previewThumbnail, Gdip::PixelFormatOf(m_previewThumbnail));
  const QRectF shown = DisplayedRect();
  if (picture) {
    ModGDI::DrawImageRotated(m_backBuffer, *picture, float(shown.width()), float(shown.height()), float(width()),
                             float(height()), float(m_slider.value), false, m_mode == Mode::Straighten ? 1 : 0);
  }
  auto graphics = Gdip::Graphics::FromSurface(m_backBuffer);
  DrawCommandBar(*graphics, true, false);
}

void Imageqzviewer::ColourPreview() {
  if (!hasImage() || m_previewThumbnail.isNull()) {
    return;
  }
  FollowKnob();
  EnsureBackBuffer();
  m_backBuffer.fill(kClearColour);
  auto graphics = Gdip::Graphics::FromSurface(m_backBuffer);
  const bool gamma = m_mode == Mode::Gamma;
  const int mode = gamma ? ModEffects::kGammaAdjust : ModEffects::kContrastAdjust;
  ModEffects::ApplyColorAdjust(graphics->Painter(), m_previewThumbnail, mode, gamma ? float(Value()) : 1.0f,
                               DisplayedRect(), gamma ? 0.0f : ToolCommit::ContrastAmount(float(Value())));
  DrawCommandBar(*graphics, true, false);
}

void Imageqzviewer::DrawPolygon(QPointF from, QPointF to) {
  if (m_backBuffer.isNull()) {
    return;
  }
  m_select->FreeSelect(m_backBuffer, float(from.x()), float(from.y()), float(to.x()), float(to.y()), nullptr, 0, 0,
                       true, false, 0, 0, 1, 1, false, 0);
  update();
}

void Imageqzviewer::PressBarButton(int button) {
  switch (button) {
    case 1:
      ApplyCurrentTool();
      HideText1();
      m_ptr.textAnchorSet = false;
      break;
    case 2: {
      const int answer = Forms::MsgBox(QStringLiteral("Do you want to save the changes you've made to this image?"),
                                       Forms::vbYesNoCancel | Forms::vbQuestion);
      if (answer == Forms::vbYes) {
        ApplyCurrentTool();
      } else if (answer == Forms::vbNo) {
        CancelCurrentTool();
      }
      break;
    }
    case 4:
      ShowToolOptions();
      break;
    case 5:
    case 6:
      UndoStampRedo(button == 5);
      break;
    default:
      break;  // the knob and the colour swatch act while pressed
  }
}

void Imageqzviewer::ShowToolOptions() {
  SkinMenuServices* menu = m_skinMenu;
  if (menu == nullptr) {
    return;
  }
  menu->SetMemFirst(true);
  const ToolModes::PointerGroup group = ToolModes::Row(m_mode).group;
  const bool shape = group == ToolModes::PointerGroup::Shape;
  const bool stamp = group == ToolModes::PointerGroup::Stamp;
  const int menuWidth = shape ? 80 : 120;
  const int rise = shape ? 300 : stamp ? 350 : 100;
  // Placed in the main window's pixels, from the canvas's own place in it. The rows are
  // laid out for the menu's width, so the width comes before the rows; the height follows
  // from them.
  const QPoint origin = window() == this ? QPoint() : mapTo(window(), QPoint(0, 0));
  const int top = origin.y() + height() - rise;
  const int left = origin.x() + Numbers::RoundToInt(m_rects.Buttons[4].x()) - menuWidth + 55;
  menu->Move(left, top, menuWidth, 0);
  if (group == ToolModes::PointerGroup::GradientRect) {
    menu->SetInitializemenu(11);
    menu->MenuChecked(ModPublic::VectorFillStyle, true);
  } else if (shape) {
    menu->SetInitializemenu(8);
    menu->MenuChecked(ModqzReg::LineMenu, true);
  } else if (stamp) {
    menu->SetInitializemenu(10);
    menu->MenuChecked(ModPublic::EraserToolKey, true);
    menu->MenuChecked(ModPublic::StampBrushKey, true);
  }
  menu->Move(left, top, menuWidth, Numbers::RoundToInt(menu->New_Height()) + 10);
  menu->MenuPainting();
  menu->SetVisible(!menu->Visible());
}

void Imageqzviewer::ApplyCurrentTool() {
  m_view.zoom = 1.0f;
  if (!ToolModes::IsSelectionTool(m_mode)) {
    SaveUndo();
    return;
  }
  // The selection tools make a floating stamp of the selection rather than a commit.
  // A press on the bar sets no polygon point, so there is no stray last point to drop.
  m_ptr.merging = true;
  HandOverSelection();
  m_ptr.merging = false;
}

void Imageqzviewer::CancelCurrentTool() {
  if (m_mode == Mode::Resize && hasImage()) {
    m_view.zoom = 1.0f;
    m_view.displaySize = QSize(Numbers::RoundToInt(ImgDIB.Width()), Numbers::RoundToInt(ImgDIB.Height()));
  }
  m_mode = Mode::Browse;
  m_view.zoom = 1.0f;
  m_view.fit = false;
  Painting();
  m_ptr.rightPress = false;
  m_ptr.merging = false;
  SharedSelectionPoints() = SelectionPoints{};
  ModEffects::ReleaseEffectObjects();
  // A stamp left floating goes with its tool; its snapshot files stay until the canvas ends.
  m_stamp.picture = QImage();
  HideText1();
  m_ptr.textAnchorSet = false;
  // Edits committed before the tool was armed stay unsaved: leaving a tool must not
  // make them look saved.
  emit ToolFinished();
}
