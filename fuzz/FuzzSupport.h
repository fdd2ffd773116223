#pragma once
// What every fuzz target shares: the Qt application the readers' painting and fonts
// need, made once before the first input, and a scratch file for readers of files.

#include <cstddef>
#include <cstdint>
#include <span>

#include <QString>

namespace FuzzSupport {

inline std::span<const std::uint8_t> Input(const std::uint8_t* data, std::size_t size) { return {data, size}; }

// Writes the input to a scratch file of this process named after `name`; its path, or
// an empty path when it could not be written.
QString AsFile(const std::uint8_t* data, std::size_t size, const char* name);

}  // namespace FuzzSupport
