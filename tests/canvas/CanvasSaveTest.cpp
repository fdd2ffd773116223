// The canvas's undo history, saving and deleting, over a temporary program folder.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <gtest/gtest.h>
#include <tiffio.h>

#include "CanvasEvents.h"
#include "canvas/CanvasSave.h"
#include "canvas/Imageqzviewer.h"
#include "foundation/ModGDI.h"
#include "foundation/ModPublic.h"
#include "platform/gdiplus/Bitmap.h"
#include "platform/gdiplus/BmpCodec.h"
#include "platform/gdiplus/Codecs.h"
#include "platform/gdiplus/LittleEndian.h"
#include "platform/gdiplus/OntoWhite.h"
#include "support/TestFolder.h"
#include "support/fakes/ScriptedMessageBox.h"

namespace {

QImage Flat(QRgb colour) {
  QImage image(8, 6, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray FormatOf(const QString& path) { return QImageReader(path).format(); }

class CanvasSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ModPublic::SetProgramFolder(m_folder.Path());
    ModPublic::DataFolderPath = ModPublic::ProgramFolder() + "Datas/";
    QDir().mkpath(ModPublic::DataFolderPath);
    m_canvas = std::make_unique<Imageqzviewer>();
    m_canvas->resize(200, 150);
    m_events.Connect(*m_canvas);
  }
  void TearDown() override { m_canvas.reset(); }

  QString Open(const QString& name, const QImage& image, const char* format = "PNG") {
    const QString path = m_folder.File(name);
    EXPECT_TRUE(image.save(path, format));
    EXPECT_TRUE(m_canvas->Open(path));
    return path;
  }
  QRgb Shown() const { return m_canvas->ImgDIB.DIB() ? m_canvas->ImgDIB.DIB()->Image().pixel(1, 1) : 0; }
  QStringList SnapshotFiles() {
    m_canvas->WaitForSnapshot();
    QStringList names = QFileInfo(Imageqzviewer::UndoFilePath(0)).dir().entryList({"*.udo"}, QDir::Files);
    names.sort();
    return names;
  }
  void ExpectToolbarInStep() const {
    ASSERT_FALSE(m_events.undoStates.empty());
    EXPECT_EQ(m_events.undoStates.back(), std::make_pair(m_canvas->UndoE(), m_canvas->RedoE()));
  }

  TestSupport::TestFolder m_folder;
  CanvasTesting::CanvasEvents m_events;
  std::unique_ptr<Imageqzviewer> m_canvas;
};

}  // namespace

TEST_F(CanvasSaveTest, CommitsUndoAndRedoKeepFilesFlagsAndToolbarInStep) {
  Open("a.png", Flat(0xFF000000));
  EXPECT_EQ(SnapshotFiles(), QStringList());
  for (int i = 1; i <= 3; ++i) {
    m_canvas->CommitUndoStep(Flat(qRgb(i, 0, 0)));
    EXPECT_EQ(Shown(), qRgb(i, 0, 0));
    EXPECT_EQ(SnapshotFiles().size(), i + 1);
  }
  EXPECT_FALSE(m_canvas->SaveState());
  EXPECT_TRUE(m_canvas->AppliedEffect());
  EXPECT_TRUE(m_canvas->UndoE());
  EXPECT_FALSE(m_canvas->RedoE());
  ExpectToolbarInStep();

  m_canvas->UndoAndRedo(true);
  m_canvas->UndoAndRedo(true);
  EXPECT_EQ(m_canvas->UndoIndex(), 1);
  EXPECT_EQ(Shown(), qRgb(1, 0, 0));
  EXPECT_TRUE(m_canvas->RedoE());
  ExpectToolbarInStep();

  // A new edit after undo replaces the later steps: redo cannot bring them back.
  m_canvas->CommitUndoStep(Flat(qRgb(9, 0, 0)));
  EXPECT_EQ(SnapshotFiles(), (QStringList{"Undo0.udo", "Undo1.udo", "Undo2.udo"}));
  EXPECT_FALSE(m_canvas->RedoE());
  m_canvas->UndoAndRedo(false);
  EXPECT_EQ(m_canvas->UndoIndex(), 2);
  EXPECT_EQ(Shown(), qRgb(9, 0, 0));

  for (int i = 0; i < 3; ++i) {
    m_canvas->UndoAndRedo(true);
  }
  EXPECT_EQ(m_canvas->UndoIndex(), 0);
  EXPECT_EQ(Shown(), 0xFF000000);
  EXPECT_FALSE(m_canvas->UndoE());
  ExpectToolbarInStep();
  EXPECT_FALSE(m_canvas->SaveState());  // stepping changes no flags

  // A new file starts a new history, in memory until its first edit.
  Open("b.png", Flat(0xFFFFFFFF));
  EXPECT_EQ(SnapshotFiles(), QStringList());
  EXPECT_FALSE(m_canvas->RedoE());
  ExpectToolbarInStep();
}

