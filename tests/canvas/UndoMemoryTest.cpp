// Undo snapshots held in memory: compressed copies come back byte for byte, the step
// before the shown one never waits on a file, steps asked for quickly, while the next
// one is still being read ahead, each land on the right picture, and the memory held is
// counted in copies of the picture, whatever its size, whether or not files can be
// written and however far the writer lags behind the edits.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include "canvas/PackedPicture.h"
#include "canvas/SnapshotFolder.h"
#include "canvas/UndoSnapshots.h"
#include "support/TestFolder.h"

namespace {

// Noise compresses badly, so every band holds real data; the seed makes each distinct.
QImage Noise(QSize size, QImage::Format format, unsigned seed) {
  QImage image(size, format);
  std::mt19937 random(seed);
  for (int y = 0; y < image.height(); ++y) {
    uchar* row = image.scanLine(y);
    for (qsizetype x = 0; x < image.bytesPerLine(); ++x) {
      row[x] = uchar(random());
    }
  }
  return image;
}

// Opaque noise: every fourth byte is the same, so a compressed copy takes a little
// under the whole picture, predictably.
QImage OpaqueNoise(QSize size, unsigned seed) {
  QImage image = Noise(size, QImage::Format_ARGB32, seed);
  for (int y = 0; y < image.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      row[x] |= 0xFF000000;
    }
  }
  return image;
}

bool SameBytes(const QImage& a, const QImage& b) {
  if (a.size() != b.size() || a.format() != b.format() || a.bytesPerLine() != b.bytesPerLine()) {
    return false;
  }
  for (int y = 0; y < a.height(); ++y) {
    if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.bytesPerLine())) != 0) {
      return false;
    }
  }
  return true;
}

QImage Flat(int shade, QSize size = {6, 4}) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(qRgb(shade, 0, 0));
  return image;
}

int ShadeOf(const QImage& picture) { return qRed(picture.pixel(1, 1)); }

class UndoMemoryTest : public ::testing::Test {
 protected:
  void RemoveFiles(UndoSnapshots& history, int upTo) {
    history.WaitForWrites();
    for (int position = 0; position <= upTo; ++position) {
      QFile::remove(history.FilePath(position));
    }
  }

  // The snapshot folder is taken away and a plain file stands in its place.
  void BlockWrites() {
    ASSERT_TRUE(m_folder.Ensure());
    QDir(m_folder.Path()).removeRecursively();
    QFile blocker(m_folder.Path().chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  }

  // How many undo steps back from the newest position come back, each exactly.
  static int StepsBack(UndoSnapshots& history, const std::vector<QImage>& pictures) {
    int current = history.Count() - 1;
    while (const auto step = history.Step(current, true)) {
      if (step->first == current || !SameBytes(step->second, pictures[std::size_t(step->first)])) {
        break;
      }
      current = step->first;
    }
    return history.Count() - 1 - current;
  }

  TestSupport::TestFolder m_root;
  SnapshotFolder m_folder{m_root.File("Datas")};
};

}  // namespace

TEST(PackedPictureTest, PicturesOfEverySizeAndFormatComeBackByteForByte) {
  const QSize sizes[] = {{1, 1}, {3, 2}, {4097, 3}, {1500, 1100}};  // the last spans several bands
  unsigned seed = 1;
  for (const QSize size : sizes) {
    for (const auto format : {QImage::Format_ARGB32, QImage::Format_RGB888, QImage::Format_Grayscale8}) {
      const QImage picture = Noise(size, format, seed++);
      const QImage back = PackedPicture::Pack(picture).Unpack();
      EXPECT_TRUE(SameBytes(back, picture)) << size.width() << "x" << size.height() << " format " << format;
    }
  }
  QImage indexed = Noise({5, 7}, QImage::Format_Indexed8, 99);
  indexed.setColorTable(QList<QRgb>(256, qRgb(1, 2, 3)));
  indexed.setDotsPerMeterX(2835);
  const QImage back = PackedPicture::Pack(indexed).Unpack();
  EXPECT_TRUE(SameBytes(back, indexed));
  EXPECT_EQ(back.colorTable(), indexed.colorTable());
  EXPECT_EQ(back.dotsPerMeterX(), 2835);

  EXPECT_TRUE(PackedPicture::Pack(QImage()).IsNull());
  EXPECT_TRUE(PackedPicture::Pack(QImage()).Unpack().isNull());
}

