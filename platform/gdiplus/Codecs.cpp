#include "platform/gdiplus/Codecs.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include "platform/gdiplus/AtomicFile.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/IndexedPicture.h"
#include "platform/gdiplus/JpegDecoder.h"
#include "platform/gdiplus/JpegEncoder.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/MetafileReader.h"
#include "platform/gdiplus/MetafileWriter.h"
#include "platform/gdiplus/OntoWhite.h"
#include "platform/gdiplus/PictureMemory.h"
#include "platform/gdiplus/PngBands.h"
#include "platform/gdiplus/PngReader.h"
#include "platform/gdiplus/PngWriter.h"
#include "platform/gdiplus/ReducedRows.h"
#include "platform/gdiplus/TiffCodec.h"

namespace Gdip {

namespace {

// Qt refuses to decode pictures above 256 MB by default; a 100-megapixel photograph
// needs 400 MB as 32-bit pixels, and 16-bit pictures twice that.
constexpr int kDecodeAllocationLimitMb = 2048;

// The quality of a JPEG save that names none.
constexpr int kDefaultJpegQuality = 75;

// What an encoder gets: the pixels, and their palette form when the picture came from
// an indexed source and still fits its depth (BMP, PNG and TIFF then write it indexed).
struct EncodeInput {
  const QImage& Image;
  const std::optional<IndexedPicture>& Indexed;
  const EncoderParameters& Parameters;
};

using EncodeFunction = bool (*)(const EncodeInput&, QIODevice&);

bool WriteAll(QIODevice& device, const QByteArray& bytes) {
  return !bytes.isEmpty() && device.write(bytes) == bytes.size();
}

// BMP and TIFF palettes have no alpha: a picture with transparent pixels keeps 32 bits.
const IndexedPicture* OpaqueIndexed(const EncodeInput& input) {
  return input.Indexed && !input.Indexed->HasTransparency() ? &*input.Indexed : nullptr;
}

bool EncodeBmp(const EncodeInput& input, QIODevice& device) {
  const IndexedPicture* indexed = OpaqueIndexed(input);
  return indexed != nullptr ? WriteAll(device, BmpCodec::EncodeIndexed(*indexed)) : BmpCodec::WriteBmp(input.Image, device);
}

bool EncodeJpeg(const EncodeInput& input, QIODevice& device) {
  // JPEG has no alpha: translucent pixels are written as they look on white, and an
  // opaque picture goes to the encoder as it is stored.
  const QImage& image = input.Image;
  const QImage pixels = AlphaOf(image).Opaque() ? image : OntoWhite(image);
  return JpegEncoder::Encode(pixels, input.Parameters.Quality.value_or(kDefaultJpegQuality), device);
}

bool EncodeGif(const EncodeInput& input, QIODevice& device) { return WriteAll(device, GifCodec::Encode(input.Image)); }

bool EncodeTiff(const EncodeInput& input, QIODevice& device) {
  const IndexedPicture* indexed = OpaqueIndexed(input);
  return indexed != nullptr ? TiffCodec::EncodeIndexed(*indexed, device) : TiffCodec::Encode(input.Image, device);
}

bool EncodePng(const EncodeInput& input, QIODevice& device) {
  return WriteAll(device, input.Indexed ? PngWriter::EncodeIndexed(*input.Indexed, kPngCompressionLevel)
                                        : PngWriter::Encode(input.Image, kPngCompressionLevel));
}

bool EncodeEmf(const EncodeInput& input, QIODevice& device) {
  return WriteAll(device, MetafileWriter::EncodeEmf(input.Image));
}

bool EncodeWmf(const EncodeInput& input, QIODevice& device) {
  return WriteAll(device, MetafileWriter::EncodeWmf(input.Image));
}

struct Encoder {
  ImageCodecInfo Info;
  EncodeFunction Encode;
  bool KeepsPalettes = false;  // writes indexed sources back at their depth
};

QUuid Id(const char* text) { return QUuid(QString::fromLatin1(text)); }

const std::array<Encoder, 7>& EncoderTable() {
  static const std::array<Encoder, 7> table{{
      {{Id("{557CF400-1A04-11D3-9A73-0000F81EF32E}"), "BMP", "image/bmp", "*.BMP;*.DIB;*.RLE"}, EncodeBmp, true},
      {{Id("{557CF401-1A04-11D3-9A73-0000F81EF32E}"), "JPEG", "image/jpeg", "*.JPG;*.JPEG;*.JPE;*.JFIF"}, EncodeJpeg},
      {{Id("{557CF402-1A04-11D3-9A73-0000F81EF32E}"), "GIF", "image/gif", "*.GIF"}, EncodeGif},
      {{Id("{557CF405-1A04-11D3-9A73-0000F81EF32E}"), "TIFF", "image/tiff", "*.TIF;*.TIFF"}, EncodeTiff, true},
      {{Id("{557CF406-1A04-11D3-9A73-0000F81EF32E}"), "PNG", "image/png", "*.PNG"}, EncodePng, true},
      {{Id("{557CF403-1A04-11D3-9A73-0000F81EF32E}"), "EMF", "image/x-emf", "*.EMF"}, EncodeEmf},
      {{Id("{557CF404-1A04-11D3-9A73-0000F81EF32E}"), "WMF", "image/x-wmf", "*.WMF"}, EncodeWmf},
  }};
  return table;
}

constexpr std::size_t kImageEncoderCount = 5;  // the metafile writers follow them

const std::array<ImageCodecInfo, 7>& EncoderInfos() {
  static const std::array<ImageCodecInfo, 7> infos = [] {
    std::array<ImageCodecInfo, 7> out;
    std::transform(EncoderTable().begin(), EncoderTable().end(), out.begin(), [](const Encoder& e) { return e.Info; });
    return out;
  }();
  return infos;
}

const Encoder* FindEncoder(const QUuid& clsid) {
  const auto& table = EncoderTable();
  const auto it = std::find_if(table.begin(), table.end(), [&](const Encoder& e) { return e.Info.Clsid == clsid; });
  return it == table.end() ? nullptr : &*it;
}

// A palette picture's indexes may reach past the colour table its file holds; every
// index then draws opaque black instead of reading past the table.
QImage WithFullColourTable(QImage image) {
  QList<QRgb> table = image.colorTable();
  if (table.size() < 256) {
    table.resize(256, qRgb(0, 0, 0));
    image.setColorTable(table);
  }
  return image;
}

// The program works on 32-bit pixels and on 8-bit palettes (which keep an indexed
// source's format for re-encoding); other layouts Qt decodes to are converted once here.
QImage NormalisedStorage(QImage image) {
  switch (image.format()) {
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32:
      return image;
    case QImage::Format_Indexed8:
      return WithFullColourTable(std::move(image));
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
      return WithFullColourTable(image.convertToFormat(QImage::Format_Indexed8));
    default:
      return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  }
}

// A reduction row by row through the box filter: a palette picture is looked up one row
// at a time instead of being copied whole to 32 bits, and nothing of the full size is
// made. Each thumbnail pixel is the mean of the pixels it covers, as a smooth scale gives.
QImage Shrunk(const QImage& image, QSize size) {
  const QImage::Format format = image.format();
  const bool indexed = format == QImage::Format_Indexed8;
  const QImage source = indexed || format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
                            ? image
                            : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                            : QImage::Format_RGB32);
  std::array<QRgb, 256> table;
  table.fill(qRgb(0, 0, 0));
  const QList<QRgb> colours = indexed ? source.colorTable() : QList<QRgb>();
  std::copy_n(colours.begin(), std::min<qsizetype>(colours.size(), 256), table.begin());
  const bool alpha = indexed ? std::any_of(table.begin(), table.end(), [](QRgb c) { return qAlpha(c) != 255; })
                             : source.hasAlphaChannel();
  ReducedRows rows(source.size(), size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (source.isNull() || !rows.Ok()) {
    return {};
  }
  for (int y = 0; y < source.height(); ++y) {
    QRgb* out = rows.Row(y);
    const uchar* in = source.constScanLine(y);
    if (indexed) {
      for (int x = 0; x < source.width(); ++x) {
        out[x] = table[in[x]];
      }
    } else {
      std::memcpy(out, in, std::size_t(source.width()) * sizeof(QRgb));
    }
    rows.Finish(y);
  }
  return rows.Take();
}

QImage ScaledTo(QImage image, QSize size) {
  if (image.isNull() || !size.isValid() || size.isEmpty() || image.size() == size) {
    return image;
  }
  if (size.width() <= image.width() && size.height() <= image.height()) {
    return Shrunk(image, size);
  }
  return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void RaiseDecodeAllocationLimit() {
  static const bool raised = [] {
    QImageReader::setAllocationLimit(kDecodeAllocationLimitMb);
    return true;
  }();
  (void)raised;
}

QImage DecodeWithQt(std::span<const std::uint8_t> data, QSize scaledSize) {
  const std::optional<QByteArray> withoutText = PngReader::WithoutCompressedText(data);
  QByteArray bytes = withoutText ? *withoutText
                                 : QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);
  QImage image;
  if (PngReader::IsInterlacedOneBit(data)) {
    // Qt's reader keeps a picture of its size and format that it is handed.
    const QSize size = PngReader::HeaderSize(data);
    image = ZeroedImage(size.width(), size.height(), QImage::Format_Mono);
  } else if (scaledSize.isValid() && !scaledSize.isEmpty()) {
    reader.setScaledSize(scaledSize);
  }
  if (!reader.read(&image)) {
    return {};
  }
  return ScaledTo(std::move(image), scaledSize);
}

bool LooksLikeTiffHeader(std::span<const std::uint8_t> data) {
  return data.size() >= 4 && ((data[0] == 'I' && data[1] == 'I' && data[2] == 42 && data[3] == 0) ||
                              (data[0] == 'M' && data[1] == 'M' && data[2] == 0 && data[3] == 42));
}

bool LooksLikeGif(std::span<const std::uint8_t> data) {
  return data.size() >= 6 && std::equal(data.begin(), data.begin() + 3, "GIF");
}

// A decoded picture and the pixel format to report for it. GIF and JPEG pictures are
// held as 8-bit palette and 32-bit pixels, but report their own formats so that an
// export canvas re-encodes them as what they were.
struct Decoded {
  QImage Image;
  PixelFormat Format = PixelFormatUndefined;
};

// Palette pictures are held as 8-bit indexes whatever their depth; a BMP, PNG or TIFF
// source of 1, 2 or 4 bits reports its own depth so that a save writes it back at that depth.
PixelFormat IndexedSourceFormat(std::span<const std::uint8_t> data, PixelFormat decoded) {
  if (!IsIndexedPixelFormat(decoded)) {
    return decoded;
  }
  const LeReader in(data);
  int bits = 0;
  if (in.U8(0) == 'B' && in.U8(1) == 'M') {
    bits = in.U32(14) == 12 ? in.U16(24) : in.U16(28);
  } else if (in.U8(1) == 'P' && in.U8(2) == 'N' && in.U8(25) == 3) {
    bits = in.U8(24);
  } else if (LooksLikeTiffHeader(data)) {
    bits = TiffCodec::PaletteBits(data);
  }
  switch (bits) {
    case 1:
      return PixelFormat1bppIndexed;
    case 2:
    case 4:
      return PixelFormat4bppIndexed;
    default:
      return decoded;
  }
}

Decoded Decode(std::span<const std::uint8_t> data, QSize scaledSize) {
  if (LooksLikeGif(data)) {
    return {ScaledTo(GifCodec::Decode(data), scaledSize), PixelFormat8bppIndexed};
  }
  if (JpegDecoder::LooksLikeJpeg(data)) {
    // A reduced copy is shrunk to its size after the decode in any case.
    const auto purpose = scaledSize.isValid() ? JpegDecoder::Purpose::Thumbnail : JpegDecoder::Purpose::Picture;
    return {JpegDecoder::Decode(data, scaledSize, purpose), PixelFormat24bppRGB};
  }
  QImage image;
  if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') {
    image = ScaledTo(BmpCodec::DecodeBmp(data, scaledSize), scaledSize);
  } else if (PngReader::IsDeepWithTransparentColour(data)) {
    image = ScaledTo(PngReader::DecodeDeepWithTransparentColour(data), scaledSize);
  } else if (MetafileReader::LooksLikeEmf(data) || MetafileReader::LooksLikeWmf(data)) {
    image = ScaledTo(MetafileReader::Read(data, nullptr, scaledSize), scaledSize);
  } else if (auto ownTiff = LooksLikeTiffHeader(data) ? TiffCodec::Decode(data, scaledSize) : std::nullopt) {
    image = ScaledTo(std::move(*ownTiff), scaledSize);
  } else if (QImage banded = PngBands::Decode(data); !banded.isNull()) {
    image = ScaledTo(std::move(banded), scaledSize);
  } else {
    image = DecodeWithQt(data, scaledSize);
  }
  const PixelFormat format = IndexedSourceFormat(data, PixelFormatOf(image));
  return {std::move(image), format};
}

bool LooksLikeAnOwnFormat(std::span<const std::uint8_t> data) {
  return LooksLikeGif(data) || JpegDecoder::LooksLikeJpeg(data) || (data.size() >= 2 && data[0] == 'B' && data[1] == 'M') ||
         MetafileReader::LooksLikeEmf(data) || MetafileReader::LooksLikeWmf(data) || LooksLikeTiffHeader(data);
}

// Why bytes that decoded to nothing did: a header naming a picture too large to hold,
// a format nobody here reads, or else a damaged or cut-short file.
LoadFailure WhyNotDecoded(std::span<const std::uint8_t> data) {
  if (MetafileReader::LooksLikeEmf(data) || MetafileReader::LooksLikeWmf(data)) {
    MetafileReader::Refusal why = MetafileReader::Refusal::Damaged;
    MetafileReader::Read(data, &why);
    return why == MetafileReader::Refusal::TooLarge     ? LoadFailure::TooLarge
           : why == MetafileReader::Refusal::Unplayable ? LoadFailure::NotAPicture
                                                        : LoadFailure::Damaged;
  }
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  if (!LooksLikeAnOwnFormat(data) && QImageReader::imageFormat(&buffer).isEmpty()) {
    return LoadFailure::NotAPicture;
  }
  buffer.seek(0);
  const QSize declared = QImageReader(&buffer).size();
  constexpr std::int64_t kLimitBytes = std::int64_t{kDecodeAllocationLimitMb} << 20;
  if (declared.isValid() && std::int64_t{declared.width()} * declared.height() * 4 > kLimitBytes) {
    return LoadFailure::TooLarge;
  }
  return LoadFailure::Damaged;
}

LoadResult FromDecoded(Decoded decoded) {
  auto image = Bitmap::FromImage(NormalisedStorage(std::move(decoded.Image)), decoded.Format);
  // A holder is refused only for a picture larger than memory can address.
  const LoadFailure failure = image ? LoadFailure::None : LoadFailure::TooLarge;
  return {std::move(image), failure};
}

}  // namespace