TEST_F(CanvasSaveTest, ViewingPicturesWritesNothingAndTheFirstEditWritesPositionZeroFirst) {
  for (int i = 0; i < 10; ++i) {
    Open(QStringLiteral("p%1.png").arg(i), Flat(qRgb(0, i, 0)));
    m_canvas->Relayout();
  }
  EXPECT_EQ(SnapshotFiles(), QStringList());
  EXPECT_FALSE(m_canvas->UndoE());

  m_canvas->CommitUndoStep(Flat(qRgb(7, 7, 7)));
  EXPECT_EQ(SnapshotFiles(), (QStringList{"Undo0.udo", "Undo1.udo"}));
  // Position 0 went to disk before the edit's own snapshot.
  const QFileInfo zero(Imageqzviewer::UndoFilePath(0));
  const QFileInfo one(Imageqzviewer::UndoFilePath(1));
  EXPECT_LE(zero.lastModified(), one.lastModified());
  EXPECT_EQ(QImage(zero.filePath()).pixel(0, 0), qRgb(0, 9, 0));
  EXPECT_TRUE(m_canvas->UndoE());
  m_canvas->UndoAndRedo(true);
  EXPECT_EQ(m_canvas->UndoIndex(), 0);
  EXPECT_EQ(Shown(), qRgb(0, 9, 0));
  m_canvas->UndoAndRedo(false);
  EXPECT_EQ(Shown(), qRgb(7, 7, 7));
}

TEST_F(CanvasSaveTest, SnapshotWritesThatFailAreReportedOnceAndTheEditsStayShown) {
  Fakes::ScriptedMessageBox boxes;
  Open("a.png", Flat(0xFF000000));
  // A plain file stands where the snapshot folder was: every write fails.
  const QString folder = QFileInfo(Imageqzviewer::UndoFilePath(0)).path();
  QDir(folder).removeRecursively();
  QFile blocker(folder);
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  for (int i = 1; i <= 3; ++i) {
    m_canvas->CommitUndoStep(Flat(qRgb(i, 0, 0)));
    m_canvas->WaitForSnapshot();
    QCoreApplication::processEvents();
  }
  ASSERT_EQ(boxes.shown.size(), 1U);
  EXPECT_EQ(boxes.shown[0].prompt,
            "Undo steps could not be saved: the data folder cannot be written to. Older steps will not be kept.");
  EXPECT_EQ(Shown(), qRgb(3, 0, 0));
  m_canvas->UndoAndRedo(true);
  EXPECT_EQ(Shown(), qRgb(2, 0, 0));
  QFile::remove(folder);
}

