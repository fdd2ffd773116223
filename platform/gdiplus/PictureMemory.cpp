#include "platform/gdiplus/PictureMemory.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

#include <QFile>

namespace Gdip {

namespace {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// Rows of whole 32-bit words, as QImage requires of memory it is given; 0 for a size or
// format it cannot hold.
std::size_t StrideOf(int width, int height, QImage::Format format) {
  const int bitsPerPixel = QImage::toPixelFormat(format).bitsPerPixel();
  if (width <= 0 || height <= 0 || bitsPerPixel <= 0) {
    return 0;
  }
  const std::size_t bits = std::size_t(width) * std::size_t(bitsPerPixel);
  return (bits + 31) / 32 * 4;
}

// At least `bytes` of zeroed memory starting and ending on a huge-page boundary: mapped
// with one spare huge page, whose unaligned ends are given back at once. Null on failure.
std::uint8_t* MapAligned(std::size_t length) {
  void* raw = mmap(nullptr, length + kHugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) {
    return nullptr;
  }
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHugePageBytes - 1) & ~std::uintptr_t{kHugePageBytes - 1};
  const std::uintptr_t end = start + length + kHugePageBytes;
  if (aligned > start) {
    munmap(raw, aligned - start);
  }
  if (end > aligned + length) {
    munmap(reinterpret_cast<void*>(aligned + length), end - (aligned + length));
  }
  // Refused where the system has no transparent huge pages; the mapping works as it is.
  madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
  return reinterpret_cast<std::uint8_t*>(aligned);
}

// Mappings let go lately, kept for the next block of the same length. An edit lets go
// the pictures it replaces (the earlier halvings of the display, an undo step over its
// budget) about when it asks for new ones of the same sizes, and a kept mapping has its
// pages already: on virtual machines the first touch of fresh pages costs more than the
// edit. A few are kept, together at most about one 24-megapixel picture, since kept
// pages count against what editing such a photo may hold; the oldest go first.
class KeptMappings {
 public:
  // The newest kept mapping of exactly this length, or null.
  std::uint8_t* Take(std::size_t length) {
    const std::lock_guard lock(m_mutex);
    for (std::size_t i = m_count; i-- > 0;) {
      if (m_kept[i].length == length) {
        std::uint8_t* data = m_kept[i].data;
        m_bytes -= length;
        std::move(m_kept.begin() + std::ptrdiff_t(i) + 1, m_kept.begin() + std::ptrdiff_t(m_count),
                  m_kept.begin() + std::ptrdiff_t(i));
        --m_count;
        return data;
      }
    }
    return nullptr;
  }

  // Keeps the mapping, letting the oldest go while there are too many or too much.
  void Give(std::uint8_t* data, std::size_t length) {
    std::array<Mapping, kMostMappings + 1> gone{};
    std::size_t goneCount = 0;
    {
      const std::lock_guard lock(m_mutex);
      if (m_count == kMostMappings) {
        gone[goneCount++] = PopOldest();
      }
      m_kept[m_count++] = {data, length};
      m_bytes += length;
      while (m_bytes > kMostBytes) {
        gone[goneCount++] = PopOldest();
      }
    }
    for (std::size_t i = 0; i < goneCount; ++i) {
      munmap(gone[i].data, gone[i].length);
    }
  }

 private:
  static constexpr std::size_t kMostMappings = 4;
  static constexpr std::size_t kMostBytes = std::size_t{100} << 20;

  struct Mapping {
    std::uint8_t* data = nullptr;
    std::size_t length = 0;
  };

  Mapping PopOldest() {
    const Mapping oldest = m_kept[0];
    std::move(m_kept.begin() + 1, m_kept.begin() + std::ptrdiff_t(m_count), m_kept.begin());
    --m_count;
    m_bytes -= oldest.length;
    return oldest;
  }

  std::mutex m_mutex;
  std::array<Mapping, kMostMappings> m_kept{};  // oldest first
  std::size_t m_count = 0;
  std::size_t m_bytes = 0;
};
// Pictures may be let go while the program ends, after every static object would have
// been destroyed: this one has nothing to destroy, and the system takes its mappings.
static_assert(std::is_trivially_destructible_v<KeptMappings>);

KeptMappings& Kept() {
  static KeptMappings kept;
  return kept;
}

// The cleanup a picture made over a block runs when its last copy goes.
void ReleaseBlock(void* block) { std::unique_ptr<MemoryBlock> owned(static_cast<MemoryBlock*>(block)); }

QImage Picture(int width, int height, QImage::Format format, bool zeroed) {
  const std::size_t stride = StrideOf(width, height, format);
  if (stride == 0 || std::size_t(height) > SIZE_MAX / stride) {
    return {};
  }
  const std::size_t bytes = stride * std::size_t(height);
  MemoryBlock block = zeroed ? ZeroedBlock(bytes) : MemoryBlock(bytes);
  return std::move(block).IntoPicture(width, height, qsizetype(stride), format);
}

}  // namespace

