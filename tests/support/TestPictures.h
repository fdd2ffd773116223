#pragma once

#include <vector>

#include <QImage>
#include <QRect>

namespace TestSupport {

// Four flat quadrants (red, green / blue, white), so a pixel tells which part of the
// picture shows there.
QImage Quadrants(int width, int height);

// A sky from blue at the top to sand at the bottom, for pictures a person looks at.
QImage Sky(int width, int height);

// A fully transparent ARGB32 picture to draw on.
QImage Transparent(int width, int height);

// The box of the pixels that differ between two pictures of one size; empty when none do.
QRect Changed(const QImage& a, const QImage& b);

// How much lighter than a flat ground each square cell of a grid over the picture is,
// summed over its pixels: where something light was drawn on the ground, and how much.
std::vector<double> LightPerCell(const QImage& image, QRgb ground, int cell);
// The correlation of two series of one length, 0 when either is flat.
double Correlation(const std::vector<double>& a, const std::vector<double>& b);

}  // namespace TestSupport