TEST_F(CanvasSaveTest, PastTheFiftiethCommitOnlyTheNewestSnapshotIsReplaced) {
  Open("a.png", Flat(0xFF000000));
  for (int i = 1; i <= 52; ++i) {
    m_canvas->CommitUndoStep(Flat(qRgb(i, 0, 0)));
  }
  EXPECT_EQ(m_canvas->UndoIndex(), 50);
  EXPECT_EQ(SnapshotFiles().size(), 51);
  EXPECT_EQ(QImage(Imageqzviewer::UndoFilePath(50)).pixel(1, 1), qRgb(52, 0, 0));
  EXPECT_EQ(QImage(Imageqzviewer::UndoFilePath(49)).pixel(1, 1), qRgb(49, 0, 0));
  m_canvas->UndoAndRedo(true);
  EXPECT_EQ(Shown(), qRgb(49, 0, 0));
}

TEST_F(CanvasSaveTest, SavingInPlaceFollowsTheExtension) {
  Open("photo.JPEG", Flat(0xFF336699), "JPEG");
  m_canvas->CommitUndoStep(Flat(0xFF996633));
  ASSERT_TRUE(m_canvas->SaveOnly());
  EXPECT_EQ(FormatOf(m_folder.File("photo.JPEG")), "jpeg");
  EXPECT_TRUE(m_canvas->SaveState());
  const QRgb saved = QImage(m_folder.File("photo.JPEG")).pixel(1, 1);
  EXPECT_LE(std::abs(qRed(saved) - 0x99), 2);  // quality 100 keeps a flat colour

  Open("scan.tiff", Flat(0xFF00FF00), "TIFF");
  ASSERT_TRUE(m_canvas->SaveOnly());
  EXPECT_EQ(FormatOf(m_folder.File("scan.tiff")), "tiff");

  // A palette picture is drawn in 32 bits and reduced again, never saved empty.
  QImage indexed(8, 6, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
  indexed.fill(0);
  indexed.setPixel(3, 2, 1);
  const auto gif = Gdip::Bitmap::FromImage(indexed, Gdip::PixelFormat8bppIndexed);
  QUuid gifEncoder;
  ModGDI::GetEncoderClsid("image/gif", gifEncoder);
  const QString gifPath = m_folder.File("anim.gif");
  ASSERT_EQ(Gdip::SaveImageToFile(*gif, gifPath, gifEncoder), Gdip::Status::Ok);
  ASSERT_TRUE(m_canvas->Open(gifPath));
  ASSERT_TRUE(m_canvas->SaveOnly());
  const auto back = Gdip::LoadImageFromFile(gifPath);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Image().pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(back->Image().pixel(3, 2), qRgb(0, 0, 255));
}

TEST_F(CanvasSaveTest, SavingInPlaceRefusesWhatItCannotWrite) {
  for (const QString name : {"drawing.wmf", "noextension"}) {
    const QString path = m_folder.Write(name, "untouched");
    ASSERT_TRUE(Flat(0xFF123456).save(m_folder.File("p.png")));
    ASSERT_TRUE(m_canvas->Open(m_folder.File("p.png")));
    m_canvas->CurFilename = path;
    m_canvas->CommitUndoStep(Flat(0xFF000000));
    EXPECT_FALSE(m_canvas->SaveOnly()) << name.toStdString();
    EXPECT_EQ(Contents(path), "untouched");
    EXPECT_FALSE(m_canvas->SaveState());
  }
  ASSERT_TRUE(m_canvas->NewImage(10, 10, 0xFFFFFF));
  EXPECT_FALSE(m_canvas->SaveOnly());
  EXPECT_FALSE(CanvasSave::FormatForExtension("emf"));
  EXPECT_EQ(CanvasSave::FormatForExtension("jpg")->Quality, 100);
  EXPECT_EQ(CanvasSave::FormatForExtension("bmp")->Types, 0);
}

TEST_F(CanvasSaveTest, AFailedSaveLeavesTheFileAndTheUnsavedFlag) {
  const QString path = Open("keep.png", Flat(0xFF112233));
  const QByteArray before = Contents(path);
  m_canvas->CommitUndoStep(Flat(0xFF445566));
  EXPECT_FALSE(m_canvas->SaveImage(path, 9, 90));  // no such format
  EXPECT_EQ(Contents(path), before);
  EXPECT_FALSE(m_canvas->SaveState());

  QFile::setPermissions(m_folder.Path(), QFile::ReadOwner | QFile::ExeOwner);
  // With rights that a read-only folder does not stop, only the failed encode is checked.
  if (!QFile(m_folder.File("probe")).open(QIODevice::WriteOnly)) {
    EXPECT_FALSE(m_canvas->SaveOnly());
    EXPECT_EQ(Contents(path), before);
    EXPECT_FALSE(m_canvas->SaveState());
  }
  QFile::setPermissions(m_folder.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QFile::remove(m_folder.File("probe"));

  // Save-as over an existing file replaces it.
  const QString other = m_folder.Write("other.bmp", "old bytes");
  ASSERT_TRUE(m_canvas->SaveImage(other, 0, 90));
  EXPECT_EQ(FormatOf(other), "bmp");
  EXPECT_EQ(QImage(other).pixel(1, 1), 0xFF445566);
  EXPECT_TRUE(m_canvas->SaveState());
}

using TestSupport::RedirectedDataHome;

TEST_F(CanvasSaveTest, DeletingTrashesTheFileAndKeepsThePictureShown) {
  RedirectedDataHome home(m_folder.MakeFolder("home"));
  const QString first = Open("first.png", Flat(0xFF0000FF));

  Fakes::ScriptedMessageBox refuse({Forms::vbNo});
  EXPECT_FALSE(m_canvas->DeleteImage());
  EXPECT_TRUE(QFile::exists(first));
  EXPECT_EQ(m_canvas->CurFilename, first);
  EXPECT_FALSE(QFile::exists(m_canvas->DeleteCopyPath()));

  Fakes::ScriptedMessageBox agree({Forms::vbYes});
  ASSERT_TRUE(m_canvas->DeleteImage());
  EXPECT_FALSE(QFile::exists(first));
  EXPECT_TRUE(QFile::exists(m_folder.File("home/Trash/files/first.png")));
  EXPECT_TRUE(QFile::exists(m_folder.File("home/Trash/info/first.png.trashinfo")));
  EXPECT_EQ(m_canvas->CurFilename, m_canvas->DeleteCopyPath());
  EXPECT_EQ(Shown(), 0xFF0000FF);

  // The copy is the canvas's own: a second delete asks nothing and changes nothing.
  EXPECT_FALSE(m_canvas->DeleteImage());
  EXPECT_EQ(agree.shown.size(), 1u);
  EXPECT_FALSE(m_canvas->SaveOnly());
  EXPECT_TRUE(QFile::exists(m_canvas->DeleteCopyPath()));

  const QString second = Open("second.png", Flat(0xFF00FF00));
  QFile::remove(second);  // gone behind the canvas's back
  EXPECT_FALSE(m_canvas->DeleteImage());
  EXPECT_EQ(agree.shown.size(), 1u);
  EXPECT_EQ(m_canvas->CurFilename, second);

  m_canvas->DisposeImgDIB();
  EXPECT_TRUE(m_canvas->NoOpen());
}

namespace {

// Bits per pixel as the file stores them, for BMP, PNG and TIFF.
int StoredDepth(const QString& path) {
  const QByteArray bytes = Contents(path);
  const Gdip::LeReader in(Gdip::AsBytes(bytes));
  if (bytes.startsWith("BM")) {
    return in.U16(28);
  }
  if (bytes.startsWith("\x89PNG")) {
    return in.U8(24) * (in.U8(25) == 2 ? 3 : in.U8(25) == 6 ? 4 : 1);
  }
  TIFF* tif = TIFFOpen(path.toLocal8Bit().constData(), "r");
  std::uint16_t bits = 0, samples = 0;
  if (tif != nullptr) {
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFClose(tif);
  }
  return bits * samples;
}

QImage Argb(const QString& path) {
  const auto bitmap = Gdip::LoadImageFromFile(path);
  return bitmap ? bitmap->Image().convertToFormat(QImage::Format_ARGB32) : QImage();
}

QByteArray IndexedBmp(int depth, const QList<QRgb>& palette) {
  QImage indexes(7, 3, QImage::Format_Indexed8);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      indexes.setPixel(x, y, uint((x + y) % palette.size()));
    }
  }
  // Packed rows, bottom row first, as the format stores them.
  QByteArray bits;
  const std::size_t rowBytes = Gdip::BmpCodec::DibRowBytes(7, depth);
  for (int y = 2; y >= 0; --y) {
    QByteArray row(qsizetype(rowBytes), '\0');
    for (int x = 0; x < 7; ++x) {
      const int perByte = 8 / depth;
      row[x / perByte] = char(row[x / perByte] | (indexes.pixelIndex(x, y) << (8 - depth * (x % perByte + 1))));
    }
    bits += row;
  }
  Gdip::BmpCodec::DibRows rows;
  rows.Width = 7;
  rows.Height = 3;
  rows.BitsPerPixel = depth;
  rows.FirstStoredRow = reinterpret_cast<const std::uint8_t*>(bits.constData());
  rows.Stride = std::ptrdiff_t(rowBytes);
  rows.Palette = {palette.constData(), std::size_t(palette.size())};
  return Gdip::BmpCodec::EncodeBmpFile(rows);
}

QImage QtIndexed(const QList<QRgb>& palette) {
  QImage image(9, 4, QImage::Format_Indexed8);
  image.setColorTable(palette);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) {
      image.setPixel(x, y, uint((x * 3 + y) % palette.size()));
    }
  }
  return image;
}

}  // namespace

