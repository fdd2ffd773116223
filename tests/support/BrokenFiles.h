#pragma once
// Files that give no picture, one of each kind a user meets in a real folder, with the
// reason the imaging layer gives for each.

#include <vector>

#include <QByteArray>
#include <QString>

#include "platform/gdiplus/Codecs.h"

namespace TestSupport {

class TestFolder;

struct BrokenFile {
  QString Name;
  Gdip::LoadFailure Failure;
};

// A small PNG cut off in the middle of its pixel data.
QByteArray CutShortPng();
// A PNG signature and a valid header chunk declaring a picture of this size, no pixels.
QByteArray PngHeaderDeclaring(int width, int height);

// Writes a zero-byte file, a cut-short PNG, text named .png and a PNG declaring
// 60000 x 60000 into the folder; returns them in name order.
std::vector<BrokenFile> WriteBrokenFiles(const TestFolder& folder);

}  // namespace TestSupport
