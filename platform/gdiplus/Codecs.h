#pragma once

#include <memory>
#include <optional>
#include <span>

#include <QSize>
#include <QString>
#include <QUuid>

#include "platform/gdiplus/GdipTypes.h"
#include "platform/gdiplus/PictureMemory.h"

class QIODevice;

namespace Gdip {

class Bitmap;

// One entry of the encoder table: the class id callers look up by MIME type.
struct ImageCodecInfo {
  QUuid Clsid;
  QString CodecName;
  QString MimeType;
  QString FilenameExtension;
};

// The image encoders in their fixed order: BMP, JPEG, GIF, TIFF, PNG.
std::span<const ImageCodecInfo> GetImageEncoders();
// The metafile writers (EMF, WMF), which store the picture as one bitmap record. They
// are not image encoders, so the list above does not name them.
std::span<const ImageCodecInfo> GetMetafileEncoders();

// The identifier of the JPEG quality parameter.
inline const QUuid EncoderQuality{QStringLiteral("{1D5BE4B5-FA4A-452D-9CDD-5DB35105E7EB}")};

struct EncoderParameters {
  std::optional<int> Quality;  // JPEG only; clamped to 0..100
};

// The zlib level of PNG writing. Undo snapshots are PNG files written on every edit, so
// speed wins over size: level 1 with the "sub" filter is many times faster than the
// default level and still stays well below the raw pixel size.
inline constexpr int kPngCompressionLevel = 1;

// Whether the readers and writers the program needs are present (the start-up check).
bool CodecsAvailable();

// Why a file gave no picture.
enum class LoadFailure { None, Missing, Unreadable, Empty, NotAPicture, Damaged, TooLarge };

// A decoded picture, or null with the reason there is none.
struct LoadResult {
  std::unique_ptr<Bitmap> Image;
  LoadFailure Failure = LoadFailure::None;
};

// The reason in words, to follow "This file could not be opened: ", and its short form
// for a line under a thumbnail. Empty for None.
QString FailureReason(LoadFailure failure);
QString FailureShortForm(LoadFailure failure);
// What the user is told: "This file could not be opened: <reason>."; empty for None.
QString CouldNotOpenText(LoadFailure failure);

// A whole image file read once, or why it could not be read (Missing, Unreadable, Empty).
struct FileRead {
  FileBytes Contents;
  LoadFailure Failure = LoadFailure::None;
};
FileRead ReadImageFile(const QString& path);

// Decodes an image file as LoadImageFromFile does and tells why when it cannot.
LoadResult LoadImageWithReason(const QString& path, QSize scaledSize = {});
// The same from a whole file's bytes in memory.
LoadResult LoadImageWithReason(std::span<const std::uint8_t> bytes, QSize scaledSize = {});

// The size of the picture in an image file, from its header (a metafile's from its frame),
// without decoding it and without unpacking a PNG's text; empty when the file gives none.
QSize PictureSize(const QString& path);
// The same from the file's bytes.
QSize PictureSize(std::span<const std::uint8_t> data);

// Decodes the first frame of an image file by its content, whatever its name says.
// With a valid scaledSize the picture comes back at that size, decoded at a reduced
// scale where the format allows. nullptr when the file is missing, empty, corrupt,
// truncated or of an unknown format.
std::unique_ptr<Bitmap> LoadImageFromFile(const QString& path, QSize scaledSize = {});
// The same from bytes in memory.
std::unique_ptr<Bitmap> LoadImageFromMemory(std::span<const std::uint8_t> data, QSize scaledSize = {});

// Encodes with the encoder of that class id onto a device.
Status EncodeImage(const Bitmap& image, QIODevice& device, const QUuid& encoderClsid,
                   const EncoderParameters& parameters = {});

// Encodes to a file. The file is written beside the target and renamed over it only
// when encoding succeeded, so a failure leaves an old file untouched.
Status SaveImageToFile(const Bitmap& image, const QString& path, const QUuid& encoderClsid,
                       const EncoderParameters& parameters = {});

}  // namespace Gdip
