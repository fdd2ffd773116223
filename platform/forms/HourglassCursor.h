#pragma once

namespace Forms {

// Shows the busy cursor over every window of the program while it lives. Guards nest:
// the previous cursor returns when the outermost one ends.
class HourglassCursor {
 public:
  HourglassCursor();
  ~HourglassCursor();
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;
};

}  // namespace Forms
