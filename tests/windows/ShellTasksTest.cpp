#include "windows/ShellTasks.h"

#include <gtest/gtest.h>

using namespace ShellTasks;

TEST(ShellTasks, RenameIndexesSeveralFilesInTheirOwnFolders) {
  EXPECT_EQ(RenamedPaths({"/a/x.JPG", "/b/y.Png", "/a/z.tif"}, "Trip"),
            (QStringList{"/a/Trip1.jpg", "/b/Trip2.png", "/a/Trip3.tif"}));
  EXPECT_EQ(RenamedPaths({"/a/x.JPEG"}, "Trip"), QStringList{"/a/Trip.jpeg"});
  // The extension comes from the file name alone, never from a dotted folder.
  EXPECT_EQ(RenamedPaths({"/a.b/noext"}, "Trip"), QStringList{"/a.b/Trip"});
  EXPECT_EQ(RenamedPaths({"/a/x.jpg"}, NameOrUntitled("")), QStringList{"/a/Untitled.jpg"});
  EXPECT_TRUE(RenamedPaths({}, "Trip").isEmpty());
}

TEST(ShellTasks, RenameProposesTheNameWithoutWhatItAddsBack) {
  EXPECT_EQ(ProposedName("/a/a1.jpg"), "a1");
  EXPECT_EQ(ProposedName("/a/pic.tar.GZ"), "pic.tar");
  EXPECT_EQ(ProposedName("/a.b/noext"), "noext");
  EXPECT_EQ(RenamedPaths({"/a/a1.jpg"}, ProposedName("/a/a1.jpg")), QStringList{"/a/a1.jpg"});
  EXPECT_TRUE(IsPlainName("Trip 2..b"));
  for (const char* name : {"", "../x", "a/b", "/", ".", ".."}) {
    EXPECT_FALSE(IsPlainName(name)) << name;
  }
}

TEST(ShellTasks, FolderAndNameJoinWithOneSeparator) {
  EXPECT_EQ(JoinPath("/pics", "a.jpg"), "/pics/a.jpg");
  EXPECT_EQ(JoinPath("/pics/", "a.jpg"), "/pics/a.jpg");
  EXPECT_EQ(JoinPath("/", "a.jpg"), "/a.jpg");
}

TEST(ShellTasks, CanvasSizeTakesWholeNumbersUpToTheLimit) {
  EXPECT_EQ(ParseCanvasSize("640", "480"), QSize(640, 480));
  EXPECT_EQ(ParseCanvasSize(" 1 ", "20000"), QSize(1, 20000));
  for (const char* bad : {"0", "-5", "30000", "abc", "", "12.5"}) {
    EXPECT_FALSE(ParseCanvasSize(bad, "480").has_value()) << bad;
    EXPECT_FALSE(ParseCanvasSize("640", bad).has_value()) << bad;
  }
}

TEST(ShellTasks, EachTaskHasItsTexts) {
  EXPECT_EQ(TaskTexts(CopyImages).Title, " - Copy Images");
  EXPECT_EQ(TaskTexts(MoveImages).Note, "Image will be move to new directory.");
  EXPECT_TRUE(TaskTexts(RenameImages).Note.contains("\nFor example, 'Image' will produce:"));
  EXPECT_EQ(TaskTexts(SendToStamp).Prompt, "Please enter a New Name for the selected images:");
  EXPECT_EQ(TaskTexts(CanvasResize).Title, " - Canvas Resize");
  EXPECT_TRUE(TaskTexts(7).Title.isEmpty());
}
