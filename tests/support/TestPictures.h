#pragma once

#include <QImage>

namespace TestSupport {

// Four flat quadrants (red, green / blue, white), so a pixel tells which part of the
// picture shows there.
QImage Quadrants(int width, int height);

// A sky from blue at the top to sand at the bottom, for pictures a person looks at.
QImage Sky(int width, int height);

// A fully transparent ARGB32 picture to draw on.
QImage Transparent(int width, int height);

}  // namespace TestSupport
