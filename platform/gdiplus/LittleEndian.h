#pragma once
// Bounds-checked little-endian field access for the binary formats the codecs parse
// and write themselves (BMP headers, metafile records).

#include <cstddef>
#include <cstdint>
#include <span>

#include <QByteArray>

namespace Gdip {

// Reads fields at byte offsets of a buffer. A read past the end yields 0 and marks the
// reader as failed, so a parser checks Ok() once after a group of reads instead of
// guarding every field.
class LeReader {
 public:
  explicit LeReader(std::span<const std::uint8_t> data) : m_data(data) {}

  std::uint8_t U8(std::size_t offset) const { return Fits(offset, 1) ? m_data[offset] : 0; }
  std::uint16_t U16(std::size_t offset) const {
    return Fits(offset, 2) ? static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8)) : 0;
  }
  std::uint32_t U32(std::size_t offset) const {
    return Fits(offset, 4) ? std::uint32_t{U16(offset)} | (std::uint32_t{U16(offset + 2)} << 16) : 0;
  }
  std::int16_t I16(std::size_t offset) const { return static_cast<std::int16_t>(U16(offset)); }
  std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  // The bytes [offset, offset + length); empty and failed when they reach past the end.
  std::span<const std::uint8_t> Bytes(std::size_t offset, std::size_t length) const {
    return Fits(offset, length) ? m_data.subspan(offset, length) : std::span<const std::uint8_t>{};
  }

  std::size_t Size() const { return m_data.size(); }
  bool Ok() const { return m_ok; }
  // Marks the data as damaged for a reason the reader found itself (a count that cannot
  // fit, a picture that does not decode).
  void Fail() const { m_ok = false; }

 private:
  bool Fits(std::size_t offset, std::size_t length) const {
    const bool fits = offset <= m_data.size() && length <= m_data.size() - offset;
    if (!fits) {
      m_ok = false;
    }
    return fits;
  }

  std::span<const std::uint8_t> m_data;
  mutable bool m_ok = true;
};

// Appends little-endian fields to a byte array.
class LeWriter {
 public:
  explicit LeWriter(QByteArray& out) : m_out(out) {}

  void U8(std::uint8_t v) { m_out.append(static_cast<char>(v)); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
  void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
  void Bytes(std::span<const std::uint8_t> bytes) {
    m_out.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  }
  void Zeros(std::size_t count) { m_out.append(static_cast<qsizetype>(count), '\0'); }

 private:
  QByteArray& m_out;
};

inline std::span<const std::uint8_t> AsBytes(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

}  // namespace Gdip
