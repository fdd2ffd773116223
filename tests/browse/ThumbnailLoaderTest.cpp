#include "browse/ThumbnailLoader.h"

#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include "browse/SheetPictures.h"
#include "support/TestFolder.h"

namespace {

const QSize kBox(160, 160);

}  // namespace

TEST(ThumbnailLoaderTest, PicturesAreFittedNeverEnlargedAndKeepTheirSourceSize) {
  TestSupport::TestFolder folder;
  struct Case {
    const char* name;
    QSize size;
    QSize thumb;
  };
  for (const Case& c : {Case{"wide.jpg", {4000, 3000}, {160, 120}}, Case{"tall.png", {300, 600}, {80, 160}},
                        Case{"small.bmp", {40, 30}, {40, 30}}, Case{"flat.png", {640, 16}, {160, 4}},
                        Case{"page.tif", {200, 200}, {160, 160}}}) {
    const QString path = SheetPictures::Write(folder, c.name, c.size, QColor(200, 30, 30));
    const ThumbPicture picture = ThumbnailLoader::Decode(path, kBox);
    EXPECT_EQ(picture.Source, c.size) << c.name;
    EXPECT_EQ(picture.Thumb.size(), c.thumb) << c.name;
    EXPECT_TRUE(SheetPictures::Near(picture.Thumb.pixelColor(c.thumb.width() / 2, c.thumb.height() / 2),
                                    QColor(200, 30, 30)))
        << c.name;
  }
}

TEST(ThumbnailLoaderTest, UnreadableFilesGiveAnEmptyPicture) {
  TestSupport::TestFolder folder;
  const QString good = SheetPictures::Write(folder, "good.jpg", {640, 480}, Qt::blue);
  QFile file(good);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray head = file.read(120);
  for (const QString& path : {folder.Write("garbage.jpg", QByteArray(5000, 'x')), folder.Write("cut.jpg", head),
                              folder.Write("empty.png", {}), folder.File("missing.png")}) {
    const ThumbPicture picture = ThumbnailLoader::Decode(path, kBox);
    EXPECT_TRUE(picture.Thumb.isNull()) << path.toStdString();
    EXPECT_EQ(picture.Source, QSize(0, 0)) << path.toStdString();
  }
}

TEST(ThumbnailLoaderTest, CacheAnswersOnlyForTheSameFileState) {
  ThumbnailLoader loader;
  const ThumbRequest request{3, "/pics/a.jpg", kBox, 1000, 1700000000};
  ThumbPicture picture{{640, 480}, QImage(160, 120, QImage::Format_RGB32)};
  loader.Remember(request, picture);
  ASSERT_NE(loader.Cached(request), nullptr);
  EXPECT_EQ(loader.Cached(request)->Source, QSize(640, 480));
  ThumbRequest changed = request;
  changed.Modified += 1;
  EXPECT_EQ(loader.Cached(changed), nullptr);
  ThumbRequest otherSize = request;
  otherSize.Box = QSize(100, 100);
  EXPECT_EQ(loader.Cached(otherSize), nullptr);
  loader.Forget("/pics/a.jpg");
  EXPECT_EQ(loader.Cached(request), nullptr);
}

TEST(ThumbnailLoaderTest, ACancelledBatchDeliversNothingAndTheNextOneEverything) {
  TestSupport::TestFolder folder;
  std::vector<ThumbRequest> first;
  std::vector<ThumbRequest> second;
  for (int i = 0; i < 24; ++i) {
    const QString name = QStringLiteral("p%1.png").arg(i);
    first.push_back({i, SheetPictures::Write(folder, name, {900, 700}, Qt::red), kBox, 0, i});
    second.push_back({100 + i, first.back().Path, QSize(100, 100), 0, i});
  }
  ThumbnailLoader loader;
  std::vector<int> rows;
  int finished = 0;
  QObject::connect(&loader, &ThumbnailLoader::Delivered, [&](int row, const ThumbPicture&) { rows.push_back(row); });
  QObject::connect(&loader, &ThumbnailLoader::Finished, [&] { ++finished; });
  loader.Start(first);
  loader.Start(second);
  ASSERT_TRUE(QTest::qWaitFor([&] { return finished == 1; }, 20000));
  QTest::qWait(100);
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](int row) { return row >= 100; }));
  EXPECT_FALSE(loader.Busy());
}

TEST(ThumbnailLoaderTest, RequestsAskedForFirstAreDecodedBeforeTheRest) {
  TestSupport::TestFolder folder;
  const QString path = SheetPictures::Write(folder, "photo.jpg", {1600, 1200}, Qt::gray);
  std::vector<ThumbRequest> requests;
  for (int i = 0; i < 120; ++i) {
    // Decoded at full size, so that the workers cannot run through the queue before the
    // new order arrives.
    requests.push_back({i, path, QSize(2000, 2000), 0, 0});
  }
  ThumbnailLoader loader;
  std::vector<int> rows;
  QObject::connect(&loader, &ThumbnailLoader::Delivered, [&](int row, const ThumbPicture&) { rows.push_back(row); });
  loader.Start(requests);
  // Scrolled down while drawing: the rows that came into view jump the queue.
  loader.Prioritize({110, 111, 112, 113});
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows.size() == requests.size(); }, 30000));
  const auto position = [&](int row) { return std::find(rows.begin(), rows.end(), row) - rows.begin(); };
  for (int row : {110, 111, 112, 113}) {
    EXPECT_LT(position(row), position(100)) << row;
  }
}
