#pragma once

#include <memory>

#include "effects/PixelView.h"

class CDIB;
class GdiDIB;

namespace ModEffects {

// The effects module's shared objects, kept together in one place.
struct EffectObjects {
  // The image last pasted from the clipboard.
  std::unique_ptr<GdiDIB> ClipboardImage;
  // The stamp filters' working pixels; they keep the last result until released.
  std::unique_ptr<CDIB> EffectDIB;
  // The one shared view, attached by the stamp filters for the length of a call.
  PixelView EffectPixels;

  EffectObjects();
  ~EffectObjects();
};

// The module's objects.
EffectObjects& Shared();
// The clipboard image holder, made on first use.
GdiDIB& ClipboardImage();
// The stamp filters' DIB, made on first use.
CDIB& EffectDIB();
// Ends the clipboard image and the filters' DIB and detaches the shared view; harmless
// when nothing was made.
void ReleaseEffectObjects();

}  // namespace ModEffects
