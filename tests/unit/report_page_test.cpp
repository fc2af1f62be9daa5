#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include "store/report_page.h"
#include "invariants.h"
#include "text_helpers.h"

namespace {

const std::string kFooter = invariants::kReportFooter;
using invariants::ReportPageOf;

// Random text with the markup characters far more often than chance would give them.
void RandomField(std::mt19937& random, char* field, size_t size)
{
    static const char kMarkup[] = "<>&\"';#=/ ";
    size_t length = std::uniform_int_distribution<size_t>(0, size - 1)(random);
    for (size_t i = 0; i < length; i++) {
        if (random() % 2)
            field[i] = kMarkup[random() % (sizeof kMarkup - 1)];
        else
            field[i] = (char)std::uniform_int_distribution<int>(1, 255)(random);
    }
    field[length] = '\0';
}

// Puts a scheme before the text, script or not, in mixed case, with what browsers skip or
// drop (controls in front, tabs and line breaks inside) now and then.
void SchemeInFront(std::mt19937& random, char* target)
{
    static const char* const kSchemes[] = {"javascript", "vbscript", "data", "http", "file", "javascripts", "jav"};
    std::string scheme = kSchemes[random() % (sizeof kSchemes / sizeof *kSchemes)];
    for (char& c : scheme) {
        if (random() % 2)
            c = (char)(c - 'a' + 'A');
    }
    if (random() % 3 == 0)
        scheme.insert(random() % scheme.size(), 1, "\t\n\r"[random() % 3]);
    if (random() % 3 == 0)
        scheme.insert(0, 1, (char)(1 + random() % 32));
    std::string whole = scheme + ":" + target;
    snprintf(target, TARGET_SIZE, "%s", whole.c_str());
}

void AddressOrPathInFront(std::mt19937& random, char* target)
{
    static const char* const kFronts[] = {"www.", "WwW.", "C:\\", "z:/", "\\\\", "%HOME%\\", "Message : "};
    std::string whole = std::string(kFronts[random() % (sizeof kFronts / sizeof *kFronts)]) + target;
    snprintf(target, TARGET_SIZE, "%s", whole.c_str());
}

TEST(ReportPage, AnEmptyTableGivesTheHeaderAndTheFooterOnly)
{
    ShortcutTableData table = {};
    std::string page = ReportPageOf(table);
    ASSERT_GT(page.size(), kFooter.size());
    EXPECT_EQ(page.substr(page.size() - kFooter.size()), kFooter);
    EXPECT_EQ(kFooter.size(), 35u);
    EXPECT_EQ(page.find("<tr>\n<td height"), std::string::npos);
}

// Whatever bytes a name or a target holds, the page shows them as text: none of them
// becomes markup in a cell or breaks out of a link's address, and every one reads back.
TEST(ReportPage, AnyNameAndTargetStayTextInTheirCellsAndLinks)
{
    std::mt19937 random(20240607);
    static ShortcutTableData table;
    for (int round = 0; round < 3000; round++) {
        table.count = 1 + (int32_t)(random() % 3);
        for (int32_t i = 0; i < table.count; i++) {
            RandomField(random, table.records[i].name, NAME_SIZE);
            RandomField(random, table.records[i].target, TARGET_SIZE);
            if (random() % 3 == 0)
                SchemeInFront(random, table.records[i].target);
            else if (random() % 4 == 0)
                AddressOrPathInFront(random, table.records[i].target);
        }
        ASSERT_EQ(invariants::ReportPageBroken(table), "") << "round " << round;
    }
}

}  // namespace

namespace {

// Read as browsers read a link's scheme: what would run as script links nowhere, every
// path, address and message a shortcut holds still links to itself.
TEST(ReportPage, OnlyTargetsThatWouldRunAsScriptLinkNowhere)
{
    for (const char* script : {"javascript:alert(1)", " \x01JaVaScRiPt:x", "java\tscript:x", "vbscript:msgbox",
                               "data:text/html,<script>x</script>", "DATA:,x",
                               "\x1F\tJAVASCRIPT\r:x", "javascrip\nt:x"})
        EXPECT_TRUE(RunsAsScript(script)) << script;
    for (const char* plain : {"C:\\Docs\\notes.txt", "http://jumplet.example.org/", "www.example.org", "notepad",
                              "Message : javascript:x", "\\\\server\\javascript:x", "javascript", "mailto:a@b",
                              // The longest script scheme with one more letter, and schemes
                              // as long as the check reads and one longer.
                              "javascripts:x", "vbscriptx:x", "datax:x", "abcdefghijklmnop:x", "abcdefghijklmnopq:x",
                              // Bytes from 0x80 up are characters, not blanks to skip.
                              "\x80javascript:x", "\xA0javascript:x", "\xFFjavascript:x"})
        EXPECT_FALSE(RunsAsScript(plain)) << plain;

    static ShortcutTableData table;
    table.count = 5;
    strcpy(table.records[0].name, "trap");
    strcpy(table.records[0].target, "javascript:alert(1)");
    // A web address as the add form proposes it links as the shell opens it.
    strcpy(table.records[1].target, "www.example.org");
    strcpy(table.records[2].target, "wwwexample.org");
    strcpy(table.records[3].target, "%HOME%\\m\\Zoo.exe");
    strcpy(table.records[4].target, "Message : hi");
    auto home = [](const char* text, char* out, size_t size) { return snprintf(out, size, "C:\\Jo%s", text + 6) > 0; };
    std::string page = ReportPageOf(table, home);
    EXPECT_NE(page.find("<a href=\"file:///C:/Jo/m/Zoo.exe\">%HOME%\\m\\Zoo.exe</a>"), std::string::npos);
    EXPECT_NE(page.find("<td>Message : hi</td>\n </tr>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"#\">javascript:alert(1)</a>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"http://www.example.org\">www.example.org</a>"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"wwwexample.org\">wwwexample.org</a>"), std::string::npos);
}

TEST(ReportPage, DeclaresTheCodePageItsTextIsWrittenIn)
{
    char name[24];
    const std::pair<unsigned, const char*> rows[] = {
        {1252, "windows-1252"}, {1251, "windows-1251"}, {874, "windows-874"}, {65001, "utf-8"},
        {932, "shift_jis"},     {936, "gbk"},           {949, "euc-kr"},     {950, "big5"},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(CharsetOfCodePage(row.first, name, sizeof name), row.second) << row.first;
    static const ShortcutTableData empty = {};
    std::string page = ReportPageOf(empty);
    EXPECT_NE(page.find("<head>\n <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n"
                        " <title>"),
              std::string::npos);
}

}  // namespace