TEST_F(CanvasSaveTest, SavingInPlaceKeepsAPalettePictureAtItsDepth) {
  const QList<QRgb> two{qRgb(0, 0, 0), qRgb(255, 255, 255)};
  const QList<QRgb> many{qRgb(200, 10, 10), qRgb(10, 200, 10), qRgb(10, 10, 200), qRgb(90, 90, 0), qRgb(1, 2, 3)};
  QList<QRgb> withClear = many;
  withClear.append(qRgba(0, 0, 0, 0));
  const struct {
    const char* name;
    QByteArray bytes;
    int depth;
  } files[] = {
      {"one.bmp", IndexedBmp(1, {qRgb(255, 0, 0), qRgb(0, 0, 255)}), 1},
      {"four.bmp", IndexedBmp(4, many), 4},
      {"eight.bmp", IndexedBmp(8, QList<QRgb>(101, qRgb(7, 7, 7)) + many), 8},
      {"clear.png", [&] {
         QByteArray png;
         QBuffer buffer(&png);
         buffer.open(QIODevice::WriteOnly);
         QImageWriter(&buffer, "png").write(QtIndexed(withClear));
         return png;
       }(), 8},
      {"bilevel.tif", [&] {
         QByteArray tiff;
         QBuffer buffer(&tiff);
         buffer.open(QIODevice::WriteOnly);
         QImageWriter(&buffer, "tiff").write(QtIndexed(two).convertToFormat(QImage::Format_Mono));
         return tiff;
       }(), 1},
  };
  for (const auto& f : files) {
    const QString path = m_folder.Write(f.name, f.bytes);
    ASSERT_EQ(StoredDepth(path), f.depth) << f.name;
    const QImage before = Argb(path);
    ASSERT_FALSE(before.isNull()) << f.name;
    ASSERT_TRUE(m_canvas->Open(path)) << f.name;
    ASSERT_TRUE(m_canvas->SaveOnly()) << f.name;
    EXPECT_EQ(StoredDepth(path), f.depth) << f.name;
    EXPECT_EQ(Argb(path), before) << f.name;
  }
  // A picture that has gained colours beyond its depth is written in full colour.
  const QString path = m_folder.Write("grown.bmp", IndexedBmp(1, two));
  ASSERT_TRUE(m_canvas->Open(path));
  QImage colourful(7, 3, QImage::Format_ARGB32);
  colourful.fill(0xFF000000);
  for (int x = 0; x < 7; ++x) {
    colourful.setPixel(x, 0, qRgb(x * 30, 100, 200));
  }
  m_canvas->CommitUndoStep(colourful);
  ASSERT_TRUE(m_canvas->SaveOnly());
  EXPECT_GE(StoredDepth(path), 24);
}

