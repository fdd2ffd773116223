// Saving a photo as the canvas's save does (`CanvasSave::WritePicture`: the picture put
// into a canvas of its format, encoded, written beside the target and renamed over it),
// in each format, against a tool writing the same pixels in the same run:
//  - JPEG (quality 90), PNG and BMP of a 24-megapixel camera photo against `vips`
//    (libvips-tools) saving from its own uncompressed format, start-up included
//    ("x_vips"; skipped when vips is not installed), PNG also against vips at our zlib
//    level and filter ("x_vips_same_level"). Goal: at most 1.0 ×.
//  - TIFF with LZW of the same photo against Qt's TIFF writer ("x_ref"). Goal: 1.2 ×.
//  - GIF of a 12-megapixel photo against giflib's own colour reduction
//    (`GifQuantizeBuffer`) and writer ("x_ref"). Goal: 1.5 ×.
// An edited picture is held with an alpha channel, all of it opaque: argument 1 saves
// the photo in that form.
#include <optional>
#include <vector>

#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include "canvas/CanvasSave.h"
#include "fixtures/CameraPhotos.h"
#include "fixtures/Timing.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"

namespace {

using BenchFixtures::BestOf;
using BenchFixtures::Measure;

// The canvas's format numbers.
constexpr int kBmp = 0;
constexpr int kJpeg = 1;
constexpr int kGif = 2;
constexpr int kTiff = 5;
constexpr int kPng = 6;
constexpr int kJpegQuality = 90;

const QTemporaryDir& Folder() {
  static const QTemporaryDir folder;
  return folder;
}

QString PathOf(const char* name) { return Folder().filePath(QString::fromLatin1(name)); }

// The 24-megapixel photo as a save finds it: as opened, or as an edit leaves it.
const Gdip::Bitmap& Photo(const benchmark::State& state) {
  static const auto opened = Gdip::LoadImageFromFile(BenchFixtures::CameraPhoto24(BenchFixtures::JpegKind::Baseline));
  static const auto edited =
      Gdip::Bitmap::FromImage(opened->Image().convertToFormat(QImage::Format_ARGB32), Gdip::PixelFormat32bppARGB);
  return state.range(0) == 0 ? *opened : *edited;
}

// The photo in vips's own uncompressed format, written once.
const QString& VipsInput() {
  static const QString path = [] {
    const QString out = PathOf("photo.v");
    return BenchFixtures::BestOfProgram(1, QStringLiteral("vips"),
                                        {QStringLiteral("copy"),
                                         BenchFixtures::CameraPhoto24(BenchFixtures::JpegKind::Baseline), out})
               ? out
               : QString();
  }();
  return path;
}

std::optional<double> Vips(const QStringList& arguments) {
  if (VipsInput().isEmpty()) {
    return std::nullopt;
  }
  return BenchFixtures::BestOfProgram(3, QStringLiteral("vips"), arguments);
}

void SaveAs(benchmark::State& state, const Gdip::Bitmap& picture, const char* name, int type,
            std::optional<double> reference) {
  const QString path = PathOf(name);
  Measure(state, reference, [&] {
    if (!CanvasSave::WritePicture(picture, path, type, kJpegQuality)) {
      state.SkipWithError("the picture could not be saved");
    }
  });
}

void SaveJpeg(benchmark::State& state) {
  const auto anchor = Vips({QStringLiteral("jpegsave"), VipsInput(), PathOf("vips.jpg"),
                            QStringLiteral("--Q=%1").arg(kJpegQuality)});
  SaveAs(state, Photo(state), "photo.jpg", kJpeg, std::nullopt);
  BenchFixtures::ReportAnchor(state, "x_vips", anchor);
}

void SavePng(benchmark::State& state) {
  const auto anchor = Vips({QStringLiteral("pngsave"), VipsInput(), PathOf("vips.png")});
  // vips asked for what our writer does: zlib level 1, every row "sub" filtered.
  const auto sameLevel = Vips({QStringLiteral("pngsave"), VipsInput(), PathOf("vips-fast.png"),
                               QStringLiteral("--compression=%1").arg(Gdip::kPngCompressionLevel),
                               QStringLiteral("--filter=sub")});
  SaveAs(state, Photo(state), "photo.png", kPng, std::nullopt);
  BenchFixtures::ReportAnchor(state, "x_vips", anchor);
  BenchFixtures::ReportAnchor(state, "x_vips_same_level", sameLevel);
}

void SaveBmp(benchmark::State& state) {
  const auto anchor = Vips({QStringLiteral("copy"), VipsInput(), PathOf("vips.bmp")});
  SaveAs(state, Photo(state), "photo.bmp", kBmp, std::nullopt);
  BenchFixtures::ReportAnchor(state, "x_vips", anchor);
}

void SaveTiff(benchmark::State& state) {
  const QImage& pixels = Photo(state).Image();
  const double reference = BestOf(3, [&] {
    QImageWriter writer(PathOf("qt.tif"), "tiff");
    writer.setCompression(1);  // LZW
    writer.write(pixels);
  });
  SaveAs(state, Photo(state), "photo.tif", kTiff, reference);
}

// giflib's way to a GIF: the colour planes, its median-cut reduction, its writer.
void GiflibSave(const QImage& picture, const QString& path) {
  const int width = picture.width();
  const int height = picture.height();
  const std::size_t count = std::size_t(width) * std::size_t(height);
  std::vector<GifByteType> red(count), green(count), blue(count), indexes(count);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      const std::size_t at = std::size_t(y) * std::size_t(width) + std::size_t(x);
      red[at] = GifByteType(qRed(row[x]));
      green[at] = GifByteType(qGreen(row[x]));
      blue[at] = GifByteType(qBlue(row[x]));
    }
  }
  int colours = 256;
  GifColorType palette[256];
  if (GifQuantizeBuffer(unsigned(width), unsigned(height), &colours, red.data(), green.data(), blue.data(),
                        indexes.data(), palette) != GIF_OK) {
    return;
  }
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
  ColorMapObject* map = GifMakeMapObject(256, palette);
  bool ok = gif != nullptr && map != nullptr && EGifPutScreenDesc(gif, width, height, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  for (int y = 0; ok && y < height; ++y) {
    ok = EGifPutLine(gif, indexes.data() + std::size_t(y) * std::size_t(width), width) == GIF_OK;
  }
  GifFreeMapObject(map);
  EGifCloseFile(gif, &error);
}

void SaveGif(benchmark::State& state) {
  static const auto photo = Gdip::Bitmap::FromImage(
      BenchFixtures::CameraPicture(QSize(4000, 3000), 11).convertToFormat(QImage::Format_RGB32),
      Gdip::PixelFormat24bppRGB);
  const auto picture = state.range(0) == 0 ? photo->Clone()
                                           : Gdip::Bitmap::FromImage(photo->Image().convertToFormat(QImage::Format_ARGB32),
                                                                     Gdip::PixelFormat32bppARGB);
  const double reference = BestOf(2, [&] { GiflibSave(picture->Image(), PathOf("giflib.gif")); });
  SaveAs(state, *picture, "photo.gif", kGif, reference);
}

}  // namespace

BENCHMARK(SaveJpeg)->Arg(0)->Arg(1)->ArgName("edited")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(SavePng)->Arg(0)->Arg(1)->ArgName("edited")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(SaveBmp)->Arg(0)->Arg(1)->ArgName("edited")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(SaveTiff)->Arg(0)->Arg(1)->ArgName("edited")->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(SaveGif)->Arg(0)->Arg(1)->ArgName("edited")->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();
