#pragma once
// Pictures and papers for the print tests: flat colours, so a pixel of a sheet or of a
// printed page tells which picture lands there.

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include "support/TestFolder.h"
#include "windows/PrintComposer.h"

namespace PrintTests {

// Letter paper (8.5 x 11 inches) in twips.
inline PrintComposition::PaperFacts LetterPortrait() { return {12240, 15840, false}; }
inline PrintComposition::PaperFacts LetterLandscape() { return {15840, 12240, true}; }

// A flat picture saved as PNG in the folder; returns its path.
inline QString WriteFlat(const TestSupport::TestFolder& folder, const QString& name, QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = folder.File(name);
  image.save(path, "PNG");
  return path;
}

// The colour of picture i of a test set: distinct, far from white and from each other.
inline QColor Distinct(int i) { return QColor::fromHsv((i * 37) % 360, 255, 120 + (i * 53) % 120); }

// Three large flat pictures: red, green, blue.
inline QStringList ThreeFlat(const TestSupport::TestFolder& folder) {
  return {WriteFlat(folder, "a.png", {600, 800}, Qt::red), WriteFlat(folder, "b.png", {600, 800}, Qt::green),
          WriteFlat(folder, "c.png", {600, 800}, Qt::blue)};
}

inline bool Near(QColor a, QColor b, int tolerance = 12) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

}  // namespace PrintTests
