// The shared selection: a file opened in the dialog is marked as such until the next
// pick, and a change is announced once.
#include <gtest/gtest.h>

#include "foundation/SelectedFiles.h"

namespace {

TEST(SelectedFiles, AnOpenedFileIsMarkedUntilTheNextPick) {
  SelectedFiles list;
  int changes = 0;
  QObject::connect(&list, &SelectedFiles::Changed, [&] { ++changes; });
  list.SetFiles({"/p/a.png"});
  EXPECT_FALSE(list.FromOpenDialog());
  list.SetOpenedFile("/p/a.png");
  EXPECT_TRUE(list.FromOpenDialog());
  EXPECT_EQ(list.Files(), QStringList{"/p/a.png"}) << "exactly its file, no empty entry";
  EXPECT_EQ(changes, 2) << "the same path opened in the dialog is a change of kind";
  list.SetFiles({"/p/a.png"});
  EXPECT_FALSE(list.FromOpenDialog());
  list.SetFiles({"/p/a.png"});
  EXPECT_EQ(changes, 3);
}

}  // namespace