QString FailureReason(LoadFailure failure) {
  switch (failure) {
    case LoadFailure::None: return {};
    case LoadFailure::Missing: return QStringLiteral("it no longer exists");
    case LoadFailure::Unreadable: return QStringLiteral("it could not be read");
    case LoadFailure::Empty: return QStringLiteral("it is empty");
    case LoadFailure::NotAPicture: return QStringLiteral("it is not a picture this program reads");
    case LoadFailure::Damaged: return QStringLiteral("it is damaged or cut short");
    case LoadFailure::TooLarge: return QStringLiteral("it is too large");
  }
  return {};
}

QString CouldNotOpenText(LoadFailure failure) {
  const QString reason = FailureReason(failure);
  return reason.isEmpty() ? QString() : QStringLiteral("This file could not be opened: %1.").arg(reason);
}

QString FailureShortForm(LoadFailure failure) {
  switch (failure) {
    case LoadFailure::None: return {};
    case LoadFailure::Missing: return QStringLiteral("missing");
    case LoadFailure::Unreadable: return QStringLiteral("unreadable");
    case LoadFailure::Empty: return QStringLiteral("empty");
    case LoadFailure::NotAPicture: return QStringLiteral("not a picture");
    case LoadFailure::Damaged: return QStringLiteral("damaged");
    case LoadFailure::TooLarge: return QStringLiteral("too large");
  }
  return {};
}