TEST_F(UndoMemoryTest, TheShownPictureAndTheOneBeforeNeverWaitOnAFile) {
  UndoSnapshots history(m_folder, 0);
  for (int position = 0; position <= 3; ++position) {
    history.Write(position, Flat(position));
  }
  // Without any budget and without their files, the last two positions still step.
  RemoveFiles(history, 3);
  const auto back = history.Step(3, true);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->first, 2);
  EXPECT_EQ(ShadeOf(back->second), 2);
  EXPECT_FALSE(history.Step(2, true));  // position 1 lived only in its file
}

TEST_F(UndoMemoryTest, SnapshotsBeyondTheBudgetComeBackFromTheirCompressedCopies) {
  const QSize size(301, 203);
  std::vector<QImage> pictures;
  for (int position = 0; position <= 5; ++position) {
    pictures.push_back(Noise(size, QImage::Format_ARGB32, unsigned(position + 10)));
  }
  // Room for every compressed copy: noise does not compress, so each takes a little more
  // than its picture.
  UndoSnapshots history(m_folder, 7);
  for (int position = 0; position <= 5; ++position) {
    history.Write(position, pictures[std::size_t(position)]);
  }
  // With the files gone, every step back and forth is restored from memory, exactly.
  RemoveFiles(history, 5);
  for (int position = 5; position > 0; --position) {
    const auto step = history.Step(position, true);
    ASSERT_TRUE(step) << position;
    EXPECT_TRUE(SameBytes(step->second, pictures[std::size_t(position - 1)])) << position;
  }
  for (int position = 0; position < 5; ++position) {
    const auto step = history.Step(position, false);
    ASSERT_TRUE(step) << position;
    EXPECT_TRUE(SameBytes(step->second, pictures[std::size_t(position + 1)])) << position;
  }
}

TEST_F(UndoMemoryTest, QuickStepsDuringReadAheadsLandOnTheRightPictures) {
  // Pictures large enough that each read-ahead from its file is still running when the
  // next step is asked for.
  const QSize size(900, 700);
  constexpr int kNewest = 6;
  UndoSnapshots history(m_folder, 0);
  for (int position = 0; position <= kNewest; ++position) {
    history.Write(position, Flat(10 * position, size));
  }
  history.WaitForWrites();
  int current = kNewest;
  for (const bool isUndo : {true, false}) {
    for (int i = 0; i < kNewest; ++i) {
      const auto step = history.Step(current, isUndo);
      ASSERT_TRUE(step) << current << (isUndo ? " undo" : " redo");
      EXPECT_EQ(step->first, current + (isUndo ? -1 : 1));
      EXPECT_EQ(ShadeOf(step->second), 10 * step->first);
      current = step->first;
    }
  }
  // A new edit while a read-ahead runs replaces what the read would have brought back.
  const auto back = history.Step(current, true);
  ASSERT_TRUE(back);
  history.Write(back->first, Flat(255, size));
  history.Write(back->first + 1, Flat(254, size));
  EXPECT_EQ(history.Count(), kNewest + 1);
  EXPECT_EQ(ShadeOf(*history.Read(back->first)), 255);
  history.WaitForWrites();
  EXPECT_EQ(ShadeOf(*history.Read(back->first)), 255);
}

TEST_F(UndoMemoryTest, TheHistoryHoldsAsManyStepsInMemoryWhateverThePictureSize) {
  constexpr int kNewest = 7;
  constexpr int kPackedCopies = 2;
  for (const QSize size : {QSize(64, 48), QSize(512, 384)}) {
    std::vector<QImage> pictures;
    UndoSnapshots history(m_folder, kPackedCopies);
    for (int position = 0; position <= kNewest; ++position) {
      pictures.push_back(OpaqueNoise(size, unsigned(position + 40)));
      history.Write(position, pictures.back());
    }
    RemoveFiles(history, kNewest);
    // Two whole pictures (the shown step has no later one) and two compressed copies.
    const qint64 picture = pictures[0].sizeInBytes();
    EXPECT_LE(history.HeldBytes(), (2 + kPackedCopies) * picture) << size.width();
    EXPECT_GT(history.HeldBytes(), (2 + 1) * picture) << size.width();
    // The step before the shown one whole, two more compressed; the rest were files.
    EXPECT_EQ(StepsBack(history, pictures), 3) << size.width();
  }
}

