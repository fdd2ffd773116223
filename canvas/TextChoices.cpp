#include "canvas/TextChoices.h"

TextLayer::Text TextChoices::Layer(const QString& text, float opacity, QPointF anchor) const {
  return {.text = text,
          .font = font,
          .size = size,
          .style = style,
          .render = render,
          .colour = colour,
          .opacity = opacity,
          .anchor = anchor};
}
