// Loading and saving speed of the image codecs, each against a reference measured side
// by side on the same machine and reported as a ratio ("x_ref", lower is better):
//  - JPEG loads of a 24-megapixel camera photo (argument 0 baseline, 1 progressive,
//    2 full-resolution colour) against a plain libjpeg decode of the same file to RGB
//    rows, as the command-line decoder does: full size, scaled by 1/8 in the DCT, and the
//    first fitted picture of an open against the decode at the scale the fit needs;
//    where libjpeg-turbo's djpeg is installed, also against it ("x_djpeg", the full
//    decode against `djpeg`, the fitted picture against `djpeg -scale 1/4`);
//  - the PNG save of undo snapshots against Qt's fastest PNG setting (quality 100);
//  - the JPEG save and the GIF encode, for their absolute times;
//  - GIF decoding of small files against giflib's own DGifSlurp plus the expansion of its
//    palette rows to 32-bit pixels;
//  - BMP, PNG and TIFF loads of a mid-size picture, for their absolute times.
// CameraPhotoFixtures checks the generated photos: their kinds, sizes and sameness.
#include <cstring>
#include <cstdio>
#include <functional>
#include <future>
#include <optional>
#include <vector>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include "canvas/OpenPreview.h"
#include "fixtures/CameraPhotos.h"
#include "fixtures/CodecFixtures.h"
#include "fixtures/Timing.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/LittleEndian.h"

