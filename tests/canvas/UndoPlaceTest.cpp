#include "canvas/UndoPlace.h"

#include <set>

#include <gtest/gtest.h>

TEST(UndoPlace, StepsGoOnlyWhereASnapshotIsHeldAndNeverBeforeTheOriginal) {
  std::set<int> held{0, 1, 2};
  const auto holds = [&held](int position) { return held.count(position) > 0; };
  UndoPlace place;
  place.Refresh(holds);
  EXPECT_FALSE(place.canUndo);
  EXPECT_TRUE(place.canRedo);
  place.index = 2;
  place.Refresh(holds);
  EXPECT_TRUE(place.canUndo);
  EXPECT_FALSE(place.canRedo);
  // A snapshot that was let go leaves no way through it.
  held = {0, 2};
  place.index = 2;
  place.Refresh(holds);
  EXPECT_FALSE(place.canUndo);
  // Whatever answers for position -1, the original has nothing before it.
  place.index = 0;
  place.Refresh([](int) { return true; });
  EXPECT_FALSE(place.canUndo);
  EXPECT_TRUE(place.canRedo);
}

TEST(UndoPlace, CommitsStopAtTheLastPositionAndReplaceIt) {
  UndoPlace place;
  place.Commit();
  EXPECT_EQ(place.index, 1);
  for (int i = 0; i < 60; ++i) {
    place.Commit();
  }
  EXPECT_EQ(place.index, 50);
  place.index = 20;  // after undoing: the next edit drops the later steps' place
  place.Commit();
  EXPECT_EQ(place.index, 21);
}
