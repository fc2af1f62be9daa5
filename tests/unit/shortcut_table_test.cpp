#include <gtest/gtest.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>
#include "store/data_text.h"
#include "invariants.h"
#include "text_helpers.h"
#include "store/shortcut_table.h"

namespace {

using text::TextModeView;

ShortcutTableData table;

// Loads file bytes the way the program does: text-mode view, parse, sort.
std::vector<std::string> Load(const std::string& bytes, LeadByteTest isLead = NoLeadBytes)
{
    ParseShortcuts(TextModeView(bytes).c_str(), &table, isLead);
    SortShortcuts(&table, isLead);
    std::vector<std::string> rows;
    for (int i = 0; i < table.count; i++)
        rows.push_back(std::string(table.records[i].name) + "=" + table.records[i].target);
    return rows;
}

using Rows = std::vector<std::string>;

TEST(LoadingTheDataFile, ReadsPairsOfLinesAndSortsByName)
{
    EXPECT_EQ(Load("cherry\r\nC:\\c\r\nBanana\r\nC:\\b\r\napple\r\nC:\\a\r\n"),
              (Rows{"apple=C:\\a", "Banana=C:\\b", "cherry=C:\\c"}));
}

TEST(LoadingTheDataFile, BlankLinesAndLineEndStylesDoNotMatter)
{
    Rows plain = Load("Notes\r\nC:\\notes.txt\r\nReminder\r\nMessage : Call\r\n");
    EXPECT_EQ(Load("\r\n\r\nNotes\r\n\r\nC:\\notes.txt\r\n\r\n\r\nReminder\r\nMessage : Call\r\n\r\n"),
              plain);
    EXPECT_EQ(Load("Notes\nC:\\notes.txt\nReminder\nMessage : Call\n"), plain);
    EXPECT_EQ(Load("Notes\r\nC:\\notes.txt\r\nReminder\r\nMessage : Call"), plain);
    EXPECT_EQ(plain.size(), 2u);
}

TEST(LoadingTheDataFile, AByteOrderMarkInFrontIsReadPast)
{
    EXPECT_EQ(Load("\xEF\xBB\xBF" "Zulu\r\n1\r\nalpha\r\n2\r\n"), (Rows{"alpha=2", "Zulu=1"}));
    EXPECT_EQ(Load("\xEF\xBB\xBF\r\nalpha\r\n2\r\n"), (Rows{"alpha=2"}));
    // Only in front: anywhere else the bytes are the name's own.
    EXPECT_EQ(Load("a\r\n1\r\n\xEF\xBB\xBF" "b\r\n2\r\n"), (Rows{"a=1", "\xEF\xBB\xBF" "b=2"}));
}

TEST(LoadingTheDataFile, TakesUtf8ForItOnlyWhenItIsAndConvertsBothWays)
{
    std::mt19937 random(23);
    for (int round = 0; round < 20000; round++)
        ASSERT_EQ(invariants::Utf8Broken(random), "") << "round " << round;
    EXPECT_TRUE(IsUtf8DataFile("\xEF\xBB\xBFplain\xE9", 9));
    EXPECT_FALSE(IsUtf8DataFile("plain\x1A\xC3\xA9", 8));
}

TEST(LoadingTheDataFile, LoneCarriageReturnStaysInItsLine)
{
    EXPECT_EQ(Load("a\rb\r\nt\r\n"), (Rows{"a\rb=t"}));
}

TEST(LoadingTheDataFile, CtrlZAndNulEndTheText)
{
    EXPECT_EQ(Load("a\r\n1\r\n\x1A" "b\r\n2\r\n"), (Rows{"a=1"}));
    EXPECT_EQ(Load(std::string("a\r\n1\r\n\0b\r\n2\r\n", 14)), (Rows{"a=1"}));
}

TEST(LoadingTheDataFile, EmptyOrTinyFilesGiveAnEmptyTable)
{
    EXPECT_TRUE(Load("").empty());
    EXPECT_TRUE(Load("\r\n\r\n").empty());
    // Four bytes or fewer still load whatever complete pair they hold.
    EXPECT_EQ(Load("a\nb\n"), (Rows{"a=b"}));
}

TEST(LoadingTheDataFile, LastNameWithoutTargetIsIgnored)
{
    EXPECT_EQ(Load("a\r\n1\r\nlonely\r\n"), (Rows{"a=1"}));
}

TEST(LoadingTheDataFile, OverlongLinesAreCutToTheirField)
{
    std::string longName(40, 'n');
    std::string longTarget(300, 't');
    Load(longName + "\r\n" + longTarget + "\r\nb\r\nok\r\n");
    ASSERT_EQ(table.count, 2);
    EXPECT_EQ(std::string(table.records[1].name), std::string(30, 'n'));
    EXPECT_EQ(std::string(table.records[1].target), std::string(259, 't'));
    EXPECT_EQ(std::string(table.records[0].name), "b");
    // On each side of the widths: 30 and 259 characters stay whole, 31 and 260 are cut.
    const std::string name30(30, 'a'), name31(31, 'b'), target259(259, 'c'), target260(260, 'd');
    EXPECT_EQ(Load(name30 + "\r\n" + target259 + "\r\n" + name31 + "\r\n" + target260 + "\r\n"),
              (Rows{name30 + "=" + target259, name31.substr(0, 30) + "=" + target260.substr(0, 259)}));
    // Never inside a two-byte character (code page 932): its first byte goes with it.
    const std::string wide = "\x83\x41";
    EXPECT_EQ(Load(name30.substr(1) + wide + "\r\n" + target259.substr(1) + wide + "\r\n", text::Cp932LeadByte),
              (Rows{name30.substr(1) + "=" + target259.substr(1)}));
}

TEST(LoadingTheDataFile, ALoadReplacesTheTableInsteadOfMerging)
{
    Load("a\r\n1\r\nb\r\n2\r\nc\r\n3\r\n");
    EXPECT_EQ(Load("z\r\n9\r\n"), (Rows{"z=9"}));
}

std::string NumberedRecords(int first, int count)
{
    std::string file;
    for (int i = first; i < first + count; i++)
        file += "n" + std::to_string(1000 + i) + "\r\nt" + std::to_string(i) + "\r\n";
    return file;
}

TEST(LoadingTheDataFile, KeepsAtMostTheTableAndFindsWhereTheRestStarts)
{
    std::string head = NumberedRecords(0, TABLE_CAPACITY);
    std::string text = TextModeView(head + NumberedRecords(TABLE_CAPACITY, 3));
    ParseResult result = ParseShortcuts(text.c_str(), &table);
    EXPECT_EQ(result.count, TABLE_CAPACITY);
    EXPECT_EQ(result.fileRecords, TABLE_CAPACITY + 3);
    EXPECT_EQ(text.substr(result.tailOffset), TextModeView(NumberedRecords(TABLE_CAPACITY, 3)));

    ParseResult measured = ParseShortcuts(text.c_str(), nullptr);
    EXPECT_EQ(measured.fileRecords, TABLE_CAPACITY + 3);
    EXPECT_EQ(measured.tailOffset, result.tailOffset);
    // A last name without a target: the rest right after the table, or the first pair beyond it.
    for (int beyond : {0, 2}) {
        std::string rest = TextModeView(NumberedRecords(TABLE_CAPACITY, beyond)) + "lonely\n";
        std::string whole = TextModeView(head) + rest;
        EXPECT_EQ(whole.substr(ParseShortcuts(whole.c_str(), nullptr).tailOffset), rest) << beyond;
    }
}

TEST(SortingShortcuts, FoldsToLowerCaseLikeTheCRuntime)
{
    EXPECT_EQ(Load("x\r\n1\r\nX\r\n2\r\na\r\n3\r\n"), (Rows{"a=3", "X=2", "x=1"}));
    // Underscore sorts before letters, {|}~ after them, digits before letters and a
    // space before all of them.
    EXPECT_EQ(Load("b\r\n1\r\n~z\r\n2\r\n_a\r\n3\r\n9\r\n4\r\n{\r\n5\r\n \r\n6\r\n"),
              (Rows{" =6", "9=4", "_a=3", "b=1", "{=5", "~z=2"}));
}

TEST(SortingShortcuts, FoldsEveryLetterOfTheAlphabet)
{
    // Written from z to a, each lower-case name before its upper-case neighbour: every
    // upper-case letter must sort as its lower-case one, so Z1 after y2 and before z2.
    std::string file = "{\r\n1\r\n";
    for (char c = 'z'; c >= 'a'; c--)
        file += std::string(1, c) + "2\r\n1\r\n" + std::string(1, (char)(c - 'a' + 'A')) + "1\r\n1\r\n";
    file += "`\r\n1\r\n[\r\n1\r\n@\r\n1\r\n";
    std::string names;
    for (const std::string& row : Load(file))
        names += row.substr(0, row.find('='));
    std::string expected = "@[`";
    for (char c = 'a'; c <= 'z'; c++)
        expected += std::string(1, (char)(c - 'a' + 'A')) + "1" + std::string(1, c) + "2";
    EXPECT_EQ(names, expected + "{");
}

// Code page 932: the second byte of ア (83 41) is an A, of ャ (83 61) an a; neither is a letter.
TEST(SortingShortcuts, FoldsNoSecondByteOfACharacter)
{
    EXPECT_EQ(Load("\x83\x61\r\n1\r\n\x83\x41\r\n2\r\nB\r\n3\r\na\r\n4\r\n", text::Cp932LeadByte),
              (Rows{"a=4", "B=3", "\x83\x41=2", "\x83\x61=1"}));
    EXPECT_EQ(FirstNameStartingWith(table, "\x83\x61", text::Cp932LeadByte), 3);
    EXPECT_EQ(FirstNameStartingWith(table, "b", text::Cp932LeadByte), 1);
}

TEST(SearchingByPrefix, FindsTheFirstNameThatBeginsWithTheTextInAnyCase)
{
    Load("Music\r\n1\r\nnotepad\r\n2\r\nNotes\r\n3\r\nZebra\r\n4\r\nzoo\r\n5\r\nab\r\n6\r\n");
    struct Row {
        const char* typed;
        int found;
    };
    const Row rows[] = {
        {"no", 2},   {"NOTEPAD", 2}, {"notes", 3}, {"m", 1},  {"MUSIC", 1}, {"z", 4},     {"ZO", 5},
        {"zEbRa", 4}, {"AB", 0},     {"abc", -1},  {"q", -1}, {"", -1},    {"Zebras", -1}, {"@", -1},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FirstNameStartingWith(table, row.typed), row.found) << row.typed;
    // Every letter finds the name that begins with its other case.
    for (char c = 'a'; c <= 'z'; c++) {
        std::string file = std::string(1, (char)(c - 'a' + 'A')) + "x\r\n1\r\n";
        Load(file);
        EXPECT_EQ(FirstNameStartingWith(table, std::string(1, c).c_str()), 0) << c;
        EXPECT_EQ(FirstNameStartingWith(table, std::string(1, (char)(c - 1)).c_str()), -1) << c;
    }
}

TEST(SortingShortcuts, GivesTheWholeRecordExchangeSortsOrderForAnyTable)
{
    std::mt19937 random(5);
    // Few characters, so that names often equal each other apart from case, or one
    // begins another; now and then a full-length name or bytes above 0x7F.
    const char alphabet[] = {'a', 'A', 'b', 'B', '_', '~', ' ', '1', '\xC9', '\xE9'};
    static ShortcutTableData mine;
    for (int round = 0; round < 600; round++) {
        mine.count = random() % (TABLE_CAPACITY + 1);
        for (int32_t i = 0; i < mine.count; i++) {
            size_t length = random() % 9 == 0 ? NAME_SIZE - 1 : random() % 5;
            for (size_t k = 0; k < length; k++)
                mine.records[i].name[k] = alphabet[random() % sizeof alphabet];
            mine.records[i].name[length] = '\0';
            snprintf(mine.records[i].target, TARGET_SIZE, "%d", (int)i);
        }
        ASSERT_EQ(invariants::SortBroken(mine), "") << "round " << round;
    }
}

TEST(SortingShortcuts, MovesWholeRecords)
{
    EXPECT_EQ(Load("b\r\nsecond\r\na\r\nfirst\r\n"), (Rows{"a=first", "b=second"}));
}

}  // namespace
