// Small crafted files of every kind the readers take, opened as the canvas opens them
// (full size) and as the sheet makes their 160-pixel thumbnails: files whose headers
// declare 20000 x 20000 pixels their data cannot hold (to be refused in well under
// 100 ms), and valid small files that truly encode large pictures (to cost time in
// proportion to their pixels, thumbnails decoded small where the format allows). Each
// file is reported with its best time; the last benchmark names the slowest file of each
// group at full size and as a thumbnail.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <tiffio.h>

#include "browse/ThumbnailLoader.h"
#include "fixtures/Timing.h"
#include "platform/CodecTestFiles.h"
#include "platform/EmfBuilder.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/MetafileFormat.h"

namespace {

constexpr int kThumbSide = 160;

struct Crafted {
  std::string Name;
  QString Path;
  bool Valid = false;  // truly encodes its picture
};

QImage Flat(int width, int height) {
  QImage picture(width, height, QImage::Format_RGB32);
  picture.fill(qRgb(40, 120, 200));
  return picture;
}

// A run-length BMP of width x height in runs of 255 pixels, one line per row.
QByteArray RunLengthBmp(int width, int height) {
  QByteArray codes;
  for (int y = 0; y < height; ++y) {
    for (int left = width; left > 0; left -= 255) {
      codes.append(char(std::min(left, 255)));
      codes.append(char(y % 2));
    }
    codes.append(2, '\0');
  }
  codes.append("\0\1", 2);
  return CodecTestFiles::Bmp(width, height, 8, 1, {0x000000, 0xFFFFFF}, codes);
}

int Blocks(int x, int y, int) { return (x / 40 + y / 60) % 7 == 0 ? 1 : 0; }

CodecTestFiles::TiffLayout BlackAndWhite(int width, int height, int compression) {
  CodecTestFiles::TiffLayout layout;
  layout.Width = width;
  layout.Height = height;
  layout.Bits = 1;
  layout.Samples = 1;
  layout.Photometric = PHOTOMETRIC_MINISWHITE;
  layout.Compression = compression;
  return layout;
}

QByteArray FaxTiff(int pages, int compression) {
  CodecTestFiles::TiffLayout layout = BlackAndWhite(1728, 2292, compression);
  layout.Pages = pages;
  return CodecTestFiles::SampleTiff(layout, Blocks);
}

// A drawing of thin lines on one strip, which packs many megapixels into a few KB.
QByteArray LineDrawingTiff(int width, int height) {
  CodecTestFiles::TiffLayout layout = BlackAndWhite(width, height, COMPRESSION_LZW);
  layout.RowsPerStrip = height;
  return CodecTestFiles::SampleTiff(layout, [](int x, int y, int) { return x % 500 < 2 || y % 300 < 2 ? 1 : 0; });
}

QByteArray FlatTiff(int width, int height) {
  CodecTestFiles::TiffLayout layout;
  layout.Width = width;
  layout.Height = height;
  return CodecTestFiles::SampleTiff(layout, [](int x, int, int c) { return c == 0 ? x % 256 : 90; });
}

QByteArray LargeEmf(int width, int height) {
  CodecTestFiles::EmfBuilder emf(width, height, 96);
  emf.Ints(Gdip::Emf::kCreateBrushIndirect, {1, 0, 0x3080C0, 0});
  emf.Ints(Gdip::Emf::kSelectObject, {1});
  for (int i = 0; i < 40; ++i) {
    emf.Ints(Gdip::Emf::kEllipse, {i * width / 40, 0, (i + 1) * width / 40, height});
  }
  return emf.Finish();
}

std::vector<std::pair<std::string, QByteArray>> ValidFiles() {
  QImage ramp(4000, 3000, QImage::Format_RGB32);
  for (int y = 0; y < ramp.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(ramp.scanLine(y));
    for (int x = 0; x < ramp.width(); ++x) {
      row[x] = qRgb(x / 16, y / 12, 128);
    }
  }
  return {
      {"bmp-run-length-8000", RunLengthBmp(8000, 8000)},
      {"bmp-run-length-20000-ended-early", CodecTestFiles::RunLengthBmpDeclaring(20000, 20000)},
      {"jpeg-arithmetic-4000x3000", CodecTestFiles::ArithmeticJpeg(ramp, false)},
      {"gif-flat-4000x3000", Gdip::GifCodec::Encode(Flat(4000, 3000))},
      {"png-text-bomb", CodecTestFiles::PngWithCompressedText(Flat(640, 480), 8 << 20)},
      {"tiff-fax-3-pages", FaxTiff(3, COMPRESSION_CCITTFAX4)},
      {"tiff-fax-g3", FaxTiff(1, COMPRESSION_CCITTFAX3)},
      {"tiff-lzw-1-bit-7795x3122-one-strip", LineDrawingTiff(7795, 3122)},
      {"tiff-lzw-4000x3000", FlatTiff(4000, 3000)},
      {"emf-4000x3000", LargeEmf(4000, 3000)},
      {"emf-a4", LargeEmf(794, 1123)},
  };
}

const std::vector<Crafted>& Files() {
  static QTemporaryDir folder;
  static const std::vector<Crafted> files = [] {
    std::vector<Crafted> out;
    auto write = [&](const std::string& name, const QByteArray& bytes, bool valid) {
      const QString path = folder.filePath(QString::fromStdString(name));
      QFile file(path);
      if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) {
        out.push_back({name, path, valid});
      }
    };
    for (const auto& [name, bytes] : CodecTestFiles::FilesDeclaring(20000)) {
      write("declaring-" + name, bytes, false);
    }
    for (const auto& [name, bytes] : ValidFiles()) {
      write(name, bytes, true);
    }
    return out;
  }();
  return files;
}

