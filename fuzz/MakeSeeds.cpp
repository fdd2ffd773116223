// Writes the seed corpora of the fuzz targets, one folder per target, into the folder
// given: small files made by the project's own writers and by the hand-made fixtures of
// the codec tests.
#include <cstdio>
#include <functional>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <tiffio.h>

#include "browse/StarList.h"
#include "controls/FolderHistory.h"
#include "controls/MenuModel.h"
#include "platform/Registry.h"
#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/GifCodec.h"
#include "platform/gdiplus/MetafileWriter.h"
#include "platform/gdiplus/PngWriter.h"
#include "platform/gdiplus/TiffCodec.h"
#include "tests/platform/CodecTestFiles.h"
#include "tests/platform/EmfBuilder.h"

namespace {

using CodecTestFiles::Gradient;

class Corpus {
 public:
  explicit Corpus(const QString& root) : m_root(root) {}

  void Add(const char* target, const QByteArray& bytes) {
    const QString folder = m_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/seed%1").arg(m_count++));
    m_ok = m_ok && !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }
  bool Ok() const { return m_ok; }

 private:
  QString m_root;
  int m_count = 0;
  bool m_ok = true;
};

QByteArray Written(const std::function<bool(QIODevice&)>& write) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  return write(buffer) ? bytes : QByteArray();
}

