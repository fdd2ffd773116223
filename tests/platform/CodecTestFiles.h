#pragma once
// Pictures and odd files the codec tests build for themselves.

#include <array>
#include <cstdint>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace CodecTestFiles {

// A picture whose every pixel differs from its neighbours, with alpha varying per column
// when withAlpha is set (and some pixels fully transparent).
QImage Gradient(int width, int height, bool withAlpha);

// A BMP file with a BITMAPINFOHEADER; a negative height stores the rows top-down.
QByteArray Bmp(int width, int height, int bpp, std::uint32_t compression, const std::vector<std::uint32_t>& palette,
               const QByteArray& bits);

// A JPEG with four components stored the Adobe way (inverted inks), all one colour.
QByteArray CmykJpeg(int width, int height, std::uint8_t c, std::uint8_t m, std::uint8_t y, std::uint8_t k);

// A TIFF written with libtiff: one page per colour given, RGB unless cmyk is set (the
// colour then gives the four inks in its bytes, cyan highest).
bool WriteTiff(const QString& path, int width, int height, const std::vector<std::uint32_t>& pageColours, bool cmyk,
               int compression);

// An RGB TIFF of 8 or 16 bits per sample whose channel c (0 red, 1 green, 2 blue, 3 the
// extra sample when extraSample >= 0) of pixel (x, y) is sample(x, y, c), full scale.
// The channels are interleaved or in separate planes; extraSample is the ExtraSamples
// value of a fourth channel, -1 for none.
QByteArray RgbTiff(int width, int height, int bits, bool planar, int extraSample,
                   int (*sample)(int x, int y, int channel));

// A 16-bit RGB PNG (grey when grey is set) whose pixels are given as 16-bit RGB and whose
// tRNS chunk names `transparent` as the transparent colour.
QByteArray DeepPngWithTransparentColour(const std::vector<std::array<std::uint16_t, 3>>& pixels, int width,
                                        std::array<std::uint16_t, 3> transparent, bool grey);

// A GIF of `frames` frames, each 1 pixel wide and 16 high with palette index = row
// (+ frame number), written interlaced or not; the palette maps index i to grey i * 10.
QByteArray Gif(int frames, bool interlaced);

// Largest difference of any channel between two pictures of the same size; 256 when
// the sizes differ.
int MaxChannelDifference(const QImage& a, const QImage& b);

}  // namespace CodecTestFiles
