#include "foundation/ModDialogCOlor.h"

#include "platform/Dialogs.h"

namespace ModDialogCOlor {

namespace {

constexpr int kButtonFace = 15;

struct CustomColorState {
  Dialogs::CustomColors colors{};
  bool initialised = false;
};

CustomColorState& State() {
  static CustomColorState state;
  return state;
}

// OLE colours with the high byte 0x80 name a system colour by index.
std::uint32_t TranslateColor(std::uint32_t colour) {
  if ((colour & 0xFF000000u) == 0x80000000u) {
    return Dialogs::GetSysColor(static_cast<int>(colour & 0xFFu));
  }
  return colour & 0x00FFFFFFu;
}

}  // namespace

std::int32_t ShowColorDialog(QWidget* owner, std::uint32_t rgb, bool FullOpen) {
  CustomColorState& state = State();
  if (!state.initialised) {
    state.colors.fill(Dialogs::GetSysColor(kButtonFace));
    state.colors[0] = 0;
    state.colors[1] = 0;
    state.initialised = true;
  }
  const auto chosen = Dialogs::ColorService().ChooseColor(owner, TranslateColor(rgb), state.colors, FullOpen);
  if (!chosen) {
    return -1;
  }
  return static_cast<std::int32_t>(*chosen & 0x00FFFFFFu);
}

void ColorToRGBBytes(std::uint32_t colour, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) {
  const std::uint32_t rgb = TranslateColor(colour);
  red = static_cast<std::uint8_t>(rgb & 0xFFu);
  green = static_cast<std::uint8_t>((rgb >> 8) & 0xFFu);
  blue = static_cast<std::uint8_t>((rgb >> 16) & 0xFFu);
}

const std::array<std::uint32_t, 16>& CustomColors() { return State().colors; }

}  // namespace ModDialogCOlor
