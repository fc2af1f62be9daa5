#include <gtest/gtest.h>
#include "ui/add/path_naming.h"

namespace {

TEST(ProposedName, AFileIsNamedUpToItsFirstDot)
{
    EXPECT_EQ(ProposedName("C:\\Tools\\viewer.exe", false), "viewer");
    EXPECT_EQ(ProposedName("C:\\Docs\\report.final.pdf", false), "report");
    EXPECT_EQ(ProposedName("C:\\Users\\Public\\.profile", false), "profile");
    EXPECT_EQ(ProposedName("C:\\bin\\make", false), "make");
    EXPECT_EQ(ProposedName("C:\\Links\\Editor.lnk", false), "Editor");
    EXPECT_EQ(ProposedName("C:\\", false), "C:");
}

TEST(ProposedName, AFolderKeepsItsWholeName)
{
    EXPECT_EQ(ProposedName("C:\\Data\\Album.2024", true), "Album.2024");
    EXPECT_EQ(ProposedName("C:\\Data\\Album.2024\\\\", true), "Album.2024");
}

TEST(LastPathComponent, IgnoresTrailingBackslashesAndOnlySplitsAtBackslashes)
{
    EXPECT_EQ(LastPathComponent("a\\b\\c"), "c");
    EXPECT_EQ(LastPathComponent("plain"), "plain");
    EXPECT_EQ(LastPathComponent("C:\\dir\\"), "dir");
    EXPECT_EQ(LastPathComponent("a/b\\c/d"), "c/d");
    EXPECT_EQ(LastPathComponent(""), "");
    EXPECT_EQ(LastPathComponent("\\\\\\"), "");
    EXPECT_EQ(LastPathComponent("\\x"), "x");
}

TEST(SplitPart, TakesTokenOneOrTwoLikeStrtok)
{
    EXPECT_EQ(SplitPart("..a.b.c", ".", 1), "a");
    EXPECT_EQ(SplitPart("..a.b.c", ".", 2), "b");
    EXPECT_EQ(SplitPart("a", ".", 2), "");
    EXPECT_EQ(SplitPart("...", ".", 1), "");
    EXPECT_EQ(SplitPart("a;b,c", ";,", 2), "b");
    EXPECT_EQ(SplitPart("a.b", ".", 3), "part can be either 1 or 2");
    EXPECT_EQ(SplitPart("a.b", ".", 0), "part can be either 1 or 2");
}

}  // namespace
