#include "windows/SkinBackground.h"

#include <set>

#include <gtest/gtest.h>

#include "support/TestFolder.h"

namespace {

const SkinPiece* PieceFrom(const std::vector<SkinPiece>& pieces, QRect source) {
  for (const SkinPiece& piece : pieces) {
    if (piece.source == source) {
      return &piece;
    }
  }
  return nullptr;
}

std::set<QRgb> Colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      colours.insert(image.pixel(x, y));
    }
  }
  return colours;
}

}  // namespace

TEST(SkinBackground, PiecesOfTheExportWindow) {
  const std::vector<SkinPiece> pieces = SkinPieces({258, 95}, {237, 104});
  ASSERT_EQ(pieces.size(), 9u);
  const SkinPiece* top = PieceFrom(pieces, {150, 0, 5, 52});
  const SkinPiece* centre = PieceFrom(pieces, {15, 52, 5, 5});
  const SkinPiece* bottom = PieceFrom(pieces, {152, 52, 5, 52});
  ASSERT_TRUE(top && centre && bottom);
  EXPECT_EQ(top->target, QRect(150, 0, 52, 52));
  EXPECT_EQ(centre->target, QRect(15, 52, 228, 15));
  EXPECT_EQ(bottom->target, QRect(150, 43, 93, 52));
  // The top-right corner is drawn after the top edge and covers its last 42 pixels.
  EXPECT_EQ(pieces[2].target, QRect(160, 0, 98, 52));
}

TEST(SkinBackground, NarrowTargetMirrorsNothing) {
  for (const QSize target : {QSize(200, 120), QSize(120, 60)}) {
    for (const SkinPiece& piece : SkinPieces(target, {237, 104})) {
      EXPECT_GT(piece.target.width(), 0);
      EXPECT_GT(piece.target.height(), 0);
    }
  }
  EXPECT_EQ(SkinPieces({200, 120}, {237, 104}).size(), 8u);
  // The corners are still copied.
  const QImage background = CreateSkinBackground({200, 120});
  EXPECT_EQ(background.pixel(0, 0), kSkinMaskColor);
  EXPECT_EQ(background.pixel(199, 119), kSkinMaskColor);
}

TEST(SkinBackground, CopyIsNotSmoothed) {
  const QImage background = CreateSkinBackground({420, 260});
  ASSERT_EQ(background.size(), QSize(420, 260));
  const std::set<QRgb> skin = Colours(MainSkin());
  for (const QRgb colour : Colours(background)) {
    EXPECT_TRUE(skin.count(colour)) << std::hex << colour;
  }
  EXPECT_EQ(background.pixel(0, 0), kSkinMaskColor);
  EXPECT_EQ(background.pixel(419, 259), kSkinMaskColor);
  EXPECT_NE(background.pixel(210, 130), kSkinMaskColor);
  EXPECT_TRUE(CreateSkinBackground({0, 0}).isNull());
  background.save(TestSupport::ArtifactsFolder() + "/skin-background-420x260.png");
}