double FullSeconds(const Crafted& file) {
  return BenchFixtures::BestOf(3, [&] { benchmark::DoNotOptimize(Gdip::LoadImageWithReason(file.Path)); });
}

double ThumbnailSeconds(const Crafted& file) {
  return BenchFixtures::BestOf(
      3, [&] { benchmark::DoNotOptimize(ThumbnailLoader::Decode(file.Path, QSize(kThumbSide, kThumbSide))); });
}

void BM_CraftedFull(benchmark::State& state) {
  const Crafted& file = Files()[std::size_t(state.range(0))];
  state.SetLabel(file.Name);
  BenchFixtures::Measure(state, std::nullopt, [&] { benchmark::DoNotOptimize(Gdip::LoadImageWithReason(file.Path)); });
}

void BM_CraftedThumbnail(benchmark::State& state) {
  const Crafted& file = Files()[std::size_t(state.range(0))];
  state.SetLabel(file.Name);
  BenchFixtures::Measure(state, std::nullopt, [&] {
    benchmark::DoNotOptimize(ThumbnailLoader::Decode(file.Path, QSize(kThumbSide, kThumbSide)));
  });
}

// The slowest file of each group, full size and as a thumbnail, in milliseconds.
void BM_CraftedSlowest(benchmark::State& state) {
  std::map<std::string, std::pair<double, std::string>> slowest;
  for (auto _ : state) {
    for (const Crafted& file : Files()) {
      const std::string group = file.Valid ? "valid" : "declaring";
      for (const auto& [use, seconds] : {std::pair{"full", FullSeconds(file)}, {"thumb", ThumbnailSeconds(file)}}) {
        auto& worst = slowest[group + "_" + use];
        if (seconds * 1000 > worst.first) {
          worst = {seconds * 1000, file.Name};
        }
      }
    }
  }
  std::string label;
  for (const auto& [key, worst] : slowest) {
    state.counters[key + "_ms"] = worst.first;
    label += key + ": " + worst.second + "  ";
  }
  state.SetLabel(label);
}

void AllFiles(benchmark::internal::Benchmark* b) {
  for (std::size_t i = 0; i < Files().size(); ++i) {
    b->Arg(std::int64_t(i));
  }
}

}  // namespace

BENCHMARK(BM_CraftedFull)->Apply(AllFiles)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CraftedThumbnail)->Apply(AllFiles)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CraftedSlowest)->Iterations(1)->Unit(benchmark::kMillisecond);