QByteArray QtJpeg(const QImage& picture, bool progressive) {
  return Written([&](QIODevice& device) {
    QImageWriter writer(&device, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    return writer.write(picture);
  });
}

int Sample(int x, int y, int channel) { return (x * 4099 + y * 257 + channel * 12345) & 0xFFFF; }

void AddBmps(Corpus& corpus) {
  corpus.Add("bmp", Gdip::BmpCodec::EncodeBmp(Gradient(5, 3, false)));
  corpus.Add("bmp", Gdip::BmpCodec::EncodeBmp(Gradient(4, 4, true)));
  const std::vector<std::uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  const char rle8[] = {3, 1, 0, 2, 1, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1};
  corpus.Add("bmp", CodecTestFiles::Bmp(4, 3, 8, 1, palette, QByteArray(rle8, sizeof rle8)));
  corpus.Add("bmp", CodecTestFiles::Bmp(4, 2, 4, 2, palette, QByteArray("\x04\x12\x00\x00\x00\x03\x12\x30\x00\x01", 10)));
  corpus.Add("bmp", CodecTestFiles::Bmp(2, 2, 1, 0, palette, QByteArray("\x80\0\0\0\x40\0\0\0", 8)));
  corpus.Add("bmp", CodecTestFiles::Bmp(2, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, QByteArray("\xFF\xFF\x10\x84", 4)));
  corpus.Add("bmp", CodecTestFiles::Bmp(1, 1, 32, 6, {0xFF0000, 0xFF00, 0xFF, 0xFF000000u}, QByteArray("\1\2\3\4", 4)));
}

void AddPictures(Corpus& corpus) {
  corpus.Add("gif", Gdip::GifCodec::Encode(Gradient(6, 5, false)));
  corpus.Add("gif", Gdip::GifCodec::Encode(Gradient(6, 5, true)));
  corpus.Add("gif", CodecTestFiles::Gif(2, true));
  corpus.Add("jpeg", QtJpeg(Gradient(9, 7, false), false));
  corpus.Add("jpeg", QtJpeg(Gradient(17, 9, false), true));
  corpus.Add("jpeg", CodecTestFiles::CmykJpeg(8, 8, 10, 200, 30, 0));
  for (bool alpha : {false, true}) {
    const QImage picture = Gradient(5, 4, alpha);
    corpus.Add("tiff", Written([&](QIODevice& device) { return Gdip::TiffCodec::Encode(picture, device); }));
  }
  corpus.Add("tiff", CodecTestFiles::RgbTiff(4, 3, 16, true, -1, Sample));
  corpus.Add("tiff", CodecTestFiles::RgbTiff(4, 3, 8, false, EXTRASAMPLE_ASSOCALPHA, Sample));
  corpus.Add("png", CodecTestFiles::DeepPngWithTransparentColour({{1, 2, 3}, {4, 5, 6}}, 2, {1, 2, 3}, false));
  corpus.Add("png", CodecTestFiles::DeepPngWithTransparentColour({{1, 0, 0}, {9, 0, 0}}, 1, {9, 0, 0}, true));
  for (bool alpha : {false, true}) {
    // Tall enough for two bands inflated apart.
    corpus.Add("png", Gdip::PngWriter::Encode(Gradient(3, 130, alpha), 1));
  }
  corpus.Add("metafile", Gdip::MetafileWriter::EncodeEmf(Gradient(3, 2, true)));
  corpus.Add("metafile", Gdip::MetafileWriter::EncodeWmf(Gradient(3, 2, false)));
}

// The codec tests' crafted files: layouts other readers take, files that came out wrong,
// and small files declaring more pixels than they hold.
void AddCrafted(Corpus& corpus) {
  const QImage picture = Gradient(24, 20, false);
  corpus.Add("jpeg", CodecTestFiles::ArithmeticJpeg(picture, false));
  corpus.Add("jpeg", CodecTestFiles::ArithmeticJpeg(picture, true));
  corpus.Add("png", CodecTestFiles::PngWithCompressedText(picture, 4096));
  corpus.Add("png", CodecTestFiles::InterlacedOneBitPng(13, 11, [](int x, int y) { return (x + y) % 3 == 0; }));
  const std::vector<std::uint8_t> indexes = {0, 1, 2, 3, 255, 128, 7, 1, 0, 9, 4, 3};
  corpus.Add("gif", CodecTestFiles::GifWithCodeSize(4, 3, 11, indexes, {qRgb(255, 0, 0), qRgb(0, 255, 0)}));
  corpus.Add("gif", CodecTestFiles::GifWithCodeSize(4, 3, 8, indexes, {}));
  corpus.Add("bmp", CodecTestFiles::RunLengthBmpDeclaring(300, 300));
  CodecTestFiles::TiffLayout layout;
  layout.Width = 21;
  layout.Height = 18;
  for (const auto& [bits, tile] : {std::pair{12, 0}, {12, 16}, {16, 16}, {8, 16}}) {
    layout.Bits = bits;
    layout.TileSide = tile;
    corpus.Add("tiff", CodecTestFiles::SampleTiff(layout, Sample));
  }
  layout.Bits = 1;
  layout.Samples = 1;
  layout.Photometric = PHOTOMETRIC_MINISWHITE;
  layout.Compression = COMPRESSION_NONE;
  corpus.Add("tiff", CodecTestFiles::SampleTiff(layout, Sample));
  layout.TileSide = 0;
  layout.Compression = COMPRESSION_CCITTFAX4;
  corpus.Add("tiff", CodecTestFiles::SampleTiff(layout, Sample));
  layout = {};
  layout.Width = 5;
  layout.Bits = 4;
  layout.Samples = 1;
  layout.Photometric = PHOTOMETRIC_PALETTE;
  layout.ColourMap.assign(48, 0x8000);
  corpus.Add("tiff", CodecTestFiles::SampleTiff(layout, [](int x, int, int) { return x; }));
  layout.Bits = 16;
  layout.Samples = 4;
  layout.Photometric = PHOTOMETRIC_SEPARATED;
  layout.ColourMap.clear();
  corpus.Add("tiff", CodecTestFiles::SampleTiff(layout, Sample));
  layout.Planar = true;
  corpus.Add("tiff", CodecTestFiles::SampleTiff(layout, Sample));
  corpus.Add("metafile", CodecTestFiles::WmfOfText(30, 40, 20, "AB", {100, 12}));
  CodecTestFiles::EmfBuilder emf(50, 50, 96);
  emf.WorldTransform({0.0f, 1.0f, -1.0f, 0.0f, 25.0f, 5.0f});
  emf.Font(12);
  emf.Text(0, 0, u"Wi", {9, 4});
  corpus.Add("metafile", emf.Finish());
  // An arithmetic-coded scan is found short only as it is decoded, into a picture of the
  // declared size. At 4096 x 4096 their 16 x 16 pixels fall as far short of half the rows
  // as at 20000 x 20000, and the picture and the coefficients still take the large-block
  // memory, without a gigabyte picture for every run.
  const auto addDeclaring = [&corpus](int side, bool arithmetic) {
    for (const auto& [name, bytes] : CodecTestFiles::FilesDeclaring(side)) {
      if (name.starts_with("jpeg-arithmetic") == arithmetic) {
        corpus.Add(name.substr(0, name.find('-')).c_str(), bytes);
      }
    }
  };
  addDeclaring(20000, false);
  addDeclaring(4096, true);
}

QByteArray ReadAndRemove(const QString& path) {
  QFile file(path);
  const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  QFile::remove(path);
  return bytes;
}

void AddLists(Corpus& corpus, const QString& scratch) {
  corpus.Add("starlist", StarList::Encode({QStringLiteral("holiday.jpg"), QStringLiteral("Été 2019.png")}));
  MenuModel model;
  FolderHistory::HistoryCreate(model, QStringLiteral("/home/someone/Pictures"));
  FolderHistory::HistoryCreate(model, QStringLiteral("/media/card, old/DCIM"));
  FolderHistory::WriteHistoryFile(scratch, model);
  corpus.Add("history", ReadAndRemove(scratch));
}

void AddSettings(Corpus& corpus, const QString& scratch) {
  Registry::SetFilePath(scratch);
  const Registry::NamedValue values[] = {{QStringLiteral("JpegQuality"), Registry::Value::Dword(90)},
                                         {QStringLiteral("Name"), Registry::Value::Sz(QStringLiteral("Blue sky"))}};
  Registry::SetValues(Registry::RootKey::CurrentUser, u"SOFTWARE\\Vesk Lorvane", values);
  corpus.Add("settings", ReadAndRemove(scratch));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder>\n");
    return 2;
  }
  Corpus corpus(QString::fromLocal8Bit(argv[1]));
  AddBmps(corpus);
  AddPictures(corpus);
  AddCrafted(corpus);
  AddSettings(corpus, QDir::temp().filePath(QStringLiteral("lorvane-seed-settings.ini")));
  AddLists(corpus, QDir::temp().filePath(QStringLiteral("lorvane-seed-History.tmp")));
  if (!corpus.Ok()) {
    std::fprintf(stderr, "make_fuzz_seeds: a seed could not be written\n");
    return 1;
  }
  return 0;
}
