#include "platform/gdiplus/Codecs.h"

#include <array>

#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "platform/gdiplus/Bitmap.h"

namespace Gdip {

namespace {

const std::array<ImageCodecInfo, 5>& EncoderTable() {
  static const std::array<ImageCodecInfo, 5> table{{
      {QUuid(QStringLiteral("{557CF400-1A04-11D3-9A73-0000F81EF32E}")), QStringLiteral("BMP"), QStringLiteral("image/bmp"), QStringLiteral("*.BMP;*.DIB;*.RLE")},
      {QUuid(QStringLiteral("{557CF401-1A04-11D3-9A73-0000F81EF32E}")), QStringLiteral("JPEG"), QStringLiteral("image/jpeg"), QStringLiteral("*.JPG;*.JPEG;*.JPE;*.JFIF")},
      {QUuid(QStringLiteral("{557CF402-1A04-11D3-9A73-0000F81EF32E}")), QStringLiteral("GIF"), QStringLiteral("image/gif"), QStringLiteral("*.GIF")},
      {QUuid(QStringLiteral("{557CF405-1A04-11D3-9A73-0000F81EF32E}")), QStringLiteral("TIFF"), QStringLiteral("image/tiff"), QStringLiteral("*.TIF;*.TIFF")},
      {QUuid(QStringLiteral("{557CF406-1A04-11D3-9A73-0000F81EF32E}")), QStringLiteral("PNG"), QStringLiteral("image/png"), QStringLiteral("*.PNG")},
  }};
  return table;
}

const ImageCodecInfo* FindEncoder(const QUuid& clsid) {
  for (const auto& info : EncoderTable()) {
    if (info.Clsid == clsid) {
      return &info;
    }
  }
  return nullptr;
}

}  // namespace

std::span<const ImageCodecInfo> GetImageEncoders() { return EncoderTable(); }

bool CodecsAvailable() {
  const auto readers = QImageReader::supportedImageFormats();
  const auto writers = QImageWriter::supportedImageFormats();
  for (const char* format : {"jpeg", "png", "bmp", "gif", "tiff"}) {
    if (!readers.contains(format)) {
      return false;
    }
  }
  for (const char* format : {"jpeg", "png", "tiff"}) {
    if (!writers.contains(format)) {
      return false;
    }
  }
  return true;
}

std::unique_ptr<Bitmap> LoadImageFromFile(const QString& path) {
  QImageReader reader(path);
  reader.setAutoTransform(false);
  QImage image;
  if (!reader.read(&image)) {
    return nullptr;
  }
  const PixelFormat format = PixelFormatOf(image);
  return Bitmap::FromImage(std::move(image), format);
}

Status SaveImageToFile(const Bitmap& image, const QString& path, const QUuid& encoderClsid,
                       const EncoderParameters& parameters) {
  const ImageCodecInfo* encoder = FindEncoder(encoderClsid);
  if (encoder == nullptr || image.Image().isNull()) {
    return Status::InvalidParameter;
  }
  const QByteArray format = encoder->CodecName.toLower().toLatin1();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return Status::Win32Error;
  }
  QImageWriter writer(&file, format);
  if (parameters.Quality && format == "jpeg") {
    writer.setQuality(std::clamp(*parameters.Quality, 0, 100));
  }
  if (!writer.write(image.Image())) {
    file.cancelWriting();
    return Status::GenericError;
  }
  return file.commit() ? Status::Ok : Status::Win32Error;
}

}  // namespace Gdip
