#pragma once
// What the text strip chose for the text and calendar layers: font, size, style, how the
// text is rendered and its colour. The canvas keeps them between tools; until the strip
// sets them they are the strip's own defaults.

#include <cstdint>

#include <QPointF>
#include <QString>

#include "canvas/tools/TextLayer.h"

struct TextChoices {
  QString font = QStringLiteral("Tahoma");
  int size = 15;    // pixels
  int style = 0;    // the style list's index: regular, italic, bold, bold italic, underline
  int render = 2;   // rendering hint: none, sharp, smooth
  std::uint32_t colour = 0;  // RGB reference, red in the low byte

  // The layer these choices draw: the typed text at its anchor, as opaque as the slider says.
  TextLayer::Text Layer(const QString& text, float opacity, QPointF anchor) const;
};