std::span<const ImageCodecInfo> GetImageEncoders() {
  return std::span<const ImageCodecInfo>(EncoderInfos()).first(kImageEncoderCount);
}

std::span<const ImageCodecInfo> GetMetafileEncoders() {
  return std::span<const ImageCodecInfo>(EncoderInfos()).subspan(kImageEncoderCount);
}

bool CodecsAvailable() {
  const auto readers = QImageReader::supportedImageFormats();
  // JPEG, GIF, BMP, metafiles and every writer are our own.
  return readers.contains("png") && readers.contains("tiff") && readers.contains("bmp");
}

std::unique_ptr<Bitmap> LoadImageFromMemory(std::span<const std::uint8_t> data, QSize scaledSize) {
  RaiseDecodeAllocationLimit();
  Decoded decoded = Decode(data, scaledSize);
  return decoded.Image.isNull() ? nullptr : FromDecoded(std::move(decoded)).Image;
}

FileRead ReadImageFile(const QString& path) {
  // Read rather than mapped: a mapped file that another program shortens while we
  // decode would end the process with a bus error.
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {{}, QFile::exists(path) ? LoadFailure::Unreadable : LoadFailure::Missing};
  }
  // A photograph's file is megabytes read once: it comes in huge pages like the picture.
  FileRead read{ReadWholeFile(file)};
  if (read.Contents.Bytes().empty()) {
    read.Failure = file.error() == QFileDevice::NoError ? LoadFailure::Empty : LoadFailure::Unreadable;
  }
  return read;
}

