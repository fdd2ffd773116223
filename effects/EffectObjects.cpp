#include "effects/EffectObjects.h"

#include "foundation/CDIB.h"
#include "foundation/GdiDIB.h"
#include "foundation/ModClipboard.h"

namespace ModEffects {

EffectObjects::EffectObjects() = default;
EffectObjects::~EffectObjects() = default;

EffectObjects& Shared() {
  static EffectObjects objects;
  return objects;
}

CDIB& EffectDIB() {
  auto& dib = Shared().EffectDIB;
  if (!dib) {
    dib = std::make_unique<CDIB>();
  }
  return *dib;
}

void ReleaseEffectObjects() {
  auto& objects = Shared();
  // Detach first: the view must never outlive the memory it points into.
  UnmapPixelArray(objects.EffectPixels);
  objects.EffectDIB.reset();
  ModGDI::ClipboardImage().Destroy();
}

}  // namespace ModEffects