TEST_F(UndoMemoryTest, UndoAndRedoThroughEveryPositionReturnExactPicturesFromFiles) {
  // More commits than positions: the last position takes each further one. Memory holds
  // a few of the fifty-one, files the others.
  const QSize size(400, 200);
  std::vector<QImage> pictures(UndoSnapshots::kLastPosition + 1);
  UndoSnapshots history(m_folder);
  for (int commit = 0, position = 0; commit < 56; ++commit) {
    position = commit == 0 ? 0 : UndoSnapshots::CommitPosition(position);
    pictures[std::size_t(position)] = OpaqueNoise(size, unsigned(commit + 100));
    history.Write(position, pictures[std::size_t(position)]);
  }
  history.WaitForWrites();
  ASSERT_EQ(history.Count(), UndoSnapshots::kLastPosition + 1);
  int current = UndoSnapshots::kLastPosition;
  for (const bool isUndo : {true, false}) {
    for (int i = 0; i < UndoSnapshots::kLastPosition; ++i) {
      const auto step = history.Step(current, isUndo);
      ASSERT_TRUE(step) << current;
      ASSERT_EQ(step->first, current + (isUndo ? -1 : 1));
      ASSERT_TRUE(SameBytes(step->second, pictures[std::size_t(step->first)])) << step->first;
      current = step->first;
    }
    EXPECT_EQ(current, isUndo ? 0 : UndoSnapshots::kLastPosition);
  }
}

TEST_F(UndoMemoryTest, AnUnwritableHistoryStaysWithinItsCopiesAndStillUndoes) {
  const QSize size(400, 300);
  UndoSnapshots history(m_folder, 1);
  std::vector<QImage> pictures{OpaqueNoise(size, 1)};
  history.Keep(0, pictures[0]);
  BlockWrites();
  for (int position = 1; position <= 12; ++position) {
    pictures.push_back(OpaqueNoise(size, unsigned(position + 1)));
    history.Write(position, pictures.back());
    history.WaitForWrites();
    EXPECT_LE(history.HeldBytes(), 3 * pictures[0].sizeInBytes()) << position;
  }
  // The two newest whole and the newest compressed copy that fits one picture's size.
  EXPECT_TRUE(history.Exists(10));
  EXPECT_FALSE(history.Exists(9));
  EXPECT_EQ(StepsBack(history, pictures), 2);
}

TEST_F(UndoMemoryTest, QuickEditsAndUndosAheadOfASlowWriterStayWithinTheWholeCopies) {
  // Without compressed copies a quick edit waits for an older step's file; with them the
  // older steps are compressed while they wait.
  for (const int packedCopies : {0, 1}) {
    const QSize size(200, 150);
    std::atomic<int> most = 0;
    const UndoSnapshots* watched = nullptr;
    const auto note = [&] { most = std::max(most.load(), watched->WholeCopies()); };
    UndoSnapshots history(m_folder, packedCopies, [&](const QImage& picture, const QString& path) {
      note();
      // Slowed on purpose: each file takes as long as many edits.
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      return picture.save(path, "PNG");
    });
    watched = &history;
    constexpr int kEdits = 40;
    std::vector<QImage> pictures;
    for (int position = 0; position <= kEdits; ++position) {
      pictures.push_back(OpaqueNoise(size, unsigned(position + 200)));
      history.Write(position, pictures.back());
      note();
    }
    int current = kEdits;
    for (int undo = 0; undo < 20; ++undo) {
      const auto step = history.Step(current, true);
      ASSERT_TRUE(step) << current;
      note();
      ASSERT_EQ(step->first, current - 1);
      ASSERT_TRUE(SameBytes(step->second, pictures[std::size_t(step->first)])) << step->first;
      current = step->first;
    }
    EXPECT_LE(most, UndoSnapshots::kWholeCopies) << packedCopies;
    EXPECT_EQ(most, UndoSnapshots::kWholeCopies) << "the writer was meant to lag behind";

    // All the way back gives the first picture, and redo the last.
    while (current > 0) {
      current = history.Step(current, true)->first;
    }
    EXPECT_TRUE(SameBytes(*history.Read(0), pictures[0]));
    while (const auto step = history.Step(current, false)) {
      current = step->first;
    }
    EXPECT_EQ(current, kEdits);
    EXPECT_TRUE(SameBytes(*history.Read(kEdits), pictures.back()));
    EXPECT_LE(most, UndoSnapshots::kWholeCopies) << packedCopies;
  }
}
