#include <QDir>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include "foundation/DIBsave.h"
#include "foundation/GdiDIB.h"
#include "platform/gdiplus/Codecs.h"
#include "support/TestFolder.h"

namespace {

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Four flat quarters, so every format (GIF's palette, JPEG's blocks) keeps them well.
void DrawQuarters(DIBsave& canvas) {
  canvas.ClearScreen(0xFFFFFFFF);
  QPainter& p = canvas.MemGraphics->Painter();
  const int w = canvas.NewWidth / 2;
  const int h = canvas.NewHeight / 2;
  p.fillRect(0, 0, w, h, QColor(200, 30, 30));
  p.fillRect(w, 0, w, h, QColor(30, 200, 30));
  p.fillRect(0, h, w, h, QColor(30, 30, 200));
}

int MaxDifference(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
  }
  return worst;
}

}  // namespace

TEST(DIBsave, EveryFormatIndexReopensWithTheSamePicture) {
  TestSupport::TestFolder folder;
  DIBsave canvas;
  canvas.CreateBlankMemory(32, 64, nullptr, false);
  ASSERT_NE(canvas.MemGraphics, nullptr);
  DrawQuarters(canvas);
  constexpr int kJpeg = 1;
  for (int index = 0; index <= 6; ++index) {
    const QString path = folder.File(QString("picture%1").arg(index));
    ASSERT_TRUE(canvas.Save(path, index, 90)) << index;
    GdiDIB back;
    back.Import(path);
    ASSERT_NE(back.DIB(), nullptr) << index;
    EXPECT_EQ(back.Width(), 64.0f);
    EXPECT_EQ(back.Height(), 32.0f);
    if (index != kJpeg) {
      EXPECT_EQ(MaxDifference(back.DIB()->Image(), canvas.new_Img->Image()), 0) << index;
      continue;
    }
    // JPEG smooths colour across the quarters' edges; their middles stay close.
    for (QPoint middle : {QPoint(16, 8), QPoint(48, 8), QPoint(16, 24), QPoint(48, 24)}) {
      const QRect probe(middle, QSize(1, 1));
      EXPECT_LE(MaxDifference(back.DIB()->Image().copy(probe), canvas.new_Img->Image().copy(probe)), 6);
    }
  }
}

TEST(DIBsave, TransparentCanvasKeepsAlphaAndHeightComesFirst) {
  TestSupport::TestFolder folder;
  DIBsave canvas;
  canvas.CreateBlankMemory(100, 300, nullptr, false, 0xFFFFFFFF, true);
  EXPECT_EQ(canvas.NewWidth, 300);
  EXPECT_EQ(canvas.NewHeight, 100);
  canvas.ClearScreen(0x00000000);
  canvas.MemGraphics->Painter().fillRect(0, 0, 1, 1, QColor(10, 20, 30, 128));
  for (int index : {6, 0}) {
    const QString path = folder.File(QString("clear%1").arg(index));
    ASSERT_TRUE(canvas.Save(path, index));
    GdiDIB back;
    back.Import(path);
    ASSERT_NE(back.DIB(), nullptr);
    EXPECT_EQ(back.DIB()->Image().size(), QSize(300, 100));
    EXPECT_EQ(qAlpha(back.DIB()->Image().pixel(299, 99)), 0) << index;
    EXPECT_EQ(back.DIB()->Image().pixel(0, 0), qRgba(10, 20, 30, 128)) << index;
  }
}

TEST(DIBsave, FormatFollowsTheLastSaveAndQualityIsClamped) {
  TestSupport::TestFolder folder;
  DIBsave canvas;
  canvas.CreateBlankMemory(16, 16, nullptr, false);
  DrawQuarters(canvas);
  ASSERT_TRUE(canvas.Save(folder.File("a"), 1, 120));
  ASSERT_TRUE(canvas.Save(folder.File("b"), 6, 120));
  EXPECT_TRUE(ReadFile(folder.File("a")).startsWith("\xFF\xD8\xFF"));
  EXPECT_TRUE(ReadFile(folder.File("b")).startsWith("\x89PNG"));
  EXPECT_EQ(ReadFile(folder.File("a")), [&] {
    canvas.Save(folder.File("c"), 1, 100);
    return ReadFile(folder.File("c"));
  }());
  // An unknown index writes nothing, whatever the previous save used.
  EXPECT_FALSE(canvas.Save(folder.File("d"), 7));
  EXPECT_FALSE(canvas.Save(folder.File("e"), -1));
  EXPECT_FALSE(QFile::exists(folder.File("d")));
}

TEST(DIBsave, ExportFromPaletteSourceStillDraws) {
  TestSupport::TestFolder folder;
  DIBsave gif;
  gif.CreateBlankMemory(8, 8, nullptr, false);
  DrawQuarters(gif);
  ASSERT_TRUE(gif.Save(folder.File("source.gif"), 2));
  GdiDIB source;
  source.Import(folder.File("source.gif"));
  ASSERT_NE(source.DIB(), nullptr);
  EXPECT_EQ(source.DIB()->GetPixelFormat(), Gdip::PixelFormat8bppIndexed);

  DIBsave exporter;
  exporter.CreateBlankMemory(8, 8, source.DIB(), true);
  ASSERT_NE(exporter.MemGraphics, nullptr);
  exporter.MemGraphics->DrawImage(*source.DIB(), QRectF(0, 0, 8, 8));
  ASSERT_TRUE(exporter.Save(folder.File("export.gif"), 2));
  GdiDIB back;
  back.Import(folder.File("export.gif"));
  ASSERT_NE(back.DIB(), nullptr);
  EXPECT_EQ(back.DIB()->Image().pixel(1, 1), qRgb(200, 30, 30));
  EXPECT_EQ(back.DIB()->Image().pixel(6, 6), qRgb(255, 255, 255));
}

TEST(DIBsave, FailedSaveLeavesOldFileAndReportsIt) {
  TestSupport::TestFolder folder;
  const QByteArray original("precious bytes");
  const QString target = folder.Write("keep.png", original);
  DIBsave empty;
  EXPECT_FALSE(empty.Save(target, 6));
  DIBsave huge;
  huge.CreateBlankMemory(10, 40000, nullptr, false);  // wider than WMF coordinates reach
  EXPECT_FALSE(huge.Save(target, 4));
  EXPECT_FALSE(huge.Save(folder.File("gone/keep.png"), 6));
  EXPECT_EQ(ReadFile(target), original);
  EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files), QStringList{"keep.png"});
}

TEST(DIBsave, RecreateReleaseAndDestroyAreSafe) {
  DIBsave canvas;
  canvas.CreateBlankMemory(4, 4, nullptr, false);
  canvas.CreateBlankMemory(2, 3, nullptr, false);
  ASSERT_NE(canvas.new_Img, nullptr);
  EXPECT_EQ(canvas.new_Img->Width(), 3);
  canvas.ClearIMG();
  EXPECT_EQ(canvas.new_Img, nullptr);
  EXPECT_EQ(canvas.MemGraphics, nullptr);
  canvas.ClearScreen(0xFF000000);
  canvas.CreateBlankMemory(0, 5, nullptr, false);
  EXPECT_EQ(canvas.new_Img, nullptr);
  canvas.Destroy();
  canvas.Destroy();
  canvas.BitmapArray();
  canvas.SetWidth(10.5f);
  EXPECT_EQ(canvas.Width(), 10.0f);
}
