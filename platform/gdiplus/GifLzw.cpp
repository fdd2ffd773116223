#include "platform/gdiplus/GifLzw.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/ParallelRows.h"

namespace Gdip::GifLzw {

namespace {

constexpr int kRootBits = 8;
constexpr std::uint16_t kClear = 1 << kRootBits;
constexpr std::uint16_t kEnd = kClear + 1;
constexpr std::uint16_t kFirstFree = kClear + 2;
constexpr int kStartWidth = kRootBits + 1;
constexpr int kMaxWidth = 12;
constexpr int kLastCode = (1 << kMaxWidth) - 1;  // the table is cleared as it reaches this
constexpr int kSubBlockBytes = 255;
constexpr int kMinRowsPerBand = 16;

// The table of strings seen so far, as (prefix code, next index) -> code, in a small
// open-addressed hash table. Entries carry the generation they were made in, so that a
// clear is one increment instead of a wipe.
class StringTable {
 public:
  StringTable() : m_slots(kSlots) {}

  void Clear() { ++m_generation; }

  // The code of prefix followed by index, or -1.
  int Find(std::uint32_t key) const {
    for (std::size_t at = Hash(key);; at = (at + 1) & kMask) {
      const Slot& slot = m_slots[at];
      if (slot.generation != m_generation) {
        return -1;
      }
      if (slot.key == key) {
        return slot.code;
      }
    }
  }

  void Add(std::uint32_t key, std::uint16_t code) {
    std::size_t at = Hash(key);
    while (m_slots[at].generation == m_generation) {
      at = (at + 1) & kMask;
    }
    m_slots[at] = {key, code, m_generation};
  }

  static std::uint32_t Key(int prefix, std::uint8_t index) { return (std::uint32_t(prefix) << 8) | index; }

 private:
  // Twice the largest table, so probes stay short.
  static constexpr std::size_t kSlots = std::size_t{1} << 13;
  static constexpr std::size_t kMask = kSlots - 1;

  struct Slot {
    std::uint32_t key = 0;
    std::uint16_t code = 0;
    std::uint32_t generation = 0;
  };

  static std::size_t Hash(std::uint32_t key) { return ((key * 2654435761u) >> 19) & kMask; }

  std::vector<Slot> m_slots;
  std::uint32_t m_generation = 1;
};

// The codes of one band, from a fresh table, its leading clear code left to the joiner.
std::vector<std::uint16_t> BandCodes(std::span<const std::uint8_t> indexes) {
  std::vector<std::uint16_t> codes;
  if (indexes.empty()) {
    return codes;
  }
  codes.reserve(indexes.size() / 3 + 16);
  StringTable table;
  int next = kFirstFree;
  int current = indexes[0];
  for (std::size_t i = 1; i < indexes.size(); ++i) {
    const std::uint32_t key = StringTable::Key(current, indexes[i]);
    if (const int found = table.Find(key); found >= 0) {
      current = found;
      continue;
    }
    codes.push_back(std::uint16_t(current));
    if (next >= kLastCode) {
      codes.push_back(kClear);
      table.Clear();
      next = kFirstFree;
    } else {
      table.Add(key, std::uint16_t(next++));
    }
    current = indexes[i];
  }
  codes.push_back(std::uint16_t(current));
  return codes;
}

// Packs codes least significant bit first into sub-blocks, keeping the width a reader
// keeps: it widens after a code once the table holds as many entries as the width can
// name, and goes back to the start after a clear.
class CodeWriter {
 public:
  explicit CodeWriter(QByteArray& out) : m_out(out) {}

  void Put(std::uint16_t code) {
    m_bits |= std::uint64_t(code) << m_bitCount;
    m_bitCount += m_width;
    while (m_bitCount >= 8) {
      PutByte(std::uint8_t(m_bits));
      m_bits >>= 8;
      m_bitCount -= 8;
    }
    if (code == kClear) {
      m_width = kStartWidth;
      m_next = kFirstFree;
      return;
    }
    if (m_next >= (1 << m_width) && m_width < kMaxWidth) {
      ++m_width;
    }
    ++m_next;
  }

  void Finish() {
    if (m_bitCount > 0) {
      PutByte(std::uint8_t(m_bits));
    }
    FlushBlock();
    m_out.append('\0');
  }

 private:
  void PutByte(std::uint8_t byte) {
    m_block[m_blockBytes++] = byte;
    if (m_blockBytes == kSubBlockBytes) {
      FlushBlock();
    }
  }
  void FlushBlock() {
    if (m_blockBytes > 0) {
      m_out.append(char(m_blockBytes));
      m_out.append(reinterpret_cast<const char*>(m_block.data()), m_blockBytes);
      m_blockBytes = 0;
    }
  }

  QByteArray& m_out;
  std::uint64_t m_bits = 0;
  int m_bitCount = 0;
  int m_width = kStartWidth;
  int m_next = kFirstFree;
  std::array<std::uint8_t, kSubBlockBytes> m_block{};
  int m_blockBytes = 0;
};

}  // namespace

QByteArray Compress(std::span<const std::uint8_t> indexes, int width, int height) {
  const int bandCount = std::clamp(height / kMinRowsPerBand, 1, Threads::CoreCount());
  std::vector<std::vector<std::uint16_t>> bands(static_cast<std::size_t>(bandCount));
  const auto rowsOf = [&](int band) { return int(std::int64_t{height} * band / bandCount); };
  Threads::ParallelRows(
      0, bandCount - 1,
      [&](int first, int last) {
        for (int band = first; band <= last; ++band) {
          const std::size_t from = std::size_t(rowsOf(band)) * std::size_t(width);
          const std::size_t to = std::size_t(rowsOf(band + 1)) * std::size_t(width);
          bands[std::size_t(band)] = BandCodes(indexes.subspan(from, to - from));
        }
      },
      1);
  std::size_t codeCount = 0;
  for (const auto& band : bands) {
    codeCount += band.size() + 1;
  }
  QByteArray out;
  out.reserve(qsizetype(codeCount * kMaxWidth / 8 + codeCount / kSubBlockBytes + 16));
  out.append(char(kRootBits));
  CodeWriter writer(out);
  for (const auto& band : bands) {
    writer.Put(kClear);
    for (const std::uint16_t code : band) {
      writer.Put(code);
    }
  }
  writer.Put(kEnd);
  writer.Finish();
  return out;
}

}  // namespace Gdip::GifLzw