LoadResult LoadImageWithReason(const QString& path, QSize scaledSize) {
  const FileRead read = ReadImageFile(path);
  if (read.Failure != LoadFailure::None) {
    return {nullptr, read.Failure};
  }
  return LoadImageWithReason(read.Contents.Bytes(), scaledSize);
}

LoadResult LoadImageWithReason(std::span<const std::uint8_t> bytes, QSize scaledSize) {
  if (bytes.empty()) {
    return {nullptr, LoadFailure::Empty};
  }
  RaiseDecodeAllocationLimit();
  Decoded decoded = Decode(bytes, scaledSize);
  if (decoded.Image.isNull()) {
    return {nullptr, WhyNotDecoded(bytes)};
  }
  return FromDecoded(std::move(decoded));
}

QSize PictureSize(std::span<const std::uint8_t> data) {
  if (MetafileReader::LooksLikeEmf(data) || MetafileReader::LooksLikeWmf(data)) {
    return MetafileReader::PictureSize(data);
  }
  if (const QSize png = PngReader::HeaderSize(data); png.isValid()) {
    return png;
  }
  if (const QSize bmp = BmpCodec::PictureSize(data); bmp.isValid()) {
    return bmp;
  }
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  return QImageReader(&buffer).size();
}

QSize PictureSize(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  constexpr qint64 kSignatureBytes = 64;
  const QByteArray head = file.read(kSignatureBytes);
  if (MetafileReader::LooksLikeEmf(AsBytes(head)) || MetafileReader::LooksLikeWmf(AsBytes(head))) {
    // An old-style metafile without a frame is sized by what its records draw.
    return PictureSize(AsBytes(head + file.readAll()));
  }
  if (const QSize png = PngReader::HeaderSize(AsBytes(head)); png.isValid()) {
    return png;
  }
  if (const QSize bmp = BmpCodec::PictureSize(AsBytes(head)); bmp.isValid()) {
    return bmp;
  }
  // Other readers may seek anywhere (a TIFF's directory often follows its pixels).
  file.seek(0);
  return QImageReader(&file).size();
}

