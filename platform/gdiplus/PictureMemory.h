#pragma once
// Memory for whole pictures and the files they come from. A fresh block is paid for on
// its first touch, page by page: on virtual machines a 4 KB fault costs more than
// decoding the pixels that fill it. Large blocks therefore get a mapping of their own,
// aligned and marked so that the system backs it with 2 MB pages where it allows them (a
// 24-megapixel picture then faults 48 times instead of 24,000), and go back to the
// system when they are let go, but for the last few, kept for the next picture of
// their size.

#include <cstddef>
#include <cstdint>
#include <span>

#include <QImage>

class QFile;

namespace Gdip {

// Blocks from this many bytes get a mapping of their own; smaller ones come from the heap.
inline constexpr std::size_t kMappedBlockBytes = std::size_t{1} << 20;

// A block of bytes whose contents are unset until written; empty when the memory is not
// there. Moves, never copies. A large block let go is kept a while for the next block of
// its size (see PictureMemory.cpp), unless it is asked for fresh, zeroed pages.
class MemoryBlock {
 public:
  enum class Reuse { Kept, FreshOnly };

  MemoryBlock() = default;
  explicit MemoryBlock(std::size_t bytes, Reuse reuse = Reuse::Kept);
  ~MemoryBlock();
  MemoryBlock(MemoryBlock&& other) noexcept;
  MemoryBlock& operator=(MemoryBlock&& other) noexcept;
  MemoryBlock(const MemoryBlock&) = delete;
  MemoryBlock& operator=(const MemoryBlock&) = delete;

  std::uint8_t* data() const { return m_data; }
  std::size_t size() const { return m_size; }
  bool empty() const { return m_data == nullptr; }
  // The first `bytes` (at most the whole block).
  std::span<const std::uint8_t> first(std::size_t bytes) const { return {m_data, std::min(bytes, m_size)}; }

  // A picture over the whole block, which then owns it. Null (and the block kept) when
  // the block is too small for that size and stride.
  QImage IntoPicture(int width, int height, qsizetype stride, QImage::Format format) &&;

 private:
  void Release();

  std::uint8_t* m_data = nullptr;
  std::size_t m_size = 0;
  std::size_t m_mappedLength = 0;  // 0 for a heap block
};

// A block whose bytes are all zero; a large one costs no work until it is written.
MemoryBlock ZeroedBlock(std::size_t bytes);

// A whole open file read into one block; `read` is the number of bytes it gave, which is
// less than the block when the file shrank meanwhile. Empty when it could not be read.
struct FileBytes {
  MemoryBlock block;
  std::size_t read = 0;
  std::span<const std::uint8_t> Bytes() const { return block.first(read); }
};
FileBytes ReadWholeFile(QFile& file);

// A picture whose pixels its caller writes in full before anything reads them (a decoder,
// a transform). Null when the memory is not there.
QImage NewPicture(int width, int height, QImage::Format format);

// A picture whose bytes are all zero (palette index 0, or transparent black), null when
// the memory is not there. For a picture that may be left partly unwritten: a large one
// costs no work until it is drawn on.
QImage ZeroedImage(int width, int height, QImage::Format format);

}  // namespace Gdip
