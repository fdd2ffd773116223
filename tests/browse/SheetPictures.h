#pragma once
// Picture files for sheet tests, drawn in code: one flat colour each, so a probe of any
// pixel inside a thumbnail tells which file it shows.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include "support/TestFolder.h"

namespace SheetPictures {

// Writes a flat picture in the format the name's extension gives; returns its path.
inline QString Write(const TestSupport::TestFolder& folder, const QString& name, QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = folder.File(name);
  image.save(path);
  return path;
}

// Whether two colours are within `tolerance` per channel (JPEG and GIF shift them a little).
inline bool Near(QColor a, QColor b, int tolerance = 12) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace SheetPictures
