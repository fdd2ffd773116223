#pragma once
// The byte-level pieces our PNG reader, writer and band reader share: the file's
// signature and the chunks' big-endian numbers.

#include <cstdint>

#include <QByteArray>

namespace Gdip::PngBytes {

inline constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

inline std::uint32_t ReadBigEndian32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

inline void AppendBigEndian32(QByteArray& out, std::uint32_t value) {
  const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
  out.append(bytes, 4);
}

}  // namespace Gdip::PngBytes
