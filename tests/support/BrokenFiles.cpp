#include "support/BrokenFiles.h"

#include <array>
#include <cstdint>

#include <QBuffer>
#include <QImage>

#include "support/TestFolder.h"

namespace TestSupport {

namespace {

std::uint32_t Crc32(const QByteArray& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : bytes) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

void AppendBigEndian(QByteArray& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.append(static_cast<char>((value >> shift) & 0xFF));
  }
}

void AppendChunk(QByteArray& png, const QByteArray& typeAndData) {
  AppendBigEndian(png, static_cast<std::uint32_t>(typeAndData.size() - 4));
  png.append(typeAndData);
  AppendBigEndian(png, Crc32(typeAndData));
}

}  // namespace

QByteArray CutShortPng() {
  QImage image(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y, qRgb(x * 4, y * 4, (x * y) & 0xFF));
    }
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.left(bytes.size() / 2);
}

QByteArray PngHeaderDeclaring(int width, int height) {
  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  QByteArray chunk("IHDR");
  AppendBigEndian(chunk, static_cast<std::uint32_t>(width));
  AppendBigEndian(chunk, static_cast<std::uint32_t>(height));
  chunk.append("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
  AppendChunk(png, chunk);
  // The start of the pixel data, where a reader stops looking at the header.
  AppendChunk(png, QByteArray("IDAT\x78\x01", 6));
  return png;
}

std::vector<BrokenFile> WriteBrokenFiles(const TestFolder& folder) {
  const std::array<std::pair<BrokenFile, QByteArray>, 4> files{{
      {{"a-empty.png", Gdip::LoadFailure::Empty}, QByteArray()},
      {{"b-cut.png", Gdip::LoadFailure::Damaged}, CutShortPng()},
      {{"c-text.png", Gdip::LoadFailure::NotAPicture}, QByteArray("Shopping list: bread, milk.\n")},
      {{"d-huge.png", Gdip::LoadFailure::TooLarge}, PngHeaderDeclaring(60000, 60000)},
  }};
  std::vector<BrokenFile> written;
  for (const auto& [file, bytes] : files) {
    folder.Write(file.Name, bytes);
    written.push_back(file);
  }
  return written;
}

}  // namespace TestSupport