namespace {

using BenchFixtures::BestOf;
using BenchFixtures::Measure;
using BenchFixtures::PlainLibjpegDecode;

constexpr int kWidth = 6000;  // 24 megapixels
constexpr int kHeight = 4000;

using BenchFixtures::JpegKind;

constexpr JpegKind kKinds[] = {JpegKind::Baseline, JpegKind::Progressive, JpegKind::FullColour};

// The 24-megapixel photo of the benchmark's kind argument.
QString Jpeg(const benchmark::State& state) {
  static const QString paths[] = {BenchFixtures::CameraPhoto24(kKinds[0]), BenchFixtures::CameraPhoto24(kKinds[1]),
                                  BenchFixtures::CameraPhoto24(kKinds[2])};
  return paths[state.range(0)];
}

// The baseline photo decoded, as an undo snapshot of it holds it.
const Gdip::Bitmap& Picture() {
  static const auto bitmap = Gdip::LoadImageFromFile(BenchFixtures::CameraPhoto24(JpegKind::Baseline));
  return *bitmap;
}

QUuid Encoder(const char* mime) {
  for (const auto& info : Gdip::GetImageEncoders()) {
    if (info.MimeType == QLatin1String(mime)) {
      return info.Clsid;
    }
  }
  return {};
}

// djpeg decoding the file to nothing, at full size or scaled by 1/scale in the DCT.
std::optional<double> Djpeg(const QString& path, int scale) {
  QStringList arguments{QStringLiteral("-outfile"), QStringLiteral("/dev/null"), path};
  if (scale != 1) {
    arguments = QStringList{QStringLiteral("-scale"), QStringLiteral("1/%1").arg(scale)} + arguments;
  }
  return BenchFixtures::BestOfProgram(5, QStringLiteral("djpeg"), arguments);
}

void JpegLoadFull(benchmark::State& state) {
  const QString path = Jpeg(state);
  const double reference = BestOf(3, [&] { PlainLibjpegDecode(path, 1); });
  const std::optional<double> anchor = Djpeg(path, 1);
  Measure(state, reference, [&] { benchmark::DoNotOptimize(Gdip::LoadImageFromFile(path)); });
  BenchFixtures::ReportAnchor(state, "x_djpeg", anchor);
}

void JpegLoadFullWithQtPlugin(benchmark::State& state) {
  const QString path = Jpeg(state);
  const double reference = BestOf(3, [&] { PlainLibjpegDecode(path, 1); });
  Measure(state, reference, [&] {
    QImageReader reader(path);
    benchmark::DoNotOptimize(reader.read());
  });
}

void JpegLoadThumbnail(benchmark::State& state) {
  const QString path = Jpeg(state);
  const double reference = BestOf(3, [&] { PlainLibjpegDecode(path, 8); });
  Measure(state, reference, [&] {
    benchmark::DoNotOptimize(Gdip::LoadImageFromFile(path, QSize(kWidth / 8, kHeight / 8)));
  });
}

// What the canvas shows first when a photo opens into a 1600 x 1000 window: the decode
// scaled in the DCT to the fitted size, against the plain decode at the scale the fit
// needs (1/4 here). The full decode runs beside it on a worker.
void JpegFirstFittedPaint(benchmark::State& state) {
  const QString path = Jpeg(state);
  const double reference = BestOf(3, [&] { PlainLibjpegDecode(path, 4); });
  const std::optional<double> anchor = Djpeg(path, 4);
  Measure(state, reference, [&] { benchmark::DoNotOptimize(OpenPreview::FittedJpeg(path, QSize(1600, 1000))); });
  BenchFixtures::ReportAnchor(state, "x_djpeg", anchor);
}

// The same first picture as an open makes it: with the full decode running beside it on
// a worker, as the canvas starts both. The full decode is waited for outside the timing.
void JpegFirstFittedPaintDuringLoad(benchmark::State& state) {
  const QString path = Jpeg(state);
  const std::optional<double> anchor = Djpeg(path, 4);
  double best = 1e9;
  for (auto _ : state) {
    auto full = std::async(std::launch::async, [&] { return Gdip::LoadImageFromFile(path); });
    best = std::min(best, BenchFixtures::SecondsOf(
                              [&] { benchmark::DoNotOptimize(OpenPreview::FittedJpeg(path, QSize(1600, 1000))); }));
    full.get();
  }
  state.counters["best_s"] = best;
  BenchFixtures::ReportAnchor(state, "x_djpeg", anchor);
}

// The generated photos are what the benchmarks promise: each kind as its header says, a
// few MB per 12 megapixels like a camera's, and the same picture for the same seed.
void CameraPhotoFixtures(benchmark::State& state) {
  for (auto _ : state) {
    for (const JpegKind kind : kKinds) {
      JpegKind read = JpegKind::Baseline;
      if (!BenchFixtures::ReadJpegKind(BenchFixtures::CameraPhoto24(kind), read) || read != kind) {
        state.SkipWithError("a generated photo is not of the kind asked for");
        return;
      }
    }
    const QImage once = BenchFixtures::CameraPicture(QSize(640, 480), 7);
    if (once != BenchFixtures::CameraPicture(QSize(640, 480), 7) ||
        once == BenchFixtures::CameraPicture(QSize(640, 480), 8)) {
      state.SkipWithError("the photo generator does not depend on its seed alone");
      return;
    }
  }
  for (std::size_t i = 0; i < std::size(kKinds); ++i) {
    const double megabytes = double(QFileInfo(BenchFixtures::CameraPhoto24(kKinds[i])).size()) / (1 << 20);
    state.counters[QStringLiteral("MB_per_12MP_%1").arg(i).toStdString()] = megabytes / 2;
  }
}

void PngSaveForUndo(benchmark::State& state) {
  const QImage& image = Picture().Image();
  const double reference = BestOf(2, [&] {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(100);  // Qt's fastest setting: no compression at all
    writer.write(image);
  });
  qint64 bytes = 0;
  Measure(state, reference, [&] {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Gdip::EncodeImage(Picture(), buffer, Encoder("image/png"));
    bytes = buffer.size();
  });
  state.counters["size_vs_raw"] = double(bytes) / (double(kWidth) * kHeight * 4);
  state.counters["zlib_level"] = Gdip::kPngCompressionLevel;
}

void JpegSave(benchmark::State& state) {
  Measure(state, std::nullopt, [] {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Gdip::EncodeImage(Picture(), buffer, Encoder("image/jpeg"), {90});
  });
}

void GifEncode(benchmark::State& state) {
  // A picture of the size GIFs are made at, with thousands of colours to reduce.
  const QImage picture = BenchFixtures::PhotoLike(1600, 1200);
  Measure(state, std::nullopt, [&] { benchmark::DoNotOptimize(Gdip::GifCodec::Encode(picture)); });
}

// Small GIFs as the web has them: icons, buttons and a few photograph-size frames, one
// of them interlaced.
const std::vector<QByteArray>& GifFiles() {
  static const std::vector<QByteArray> files = [] {
    std::vector<QByteArray> out;
    for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(88, 31), QSize(120, 90), QSize(320, 240),
                             QSize(640, 480), QSize(800, 600)}) {
      out.push_back(Gdip::GifCodec::Encode(BenchFixtures::PhotoLike(size.width(), size.height())));
    }
    return out;
  }();
  return files;
}

