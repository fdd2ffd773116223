#pragma once
// What every fuzz target shares: the Qt application the readers' painting and fonts
// need, made once before the first input.

#include <cstddef>
#include <cstdint>
#include <span>

namespace FuzzSupport {

inline std::span<const std::uint8_t> Input(const std::uint8_t* data, std::size_t size) { return {data, size}; }

}  // namespace FuzzSupport
