#pragma once

#include <memory>
#include <optional>
#include <span>

#include <QString>
#include <QUuid>

#include "platform/gdiplus/GdipTypes.h"

namespace Gdip {

class Bitmap;

// One entry of the encoder table: the class id callers look up by MIME type.
struct ImageCodecInfo {
  QUuid Clsid;
  QString CodecName;
  QString MimeType;
  QString FilenameExtension;
};

// The encoders in their fixed order: BMP, JPEG, GIF, TIFF, PNG.
std::span<const ImageCodecInfo> GetImageEncoders();

// The identifier of the JPEG quality parameter.
inline const QUuid EncoderQuality{QStringLiteral("{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}")};

struct EncoderParameters {
  std::optional<int> Quality;  // 0..100, JPEG only
};

// Whether the readers and writers the program needs are present (the start-up check).
bool CodecsAvailable();

// Decodes the first frame of an image file by its content; nullptr when it cannot be read.
std::unique_ptr<Bitmap> LoadImageFromFile(const QString& path);

// Encodes with the encoder of that class id. The file is written beside the target and
// renamed over it only when encoding succeeded, so a failure leaves an old file untouched.
Status SaveImageToFile(const Bitmap& image, const QString& path, const QUuid& encoderClsid,
                       const EncoderParameters& parameters = {});

}  // namespace Gdip
