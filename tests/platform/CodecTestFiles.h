#pragma once
// Pictures and odd files the codec tests build for themselves.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
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

// The picture as Qt's writer for that format writes it.
QByteArray EncodedByQt(const QImage& picture, const char* format);

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

// The layout of a one-page TIFF written by SampleTiff.
struct TiffLayout {
  int Width = 1;
  int Height = 1;
  int Bits = 8;         // 2, 4, 8, 12 or 16 per sample
  int Samples = 3;
  int Photometric = 2;  // RGB
  bool Planar = false;
  int ExtraSample = -1;  // the ExtraSamples value of the last sample, -1 for none
  int TileSide = 0;      // tiles of this side (a multiple of 16), 0 for strips
  int RowsPerStrip = 2;
  std::vector<std::uint16_t> ColourMap;  // red, then green, then blue entries
  int Compression = 5;  // LZW
  int Pages = 1;        // each the same
};

// A TIFF of that layout whose sample c of pixel (x, y) is sample(x, y, c), full scale for
// the depth (1 to 16 bits), written with libtiff.
QByteArray SampleTiff(const TiffLayout& layout, int (*sample)(int x, int y, int channel));

// Where the file keeps the value of a field of its first page (the offset of values too
// large for the field's entry); 0 when the page has no such field.
std::uint32_t TiffValueOffset(const QByteArray& tiff, int tag);
// Value `index` of a SHORT or LONG field of the first page; 0 when the page has no such field.
std::uint32_t TiffArrayValue(const QByteArray& tiff, int tag, int index);

// A GIF of one frame whose pixel (x, y) is indexes[y * width + x], its codes written
// with this LZW minimum code size, and with the colour table given as the global one (none
// when it is empty).
QByteArray GifWithCodeSize(int width, int height, int minimumCodeSize, const std::vector<std::uint8_t>& indexes,
                           const std::vector<QRgb>& colours);
// The same with pixel values up to the clear code (beyond 255 for code sizes above 8).
QByteArray GifWithPixelValues(int width, int height, int minimumCodeSize, const std::vector<int>& indexes,
                              const std::vector<QRgb>& colours);

// A JPEG coded arithmetically instead of with Huffman tables.
QByteArray ArithmeticJpeg(const QImage& picture, bool progressive);
// The same JPEG with its header declaring another size.
QByteArray WithJpegSize(QByteArray jpeg, int width, int height);

// A PNG of the picture with a compressed text chunk that unpacks to textBytes bytes.
QByteArray PngWithCompressedText(const QImage& picture, int textBytes);
// An interlaced black-and-white PNG of one bit per pixel whose pixel (x, y) is white
// when white(x, y).
QByteArray InterlacedOneBitPng(int width, int height, bool (*white)(int x, int y));

// An 8-bit run-length BMP of a few codes whose header declares width x height: one run,
// then the end-of-picture code, which leaves the rest of the picture index 0.
QByteArray RunLengthBmpDeclaring(int width, int height);

// A 16-bit RGB PNG (grey when grey is set) whose pixels are given as 16-bit RGB and whose
// tRNS chunk names `transparent` as the transparent colour.
QByteArray DeepPngWithTransparentColour(const std::vector<std::array<std::uint16_t, 3>>& pixels, int width,
                                        std::array<std::uint16_t, 3> transparent, bool grey);

// A GIF of `frames` frames, each 1 pixel wide and 16 high with palette index = row
// (+ frame number), written interlaced or not; the palette maps index i to grey i * 10.
QByteArray Gif(int frames, bool interlaced);

// An old-style metafile without a frame or window whose only drawing is one text record
// at (x, y) in a font of that height, with one advance per character when any are given.
QByteArray WmfOfText(int x, int y, int height, const QByteArray& text, const std::vector<int>& advances);

// Small files of each kind whose headers declare side x side pixels (side at most 65535)
// that their data cannot hold, named by kind.
std::vector<std::pair<std::string, QByteArray>> FilesDeclaring(int side);

// Largest difference of any channel between two pictures of the same size; 256 when
// the sizes differ.
int MaxChannelDifference(const QImage& a, const QImage& b);
// The average difference of the colour channels of two pictures; 256 when the sizes differ.
double MeanChannelDifference(const QImage& a, const QImage& b);

}  // namespace CodecTestFiles
