// Arming a tool: what the main window's tool commands set on the canvas, read from the
// tool's row. A member of Imageqzviewer kept apart from its layout and painting.

#include "canvas/Imageqzviewer.h"

#include <QDate>
#include <QPlainTextEdit>

#include "canvas/tools/TextLayer.h"

void Imageqzviewer::ArmTool(ToolModes::Mode mode) {
  const ToolModes::ToolMode& row = ToolModes::Row(mode);
  if (row.dropsOnArm) {
    CleanCroprect();
  }
  if (row.range) {
    SetRange(*row.range);
  }
  if (row.group == ToolModes::PointerGroup::Stamp) {
    // A stamp taken anew is moved and sized first, in the frame it is handed over in.
    ResetStampsize(true);
  }
  m_mode = mode;
  m_view.fit = row.fit;
  if (row.strip == ToolModes::Strip::Text) {
    OpenTextBox();
  }
}

void Imageqzviewer::SetRange(const ToolModes::Range& range) {
  m_slider.max = range.max;
  m_slider.min = range.min;
  if (const auto start = ToolSlider::StartValue(range, QDate::currentDate().month())) {
    SetValue(*start);
  }
}

// The text tool opens its edit box as the text strip's text button does, with the
// strip's caption as the text to type over.
void Imageqzviewer::OpenTextBox() {
  if (m_textBoxShown) {
    return;
  }
  if (m_text1->toPlainText().isEmpty()) {
    m_text1->setPlainText(TextLayer::kDefaultText);
  }
  m_text1->selectAll();
  ShowHidetext(0, 0, 300, 200);
  m_text1->setFocus();
}
