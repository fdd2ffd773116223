#include "canvas/CanvasSave.h"

#include <array>

#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include "foundation/DIBsave.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/OntoWhite.h"

namespace CanvasSave {

namespace {

struct ExtensionFormat {
  const char* extension;
  SaveFormat format;
};

constexpr std::array<ExtensionFormat, 7> kInPlaceFormats{{
    {"bmp", {0, 90}},
    {"gif", {2, 90}},
    {"jpg", {1, 100}},
    {"jpeg", {1, 100}},
    {"png", {6, 90}},
    {"tif", {5, 90}},
    {"tiff", {5, 90}},
}};

bool SamePath(const QString& a, const QString& b) {
  return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The pixels a canvas of the picture's own format would hold, where they are at hand
// without drawing: the picture itself when it is stored as that canvas would be (24- and
// 32-bit opaque layouts hold the same colours), or flattened onto white for a format
// without alpha. Null when only drawing gives them (palette and 16-bit formats, a
// premultiplied canvas, an opaque picture for a canvas with alpha).
QImage PixelsAsStored(const Gdip::Bitmap& picture) {
  const QImage& image = picture.Image();
  const Gdip::PixelFormat format = picture.GetPixelFormat();
  const QImage::Format canvas = Gdip::StorageFormatFor(format);
  const auto opaqueLayout = [](QImage::Format f) { return f == QImage::Format_RGB32 || f == QImage::Format_RGB888; };
  if (Gdip::IsIndexedPixelFormat(format)) {
    return {};
  }
  if (opaqueLayout(canvas)) {
    if (image.hasAlphaChannel()) {
      return Gdip::OntoWhite(image);
    }
    return opaqueLayout(image.format()) ? image : QImage();
  }
  return canvas == QImage::Format_ARGB32 && image.format() == QImage::Format_ARGB32 ? image : QImage();
}

// The picture drawn at full size into a fresh canvas of its own pixel format. A format
// without alpha cannot hold what an edit made transparent: it is kept as it looks on
// white, not with its hidden colours.
bool DrawIntoCanvas(const Gdip::Bitmap& picture, DIBsave& canvas) {
  canvas.CreateBlankMemory(picture.Height(), picture.Width(), &picture, true, 0, false);
  if (!canvas.MemGraphics) {
    return false;
  }
  QPainter& painter = canvas.MemGraphics->Painter();
  if (!canvas.new_Img->Image().hasAlphaChannel() && picture.Image().hasAlphaChannel()) {
    painter.drawImage(QPointF(0, 0), Gdip::OntoWhite(picture.Image()));
  } else {
    // Copied as it is, alpha included, rather than blended onto the blank canvas.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.MemGraphics->DrawImage(picture, QRectF(0, 0, picture.Width(), picture.Height()));
  }
  canvas.MemGraphics.reset();  // the drawing must reach the pixels before they are encoded
  return true;
}

}  // namespace

std::optional<SaveFormat> FormatForExtension(const QString& extension) {
  for (const auto& entry : kInPlaceFormats) {
    if (extension == QLatin1String(entry.extension)) {
      return entry.format;
    }
  }
  return std::nullopt;
}

bool WritePicture(const Gdip::Bitmap& picture, const QString& Filename, int Types, int Quality) {
  DIBsave canvas;
  if (QImage pixels = PixelsAsStored(picture); !pixels.isNull()) {
    canvas.new_Img = Gdip::Bitmap::FromImage(std::move(pixels), picture.GetPixelFormat());
    if (canvas.new_Img && Gdip::IsIndexedPixelFormat(picture.GetPixelFormat())) {
      canvas.new_Img->SetSourcePalette(picture.SourcePalette());
    }
  } else if (!DrawIntoCanvas(picture, canvas)) {
    return false;
  }
  return canvas.Save(Filename, Types, Quality);
}

bool IsScratchFile(const QString& path, const QString& deleteCopy) {
  return SamePath(path, ModPublic::ProgramFolder() + QStringLiteral("Tempnewimage.png")) || SamePath(path, deleteCopy);
}

DeleteOutcome DeleteFile(const QString& path, const QString& scratchCopy) {
  if (path.isEmpty() || !QFileInfo(path).isFile()) {
    return DeleteOutcome::Vanished;
  }
  QFile::remove(scratchCopy);
  // Without a copy the picture would lose its file; the delete does not go ahead.
  if (!QFile::copy(path, scratchCopy)) {
    return DeleteOutcome::Kept;
  }
  if (!ModPublic::RecycleFile(path) || QFileInfo::exists(path)) {
    QFile::remove(scratchCopy);
    return DeleteOutcome::Kept;
  }
  return DeleteOutcome::Trashed;
}

}  // namespace CanvasSave
