#include <gtest/gtest.h>
#include <string>
#include "ui/add/path_naming.h"
#include "text_helpers.h"

namespace {

enum { OUT_SIZE = 260 };

std::string ProposedName(const char* path, bool isFolder)
{
    char out[OUT_SIZE];
    ::ProposedName(path, isFolder, out, OUT_SIZE);
    return out;
}

std::string LastPathComponent(const char* text)
{
    char out[OUT_SIZE];
    ::LastPathComponent(text, out, OUT_SIZE);
    return out;
}

std::string SplitPart(const char* text, const char* delimiters, int part)
{
    char out[OUT_SIZE];
    ::SplitPart(text, delimiters, part, out, OUT_SIZE);
    return out;
}

TEST(ProposedName, IsCutToTheBufferNotWrittenPastIt)
{
    char small[6];
    ::ProposedName("C:\\Docs\\averylongname.txt", false, small, sizeof small);
    EXPECT_STREQ(small, "avery");
    ::ProposedName("C:\\Docs\\.averylongname.txt", false, small, sizeof small);
    EXPECT_STREQ(small, "avery");
    ::LastPathComponent("C:\\Data\\Album.2024", small, sizeof small);
    EXPECT_STREQ(small, "Album");
}

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

// Code page 932: the second bytes of 表 (95 5C) and 能 (94 5C) are backslashes, that of
// ア (83 41) is an A; a path is split and cut only between characters.
TEST(ProposedName, WalksAPathByItsCharacters)
{
    char out[OUT_SIZE];
    ::ProposedName("C:\\Docs\\\x95\x5c.txt", false, out, OUT_SIZE, text::Cp932LeadByte);
    EXPECT_STREQ(out, "\x95\x5c");
    ::ProposedName("C:\\\x8b\x40\x94\x5c\\", true, out, OUT_SIZE, text::Cp932LeadByte);
    EXPECT_STREQ(out, "\x8b\x40\x94\x5c");
    ::SplitPart("\x83\x41" "A\x83\x41", "A", 2, out, OUT_SIZE, text::Cp932LeadByte);
    EXPECT_STREQ(out, "\x83\x41");
    char small[4];
    ::ProposedName("C:\\ab\x83\x41.txt", false, small, sizeof small, text::Cp932LeadByte);
    EXPECT_STREQ(small, "ab");
}

}  // namespace