// A picture as it was opened (32 bits, reported as 24), as an edit leaves it (ARGB32),
// and with clear and translucent pixels, in a format with alpha and in one without:
// each save reloads as that form shows, whether it was encoded as it is or drawn first,
// and the picture on the canvas is left as it was.
TEST_F(CanvasSaveTest, EveryFormOfThePictureReloadsAsItShowsInEveryFormat) {
  QImage opaque(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      opaque.setPixel(x, y, qRgb(60 + x / 4 * 16, 40 + y / 3 * 20, 90));  // 100 colours: GIF keeps them
    }
  }
  QImage holes = opaque.convertToFormat(QImage::Format_ARGB32);
  holes.setPixel(0, 0, qRgba(1, 2, 3, 0));
  holes.setPixel(1, 0, qRgba(255, 0, 0, 128));
  const struct {
    QImage image;
    Gdip::PixelFormat format;
  } forms[] = {
      {opaque, Gdip::PixelFormat24bppRGB},
      {opaque.convertToFormat(QImage::Format_ARGB32), Gdip::PixelFormat32bppARGB},
      {holes, Gdip::PixelFormat24bppRGB},
      {holes, Gdip::PixelFormat32bppARGB},
  };
  const QImage onWhite = Gdip::OntoWhite(holes).convertToFormat(QImage::Format_ARGB32);
  constexpr int kBmp = 0, kJpeg = 1, kGif = 2, kTiff = 5, kPng = 6;
  for (std::size_t f = 0; f < std::size(forms); ++f) {
    const auto picture = Gdip::Bitmap::FromImage(forms[f].image, forms[f].format);
    const QImage before = forms[f].image.copy();
    const bool keepsAlpha = forms[f].format == Gdip::PixelFormat32bppARGB;
    for (const int type : {kBmp, kJpeg, kGif, kTiff, kPng}) {
      const QString path = m_folder.File(QStringLiteral("form%1-type%2").arg(f).arg(type));
      ASSERT_TRUE(CanvasSave::WritePicture(*picture, path, type, 100)) << f << " " << type;
      const QImage back = Argb(path);
      ASSERT_FALSE(back.isNull()) << f << " " << type;
      const QImage shown = forms[f].image.convertToFormat(QImage::Format_ARGB32);
      if (type == kJpeg) {
        EXPECT_LE(std::abs(qGreen(back.pixel(21, 20)) - qGreen(shown.pixel(21, 20))), 6) << f;
        EXPECT_GE(qBlue(back.pixel(0, 0)), f >= 2 ? 250 : 0) << f << " a clear pixel is white";
      } else if (type == kGif || !keepsAlpha) {
        // One clear colour at most: a translucent pixel is written as it looks on white.
        const QImage expected = f < 2 ? shown : onWhite;
        EXPECT_EQ(back.pixel(1, 0), expected.pixel(1, 0)) << f << " " << type;
        EXPECT_EQ(back.pixel(39, 29), expected.pixel(39, 29)) << f << " " << type;
        EXPECT_EQ(qAlpha(back.pixel(0, 0)), type == kGif && f == 3 ? 0 : 255) << f << " " << type;
      } else {
        EXPECT_EQ(back.copy(1, 0, 39, 30), shown.copy(1, 0, 39, 30)) << f << " " << type;
        EXPECT_EQ(qAlpha(back.pixel(0, 0)), qAlpha(shown.pixel(0, 0))) << f << " " << type;
      }
    }
    EXPECT_EQ(picture->Image(), before) << f;
  }
}