struct GifMemory {
  const QByteArray* bytes;
  int position = 0;
};

int ReadGifMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* m = static_cast<GifMemory*>(gif->UserData);
  const int n = std::min(length, int(m->bytes->size()) - m->position);
  std::memcpy(out, m->bytes->constData() + m->position, std::size_t(n));
  m->position += n;
  return n;
}

// giflib's whole-file read and the palette expansion of the first frame.
void GiflibSlurpToRgb32(const QByteArray& bytes) {
  GifMemory memory{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&memory, ReadGifMemory, &error);
  if (gif == nullptr || DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
    DGifCloseFile(gif, &error);
    return;
  }
  const SavedImage& frame = gif->SavedImages[0];
  const ColorMapObject* map = frame.ImageDesc.ColorMap != nullptr ? frame.ImageDesc.ColorMap : gif->SColorMap;
  QRgb palette[256] = {};
  for (int i = 0; map != nullptr && i < map->ColorCount && i < 256; ++i) {
    palette[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
  }
  QImage image(frame.ImageDesc.Width, frame.ImageDesc.Height, QImage::Format_ARGB32);
  const GifByteType* src = frame.RasterBits;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      row[x] = palette[*src++];
    }
  }
  benchmark::DoNotOptimize(image.constBits());
  DGifCloseFile(gif, &error);
}

void GifDecodeSmallFiles(benchmark::State& state) {
  const double reference = BestOf(20, [] {
    for (const QByteArray& file : GifFiles()) {
      GiflibSlurpToRgb32(file);
    }
  });
  Measure(state, reference, [] {
    for (const QByteArray& file : GifFiles()) {
      benchmark::DoNotOptimize(Gdip::LoadImageFromMemory(Gdip::AsBytes(file)));
    }
  });
}

QByteArray Encoded(const char* mime, const QImage& picture) {
  const auto bitmap = Gdip::Bitmap::FromImage(picture.convertToFormat(QImage::Format_RGB32), Gdip::PixelFormat32bppRGB);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  Gdip::EncodeImage(*bitmap, buffer, Encoder(mime));
  return buffer.data();
}

// Loads of a 4-megapixel picture saved by our own writers, full size and thumbnail size.
void LoadOwnFile(benchmark::State& state, const char* mime) {
  static const QImage picture = BenchFixtures::PhotoLike(2400, 1600);
  const QByteArray file = Encoded(mime, picture);
  const QSize size = state.range(0) != 0 ? QSize(150, 100) : QSize();
  Measure(state, std::nullopt,
          [&] { benchmark::DoNotOptimize(Gdip::LoadImageFromMemory(Gdip::AsBytes(file), size)); });
}

void BmpLoad(benchmark::State& state) { LoadOwnFile(state, "image/bmp"); }
void PngLoad(benchmark::State& state) { LoadOwnFile(state, "image/png"); }
void TiffLoad(benchmark::State& state) { LoadOwnFile(state, "image/tiff"); }

}  // namespace

BENCHMARK(GifDecodeSmallFiles)->Unit(benchmark::kMillisecond)->Iterations(30)->UseRealTime();
BENCHMARK(BmpLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(PngLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(TiffLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(CameraPhotoFixtures)->Iterations(1);
BENCHMARK(JpegLoadFull)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(JpegLoadFullWithQtPlugin)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(JpegFirstFittedPaint)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(JpegFirstFittedPaintDuringLoad)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(JpegLoadThumbnail)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(PngSaveForUndo)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(JpegSave)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(GifEncode)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