MemoryBlock::MemoryBlock(std::size_t bytes, Reuse reuse) {
  if (bytes == 0) {
    return;
  }
  if (bytes >= kMappedBlockBytes) {
    const std::size_t length = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    m_data = reuse == Reuse::Kept ? Kept().Take(length) : nullptr;
    if (m_data == nullptr) {
      m_data = MapAligned(length);
    }
    m_mappedLength = m_data != nullptr ? length : 0;
  } else {
    m_data = static_cast<std::uint8_t*>(std::malloc(bytes));
  }
  m_size = m_data != nullptr ? bytes : 0;
}

MemoryBlock::~MemoryBlock() { Release(); }

MemoryBlock::MemoryBlock(MemoryBlock&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_mappedLength(std::exchange(other.m_mappedLength, 0)) {}

MemoryBlock& MemoryBlock::operator=(MemoryBlock&& other) noexcept {
  if (this != &other) {
    Release();
    m_data = std::exchange(other.m_data, nullptr);
    m_size = std::exchange(other.m_size, 0);
    m_mappedLength = std::exchange(other.m_mappedLength, 0);
  }
  return *this;
}

void MemoryBlock::Release() {
  if (m_mappedLength != 0) {
    Kept().Give(m_data, m_mappedLength);
  } else {
    std::free(m_data);
  }
  m_data = nullptr;
  m_size = 0;
  m_mappedLength = 0;
}

QImage MemoryBlock::IntoPicture(int width, int height, qsizetype stride, QImage::Format format) && {
  if (empty() || width <= 0 || height <= 0 || stride <= 0 || std::size_t(stride) * std::size_t(height) > m_size) {
    return {};
  }
  auto owner = std::make_unique<MemoryBlock>(std::move(*this));
  QImage image(owner->data(), width, height, stride, format, ReleaseBlock, owner.get());
  if (image.isNull()) {
    *this = std::move(*owner);  // a size QImage refuses: the block was never handed over
    return {};
  }
  owner.release();  // the picture's cleanup owns it now
  return image;
}

FileBytes ReadWholeFile(QFile& file) {
  if (file.isSequential()) {  // no size to go by: read as it comes, then copy once
    const QByteArray all = file.readAll();
    FileBytes bytes{MemoryBlock(std::size_t(all.size())), std::size_t(all.size())};
    if (!bytes.block.empty()) {
      std::copy_n(all.constData(), all.size(), reinterpret_cast<char*>(bytes.block.data()));
    }
    return bytes.block.empty() ? FileBytes{} : std::move(bytes);
  }
  const qint64 size = file.size();
  if (size <= 0 || std::uint64_t(size) > SIZE_MAX) {
    return {};
  }
  FileBytes bytes{MemoryBlock(std::size_t(size)), 0};
  if (bytes.block.empty()) {
    return {};
  }
  // A file that grows meanwhile is read as far as its size was when it was opened.
  while (bytes.read < bytes.block.size()) {
    const qint64 got = file.read(reinterpret_cast<char*>(bytes.block.data() + bytes.read),
                                 qint64(bytes.block.size() - bytes.read));
    if (got <= 0) {
      break;
    }
    bytes.read += std::size_t(got);
  }
  return bytes;
}

MemoryBlock ZeroedBlock(std::size_t bytes) {
  MemoryBlock block(bytes, MemoryBlock::Reuse::FreshOnly);
  // A fresh mapping reads as zeros already; a kept one would hold what it held.
  if (!block.empty() && bytes < kMappedBlockBytes) {
    std::fill_n(block.data(), bytes, std::uint8_t{0});
  }
  return block;
}

QImage NewPicture(int width, int height, QImage::Format format) { return Picture(width, height, format, false); }

QImage ZeroedImage(int width, int height, QImage::Format format) { return Picture(width, height, format, true); }

}  // namespace Gdip
