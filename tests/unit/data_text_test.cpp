#include <gtest/gtest.h>
#include <cstdio>
#include <random>
#include <string>
#include "store/data_text.h"
#include "invariants.h"
#include "text_helpers.h"

namespace {

using text::AppendedFile;
using text::TextModeView;

TEST(TextModeView, FoldsCrLfKeepsLoneCrAndStopsAtTerminators)
{
    EXPECT_EQ(TextModeView("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(TextModeView("a\rb\n\r"), "a\rb\n\r");
    EXPECT_EQ(TextModeView("a\r\r\nb"), "a\r\nb");
    EXPECT_EQ(TextModeView("a\r\n\x1A" "b\r\n"), "a\n");
    EXPECT_EQ(TextModeView(std::string("a\0b", 3)), "a");
}

TEST(AppendingAShortcut, AddsTwoCrLfLinesAfterTheOldBytes)
{
    EXPECT_EQ(AppendedFile("", "Notes", "C:\\notes.txt", false), "Notes\r\nC:\\notes.txt\r\n");
    EXPECT_EQ(AppendedFile("a\r\n1\r\n", "b", "2", false), "a\r\n1\r\nb\r\n2\r\n");
    // The old bytes stay exactly as they were, blank lines and LF-only ends included.
    EXPECT_EQ(AppendedFile("\nz\n\n9\n", "b", "2", false), "\nz\n\n9\nb\r\n2\r\n");
}

TEST(AppendingAShortcut, AMessageGetsItsPrefixOnce)
{
    EXPECT_EQ(AppendedFile("", "Call", "at five", true), "Call\r\nMessage : at five\r\n");
}

TEST(AppendingAShortcut, NeverJoinsTheLastLineWithTheNewRecord)
{
    EXPECT_EQ(AppendedFile("a\r\n1", "b", "2", false), "a\r\n1\r\nb\r\n2\r\n");
}

TEST(AppendingAShortcut, TerminatorsDoNotHideTheNewRecord)
{
    std::string withCtrlZ = AppendedFile("a\r\n1\r\n\x1A", "b", "2", false);
    EXPECT_EQ(withCtrlZ, "a\r\n1\r\nb\r\n2\r\n\x1A");
    std::string withNul = AppendedFile(std::string("a\r\n1\0tail", 9), "b", "2", false);
    EXPECT_EQ(withNul, std::string("a\r\n1\r\nb\r\n2\r\n\0tail", 17));

    ShortcutTableData table;
    ParseShortcuts(TextModeView(withCtrlZ).c_str(), &table);
    ASSERT_EQ(table.count, 2);
    ParseShortcuts(TextModeView(withNul).c_str(), &table);
    ASSERT_EQ(table.count, 2);
    EXPECT_STREQ(table.records[1].target, "2");
}

ShortcutTableData TableOf(const std::string& text)
{
    ShortcutTableData table;
    ParseShortcuts(text.c_str(), &table);
    SortShortcuts(&table);
    return table;
}

TEST(AppendingAShortcut, GoesInBeforeALastNameWithoutATarget)
{
    EXPECT_EQ(AppendedFile("a\r\n1\r\nlonely\r\n", "bee", "www.bee.org", false),
              "a\r\n1\r\nbee\r\nwww.bee.org\r\nlonely\r\n");
    // A stray CR at the end is a line of its own; with CR-only ends the text is one line.
    EXPECT_EQ(AppendedFile("a\r\n1\r\n\r", "bee", "x", false), "a\r\n1\r\nbee\r\nx\r\n\r");
    EXPECT_EQ(AppendedFile("a\r1\r", "bee", "x", false), "bee\r\nx\r\na\r1\r");
    // A byte-order mark stays first, with no blank line after it.
    EXPECT_EQ(AppendedFile("\xEF\xBB\xBFlonely\r\n", "bee", "x", false), "\xEF\xBB\xBF" "bee\r\nx\r\nlonely\r\n");
    EXPECT_EQ(AppendedFile("\xEF\xBB\xBF", "bee", "x", false), "\xEF\xBB\xBF" "bee\r\nx\r\n");
}

// For any old bytes: the table read back is the old one and then the new record, and
// what the table did not hold is still there, unchanged.
TEST(AppendingAShortcut, TheTableReadBackIsTheOldOneAndTheNewRecordForAnyBytes)
{
    std::mt19937 random(17);
    const char alphabet[] = {'a', 'b', ' ', '\r', '\n', '\r', '\n', '\x1A', '\0', '\xE9'};
    for (int round = 0; round < 20000; round++) {
        std::string old;
        if (round % 50 == 0)
            for (int i = 0; i < 250 + round % 8; i++)
                old += "n" + std::to_string(i) + "\r\nt\r\n";
        size_t length = random() % 40;
        for (size_t i = 0; i < length; i++)
            old.push_back(alphabet[random() % sizeof(alphabet)]);
        if (round % 7 == 0)
            old = "\xEF\xBB\xBF" + old;
        std::string text = TextModeView(old);
        if (ParseShortcuts(text.c_str(), nullptr).fileRecords >= TABLE_CAPACITY)
            continue;  // refused before any file is built
        ASSERT_EQ(invariants::AppendBroken(old, "new name", "C:\\new", random() % 2), "") << "round " << round;
    }
}

// Notepad saves UTF-8: names show in the code page; a target it cannot hold is kept as the
// file has it, and tells apart two that show alike in a delete. An add writes UTF-8.
TEST(DeletingShortcuts, AUtf8FileIsReadInTheCodePageAndStaysUtf8)
{
    static ExactTarget exact[TABLE_CAPACITY];
    static ShortcutTableData shown;
    const Utf8Reading utf8 = {&text::kLatin1, exact};
    const std::string bytes = "\xEF\xBB\xBF" "Caf\xC3\xA9\r\n\xD0\xAF\r\nCaf\xC3\xA9\r\n\xD0\xB0\r\n" +
                              std::string(29, 'x') + "\xC3\xA9\xC3\xA9\r\nt\r\n";
    ParseShortcuts(TextModeView(bytes).c_str(), &shown, NoLeadBytes, &utf8);
    EXPECT_EQ(text::Row(shown.records[1]), text::Row("Caf\xE9", "?"));
    EXPECT_STREQ(exact[shown.records[1].exactTarget - 1].utf8, "\xD0\xB0");
    EXPECT_EQ(text::Row(shown.records[2]), text::Row(std::string(29, 'x') + "\xE9", "t"));
    const bool selected[TABLE_CAPACITY] = {false, true, true};
    EXPECT_EQ(text::DeletedFile(bytes, shown, selected, NoLeadBytes, &utf8), "\xEF\xBB\xBF" "Caf\xC3\xA9\r\n\xD0\xAF\r\n");
    EXPECT_EQ(AppendedFile("a\r\n\xC3\xA9\r\n", "Caf\xE9", "\xFC", false, &text::kLatin1),
              "a\r\n\xC3\xA9\r\nCaf\xC3\xA9\r\n\xC3\xBC\r\n");
}

// Marks the shown table's records with these names as selected.
std::vector<char> Selecting(const ShortcutTableData& shown, const std::vector<std::string>& names)
{
    std::vector<char> selected(TABLE_CAPACITY, 0);
    for (const std::string& name : names) {
        for (int i = 0; i < shown.count; i++) {
            if (name == shown.records[i].name && !selected[i]) {
                selected[i] = 1;
                break;
            }
        }
    }
    return selected;
}

TEST(DeletingShortcuts, TakesOutTheSelectedRecordsLinesAndKeepsEveryOtherByte)
{
    const std::string longName(51, 'N'), longTarget = "http://example.org/" + std::string(294, 'p');
    const std::string unicode("\xFF\xFE" "a\0\r\0\n\0" "1\0\r\0\n\0", 14);
    std::string fullTable;
    for (int i = 0; i < TABLE_CAPACITY; i++)
        fullTable += "a\r\n1\r\n";
    struct Case {
        std::string shown;  // the file's text when delete mode began
        std::vector<std::string> selected;
        std::string now;    // the file's bytes when Delete is pressed
        std::string written;
    };
    const Case cases[] = {
        {"c\n3\na\n1\nb\nMessage : hi\n", {"c"}, "c\r\n3\r\na\r\n1\r\nb\r\nMessage : hi\r\n",
         "a\r\n1\r\nb\r\nMessage : hi\r\n"},
        // The file keeps its own order and line ends; nothing selected changes no byte.
        {"b\n2\na\n1\n", {}, "b\n2\r\na\r\n1", "b\n2\r\na\r\n1"},
        {"b\n2\na\n1\nc\n3\n", {"a"}, "b\n2\r\na\r\n1\nc\r\n3", "b\n2\r\nc\r\n3"},
        {"b\n2\na\n1\n", {"a", "b"}, "b\r\n2\r\na\r\n1\r\n", ""},
        // Added by another instance or by hand meanwhile: kept.
        {"b\n2\na\n1\n", {"a"}, "b\r\n2\r\na\r\n1\r\nzed\r\n9\r\n", "b\r\n2\r\nzed\r\n9\r\n"},
        // Gone or changed meanwhile: nothing else is removed in its place.
        {"b\n2\na\n1\n", {"a"}, "b\r\n2\r\nc\r\n3\r\n", "b\r\n2\r\nc\r\n3\r\n"},
        {"a\n1\n", {"a"}, "a\r\n2\r\n", "a\r\n2\r\n"},
        // One of two equal records selected: the first in the file goes.
        {"a\n1\na\n1\n", {"a"}, "a\r\n1\r\nx\r\n9\r\na\r\n1\n", "x\r\n9\r\na\r\n1\n"},
        // Loose lines and blank lines inside a pair stay where they were.
        {"b\n2\na\n1\n", {"a"}, "b\r\n2\r\na\r\n\r\n1\r\nlonely\r\n", "b\r\n2\r\n\r\nlonely\r\n"},
        // Whatever follows a Ctrl-Z or a NUL stays, a file saved as Unicode included.
        {"aa\nMessage : ta\nbb\n", {"aa"}, "aa\r\nMessage : ta\r\nbb\x1A\r\nMessage : tb\r\ncc\r\nMessage : tc\r\n",
         "bb\x1A\r\nMessage : tb\r\ncc\r\nMessage : tc\r\n"},
        {"new\nC:\\n\n", {"new"}, "new\r\nC:\\n\r\n" + unicode, unicode},
        // A byte-order mark in front is no part of the first name, and stays.
        {"a\n1\nb\n2\n", {"a"}, "\xEF\xBB\xBF" "a\r\n1\r\nb\r\n2\r\n", "\xEF\xBB\xBF" "b\r\n2\r\n"},
        // A lone CR that ends the visible text is part of its line, as a text-mode read keeps it.
        {"a\n1\nb\n2\r", {"b"}, "a\r\n1\r\nb\r\n2\r\x1A", "a\r\n1\r\n\x1A"},
        {"a\n1\n", {"a"}, "a\r\n1\r", "a\r\n1\r"},
        // A pair beyond the table is not one the user saw: it stays.
        {"b\n2\n", {"b"}, fullTable + "b\r\n2\r\n", fullTable + "b\r\n2\r\n"},
        // A record longer than its fields stays whole, and goes whole when it is selected.
        {"a\n1\n" + longName + "\n" + longTarget + "\n", {"a"}, longName + "\r\n" + longTarget + "\r\na\r\n1\r\n",
         longName + "\r\n" + longTarget + "\r\n"},
        {"a\n1\n" + longName + "\n" + longTarget + "\n", {longName.substr(0, 30)},
         longName + "\r\n" + longTarget + "\r\na\r\n1\r\n", "a\r\n1\r\n"},
    };
    for (const Case& c : cases) {
        ShortcutTableData shown = TableOf(c.shown);
        std::vector<char> selected = Selecting(shown, c.selected);
        EXPECT_EQ(text::DeletedFile(c.now, shown, (const bool*)selected.data()), c.written) << c.now;
    }
    // Lines cut between characters as the table cuts them (code page 932, ア is 83 41).
    static ShortcutTableData shown;
    const std::string name = std::string(29, 'n') + "\x83\x41";
    const bool first[1] = {true};
    ParseShortcuts((name + "\n1\n").c_str(), &shown, text::Cp932LeadByte);
    EXPECT_EQ(text::DeletedFile(name + "\r\n1\r\n", shown, first, text::Cp932LeadByte), "");
}

// For any bytes and any selection of any table the user saw, the new file is the old bytes
// less exactly the selected pairs' lines (worked out by plain line splitting).
TEST(DeletingShortcuts, TakesOutExactlyTheSelectedPairsForAnyBytes)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> character(0x20, 0xFF);
    auto field = [&](size_t maxLength) {
        std::string text(1 + random() % maxLength, ' ');
        for (char& c : text)
            c = random() % 50 ? (char)character(random) : '\r';
        return text;
    };
    const char* const lineEnds[] = {"\r\n", "\n", "\r\n\r\n", "\n\n", "\r\r\n"};
    for (int round = 0; round < 3000; round++) {
        // A small pool, so that files hold equal records and shown tables overlap them;
        // some fields are longer than the table holds.
        std::vector<std::pair<std::string, std::string>> pool;
        for (int i = 0; i < 6; i++)
            pool.push_back({field(i == 0 ? 45 : 30), field(i == 1 ? 320 : 259)});
        auto someFile = [&](int records) {
            std::string file;
            for (int i = 0; i < records; i++) {
                const auto& record = pool[random() % pool.size()];
                file += record.first + lineEnds[random() % 5] + record.second + lineEnds[random() % 5];
            }
            return file;
        };
        std::string now = someFile(round % 100 == 0 ? 254 + random() % 5 : random() % 12);
        if (random() % 3 == 0)
            now += field(30) + (random() % 2 ? "\r\n" : "");  // a last name without a target
        if (random() % 4 == 0)
            now += std::string(1, random() % 2 ? '\x1A' : '\0') + someFile(2);
        if (random() % 5 == 0)
            now = "\xEF\xBB\xBF" + now;
        ShortcutTableData shown = TableOf(random() % 2 ? TextModeView(now) : TextModeView(someFile(12)));
        std::vector<char> selected(TABLE_CAPACITY, 0);
        for (int i = 0; i < shown.count; i++)
            selected[i] = random() % 2;

        ASSERT_EQ(invariants::DeleteBroken(now, shown, (const bool*)selected.data()), "") << "round " << round;
    }
}

TEST(CheckingANewShortcut, RefusesWhatTheFileCouldNotHold)
{
    EXPECT_EQ(CheckNewShortcut("", "x", false, 0), NEW_SHORTCUT_NO_NAME);
    EXPECT_EQ(CheckNewShortcut("n", "", false, 0), NEW_SHORTCUT_NO_TARGET);
    std::string message249(249, 'm'), message250(250, 'm');
    EXPECT_EQ(CheckNewShortcut("n", message249.c_str(), true, 0), NEW_SHORTCUT_OK);
    EXPECT_EQ(CheckNewShortcut("n", message250.c_str(), true, 0), NEW_SHORTCUT_MESSAGE_TOO_LONG);
    EXPECT_EQ(CheckNewShortcut("n", message250.c_str(), false, 0), NEW_SHORTCUT_OK);
    std::string target259(259, 't'), target260(260, 't');
    EXPECT_EQ(CheckNewShortcut("n", target259.c_str(), false, 0), NEW_SHORTCUT_OK);
    EXPECT_EQ(CheckNewShortcut("n", target260.c_str(), false, 0), NEW_SHORTCUT_TARGET_TOO_LONG);
    for (const char* bad : {"a\nb", "x\x1A", "a\rb", "\r"}) {
        EXPECT_EQ(CheckNewShortcut(bad, "x", false, 0), NEW_SHORTCUT_BAD_CHARACTER) << bad;
        EXPECT_EQ(CheckNewShortcut("n", bad, true, 0), NEW_SHORTCUT_BAD_CHARACTER) << bad;
    }
    EXPECT_EQ(CheckNewShortcut("n", "x", false, TABLE_CAPACITY - 1), NEW_SHORTCUT_OK);
    EXPECT_EQ(CheckNewShortcut("n", "x", false, TABLE_CAPACITY), NEW_SHORTCUT_TABLE_FULL);
}

TEST(TextBuffer, GrowsAndAlwaysEndsInANul)
{
    TextBuffer buffer;
    InitText(&buffer);
    EXPECT_STREQ(buffer.bytes, "");
    std::string expected;
    for (int i = 0; i < 1000; i++) {
        ASSERT_TRUE(AppendString(&buffer, "line\r\n"));
        expected += "line\r\n";
    }
    ASSERT_TRUE(AppendBytes(&buffer, "a\0b", 3));
    expected += std::string("a\0b", 3);
    EXPECT_EQ(std::string(buffer.bytes, buffer.length), expected);
    EXPECT_EQ(buffer.bytes[buffer.length], '\0');
    EXPECT_FALSE(buffer.failed);
    ClearText(&buffer);
    EXPECT_EQ(buffer.length, 0u);
    EXPECT_STREQ(buffer.bytes, "");
    ASSERT_TRUE(ResizeText(&buffer, 5));
    EXPECT_EQ(std::string(buffer.bytes, 6), std::string(6, '\0'));
    FreeText(&buffer);
}

#ifdef _WIN32
// The program reads bytes and folds them itself; the C runtime's own text mode must
// see the same text in every file, or the data file would read differently elsewhere.
TEST(TextModeView, AgreesWithTheCRuntimeTextModeRead)
{
    std::mt19937 random(11);
    const char alphabet[] = {'a', '\r', '\n', '\x1A', 'b', '\r', '\n', '\0'};
    char path[] = "jumplet_textmode_check.tmp";
    for (int round = 0; round < 300; round++) {
        std::string bytes;
        size_t length = random() % 40;
        for (size_t i = 0; i < length; i++)
            bytes.push_back(alphabet[random() % sizeof(alphabet)]);
        FILE* out = fopen(path, "wb");
        ASSERT_NE(out, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), out);
        fclose(out);
        FILE* in = fopen(path, "r");
        ASSERT_NE(in, nullptr);
        std::string read(bytes.size() + 1, '\0');
        size_t got = fread(&read[0], 1, bytes.size(), in);
        fclose(in);
        read.resize(got);
        std::string upToNul = read.substr(0, read.find('\0'));
        EXPECT_EQ(TextModeView(bytes), upToNul) << "bytes of round " << round;
    }
    remove(path);
}
#endif

}  // namespace
