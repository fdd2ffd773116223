#include "platform/gdiplus/PngReader.h"

#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

#include "platform/gdiplus/PngBytes.h"

namespace Gdip::PngReader {

namespace {

using PngBytes::kSignature;
using PngBytes::ReadBigEndian32;

struct MemoryInput {
  std::span<const std::uint8_t> data;
  std::size_t position = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (length > input->data.size() - input->position) {
    png_error(png, "cut short");
  }
  std::memcpy(out, input->data.data() + input->position, length);
  input->position += length;
}

constexpr std::size_t kIhdrEnd = 8 + 8 + 13 + 4;  // the signature and the header chunk

bool HasHeaderChunk(std::span<const std::uint8_t> data) {
  return data.size() >= kIhdrEnd && std::memcmp(data.data(), kSignature, 8) == 0 &&
         std::memcmp(data.data() + 12, "IHDR", 4) == 0;
}

bool IsCompressedText(const std::uint8_t* type) {
  return std::memcmp(type, "zTXt", 4) == 0 || std::memcmp(type, "iTXt", 4) == 0;
}

// libpng prints its errors and warnings on stderr by default; a failed read is answer
// enough, and an error must not return to libpng.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Everything between png_create_read_struct and png_destroy_read_struct that the error
// jump may skip holds no object with a destructor.
bool DecodeInto(png_structp png, png_infop info, QImage& image, std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png)) != 0) {
    return false;
  }
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (std::uint64_t{width} * height * 4 >= (std::uint64_t{1} << 31)) {
    return false;
  }
  png_set_scale_16(png);
  png_set_tRNS_to_alpha(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != std::size_t(width) * 4) {
    return false;
  }
  image = QImage(int(width), int(height), QImage::Format_ARGB32);
  if (image.isNull()) {
    return false;
  }
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = image.scanLine(int(y));
  }
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool IsDeepWithTransparentColour(std::span<const std::uint8_t> data) {
  if (!HasHeaderChunk(data)) {
    return false;
  }
  const std::uint8_t depth = data[24];
  const std::uint8_t colourType = data[25];
  if (depth != 16 || (colourType != 0 && colourType != 2)) {
    return false;
  }
  // tRNS comes before the first IDAT chunk.
  for (std::size_t at = kIhdrEnd; at + 8 <= data.size();) {
    const std::uint32_t length = ReadBigEndian32(data.data() + at);
    const std::uint8_t* type = data.data() + at + 4;
    if (std::memcmp(type, "tRNS", 4) == 0) {
      return true;
    }
    if (std::memcmp(type, "IDAT", 4) == 0 || length > data.size() - at - 8) {
      return false;
    }
    at += std::size_t(length) + 12;
  }
  return false;
}

QImage DecodeDeepWithTransparentColour(std::span<const std::uint8_t> data) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return {};
  }
  MemoryInput input{data};
  png_set_read_fn(png, &input, ReadFromMemory);
  QImage image;
  std::vector<png_bytep> rows;
  const bool ok = DecodeInto(png, info, image, rows);
  png_destroy_read_struct(&png, &info, nullptr);
  return ok ? image : QImage();
}

std::optional<QByteArray> WithoutCompressedText(std::span<const std::uint8_t> data) {
  if (!HasHeaderChunk(data)) {
    return std::nullopt;
  }
  QByteArray kept;
  bool dropped = false;
  std::size_t copiedTo = 0;  // chunks before this offset are already in `kept`
  std::size_t at = 8;
  while (at + 12 <= data.size()) {
    const std::size_t length = ReadBigEndian32(data.data() + at);
    if (length > data.size() - at - 12) {
      break;  // a cut-short chunk: the reader gets it as it is
    }
    const std::size_t next = at + length + 12;
    if (IsCompressedText(data.data() + at + 4)) {
      kept.append(reinterpret_cast<const char*>(data.data() + copiedTo), qsizetype(at - copiedTo));
      copiedTo = next;
      dropped = true;
    }
    at = next;
  }
  if (!dropped) {
    return std::nullopt;
  }
  kept.append(reinterpret_cast<const char*>(data.data() + copiedTo), qsizetype(data.size() - copiedTo));
  return kept;
}

bool IsInterlacedOneBit(std::span<const std::uint8_t> data) {
  return HasHeaderChunk(data) && data[24] == 1 && data[28] == 1;
}

QSize HeaderSize(std::span<const std::uint8_t> data) {
  if (!HasHeaderChunk(data)) {
    return {};
  }
  const std::uint32_t width = ReadBigEndian32(data.data() + 16);
  const std::uint32_t height = ReadBigEndian32(data.data() + 20);
  constexpr std::uint32_t kMostPng = 0x7FFFFFFF;
  return width == 0 || height == 0 || width > kMostPng || height > kMostPng ? QSize() : QSize(int(width), int(height));
}

}  // namespace Gdip::PngReader
