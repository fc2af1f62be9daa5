#include <gtest/gtest.h>
#include <cstdio>
#include <random>
#include <string>
#include "store/data_text.h"
#include "text_helpers.h"

namespace {

using text::AppendedFile;
using text::RewrittenFile;
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
    return table;
}

TEST(RewritingWithoutDeletedShortcuts, WritesTheKeptRecordsInTableOrder)
{
    ShortcutTableData table = TableOf("a\n1\nb\nMessage : hi\nc\n3\n");
    bool drop[TABLE_CAPACITY] = {false, false, true};
    EXPECT_EQ(RewrittenFile(table, drop, ""), "a\r\n1\r\nb\r\nMessage : hi\r\n");
    bool none[TABLE_CAPACITY] = {};
    EXPECT_EQ(RewrittenFile(table, none, ""), "a\r\n1\r\nb\r\nMessage : hi\r\nc\r\n3\r\n");
    bool all[TABLE_CAPACITY] = {true, true, true};
    EXPECT_EQ(RewrittenFile(table, all, ""), "");
}

TEST(RewritingWithoutDeletedShortcuts, CarriesRecordsBeyondTheTableOverUnchanged)
{
    ShortcutTableData table = TableOf("a\n1\n");
    bool none[TABLE_CAPACITY] = {};
    EXPECT_EQ(RewrittenFile(table, none, "x\n\n9\ny\r8\n"), "a\r\n1\r\nx\r\n9\r\ny\r8\r\n");
}

TEST(RewritingWithoutDeletedShortcuts, RoundTripsRandomRecordsByteForByte)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> character(0x20, 0xFF);
    for (int round = 0; round < 50; round++) {
        ShortcutTableData table;
        table.count = random() % 20;
        for (int i = 0; i < table.count; i++) {
            size_t nameLength = 1 + random() % 30, targetLength = 1 + random() % 259;
            for (size_t k = 0; k < nameLength; k++)
                table.records[i].name[k] = (char)character(random);
            table.records[i].name[nameLength] = '\0';
            for (size_t k = 0; k < targetLength; k++)
                table.records[i].target[k] = (char)character(random);
            table.records[i].target[targetLength] = '\0';
        }
        bool none[TABLE_CAPACITY] = {};
        std::string file = RewrittenFile(table, none, "");
        ShortcutTableData back = TableOf(TextModeView(file));
        ASSERT_EQ(back.count, table.count);
        for (int i = 0; i < table.count; i++) {
            EXPECT_STREQ(back.records[i].name, table.records[i].name);
            EXPECT_STREQ(back.records[i].target, table.records[i].target);
        }
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
    std::string target260(260, 't');
    EXPECT_EQ(CheckNewShortcut("n", target260.c_str(), false, 0), NEW_SHORTCUT_TARGET_TOO_LONG);
    EXPECT_EQ(CheckNewShortcut("a\nb", "x", false, 0), NEW_SHORTCUT_BAD_CHARACTER);
    EXPECT_EQ(CheckNewShortcut("n", "x\x1A", false, 0), NEW_SHORTCUT_BAD_CHARACTER);
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
