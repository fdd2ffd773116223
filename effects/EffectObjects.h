#pragma once

#include <memory>

#include "effects/PixelView.h"

class CDIB;

namespace ModEffects {

// The effects module's shared objects, kept together in one place.
struct EffectObjects {
  // The stamp filters' working pixels; they keep the last result until released.
  std::unique_ptr<CDIB> EffectDIB;
  // The one shared view, attached by the stamp filters for the length of a call.
  PixelView EffectPixels;

  EffectObjects();
  ~EffectObjects();
};

// The module's objects.
EffectObjects& Shared();
// The stamp filters' DIB, made on first use.
CDIB& EffectDIB();
// Empties the clipboard image holder (ModGDI::ClipboardImage), ends the filters' DIB and
// detaches the shared view; harmless when nothing was made.
void ReleaseEffectObjects();

}  // namespace ModEffects