std::unique_ptr<Bitmap> LoadImageFromFile(const QString& path, QSize scaledSize) {
  return LoadImageWithReason(path, scaledSize).Image;
}

Status EncodeImage(const Bitmap& image, QIODevice& device, const QUuid& encoderClsid,
                   const EncoderParameters& parameters) {
  const Encoder* encoder = FindEncoder(encoderClsid);
  if (encoder == nullptr || image.Image().isNull()) {
    return Status::InvalidParameter;
  }
  const PixelFormat format = image.GetPixelFormat();
  const std::optional<IndexedPicture> indexed =
      IsIndexedPixelFormat(format) && encoder->KeepsPalettes
          ? ReduceToPalette(image.Image(), GetPixelFormatSize(format), image.SourcePalette())
          : std::nullopt;
  return encoder->Encode({image.Image(), indexed, parameters}, device) ? Status::Ok : Status::GenericError;
}

Status SaveImageToFile(const Bitmap& image, const QString& path, const QUuid& encoderClsid,
                       const EncoderParameters& parameters) {
  if (FindEncoder(encoderClsid) == nullptr || image.Image().isNull()) {
    return Status::InvalidParameter;
  }
  Status status = Status::Ok;
  const bool written = WriteFileAtomically(path, [&](QIODevice& device) {
    status = EncodeImage(image, device, encoderClsid, parameters);
    return status == Status::Ok;
  });
  return written ? Status::Ok : (status == Status::Ok ? Status::Win32Error : status);
}

}  // namespace Gdip
