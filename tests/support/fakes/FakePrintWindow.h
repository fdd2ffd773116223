#pragma once
// A print window that records what the main window asked of it.

#include "foundation/SecondaryWindowServices.h"

namespace Fakes {

class FakePrintWindow final : public PrintWindowServices {
 public:
  void Show() override { ++shows; }
  void Unload() override { ++unloads; }

  int shows = 0;
  int unloads = 0;
};

}  // namespace Fakes
