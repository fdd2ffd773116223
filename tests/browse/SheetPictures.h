#pragma once
// Picture files for sheet tests, drawn in code: one flat colour each, so a probe of any
// pixel inside a thumbnail tells which file it shows.

#include <cstdlib>

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QSize>
#include <QString>

#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "support/TestFolder.h"

namespace SheetPictures {

// Writes a flat picture with the program's own encoder for the name's extension (any
// of the image formats, or a metafile); returns its path.
inline QString Write(const TestSupport::TestFolder& folder, const QString& name, QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = folder.File(name);
  const QString pattern = "*." + QFileInfo(name).suffix().toUpper();
  const auto bitmap = Gdip::Bitmap::FromImage(image, Gdip::PixelFormat32bppRGB);
  for (const auto& list : {Gdip::GetImageEncoders(), Gdip::GetMetafileEncoders()}) {
    for (const Gdip::ImageCodecInfo& encoder : list) {
      if (encoder.FilenameExtension.split(';').contains(pattern)) {
        Gdip::SaveImageToFile(*bitmap, path, encoder.Clsid);
        return path;
      }
    }
  }
  return path;
}

// Whether two colours are within `tolerance` per channel (JPEG and GIF shift them a little).
inline bool Near(QColor a, QColor b, int tolerance = 12) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace SheetPictures
