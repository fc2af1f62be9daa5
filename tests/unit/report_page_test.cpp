#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <string>
#include "store/report_page.h"
#include "text_helpers.h"

namespace {

const std::string kFooter = "\n </table>\n </div>\n </body>\n</html>";

std::string PageOf(const ShortcutTableData& table)
{
    TextBuffer page;
    InitText(&page);
    BuildReportPage(table, &page);
    EXPECT_FALSE(page.failed);
    return text::Taken(&page);
}

// Reads character references back; false for an & that starts none of the five.
bool Unescape(const std::string& escaped, std::string* plain)
{
    static const char* const kReferences[][2] = {
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}};
    plain->clear();
    for (size_t i = 0; i < escaped.size();) {
        if (escaped[i] != '&') {
            *plain += escaped[i++];
            continue;
        }
        bool known = false;
        for (const auto& reference : kReferences) {
            if (escaped.compare(i, strlen(reference[0]), reference[0]) == 0) {
                *plain += reference[1];
                i += strlen(reference[0]);
                known = true;
                break;
            }
        }
        if (!known)
            return false;
    }
    return true;
}

// Takes the text from at up to the next markup character, which escaped text never holds,
// and checks it reads back as expected.
void ExpectEscaped(const std::string& page, size_t* at, const std::string& expected)
{
    size_t end = page.find_first_of("<>\"'", *at);
    ASSERT_NE(end, std::string::npos);
    std::string plain;
    ASSERT_TRUE(Unescape(page.substr(*at, end - *at), &plain)) << page.substr(*at, end - *at);
    EXPECT_EQ(plain, expected);
    *at = end;
}

void ExpectLiteral(const std::string& page, size_t* at, const std::string& literal)
{
    ASSERT_EQ(page.compare(*at, literal.size(), literal), 0)
        << "expected \"" << literal << "\" at " << *at << ", found \"" << page.substr(*at, literal.size()) << "\"";
    *at += literal.size();
}

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

TEST(ReportPage, AnEmptyTableGivesTheHeaderAndTheFooterOnly)
{
    ShortcutTableData table = {};
    std::string page = PageOf(table);
    ASSERT_GT(page.size(), kFooter.size());
    EXPECT_EQ(page.substr(page.size() - kFooter.size()), kFooter);
    EXPECT_EQ(kFooter.size(), 35u);
    EXPECT_EQ(page.find("<tr>\n<td height"), std::string::npos);
}

// Whatever bytes a name or a target holds, the page shows them as text: none of them
// becomes markup in a cell or breaks out of a link's address, and every one reads back.
TEST(ReportPage, AnyNameAndTargetStayTextInTheirCellsAndLinks)
{
    ShortcutTableData empty = {};
    std::string emptyPage = PageOf(empty);
    const std::string header = emptyPage.substr(0, emptyPage.size() - kFooter.size());
    std::mt19937 random(20240607);
    static ShortcutTableData table;
    for (int round = 0; round < 3000; round++) {
        table.count = 1 + (int32_t)(random() % 3);
        for (int32_t i = 0; i < table.count; i++) {
            RandomField(random, table.records[i].name, NAME_SIZE);
            RandomField(random, table.records[i].target, TARGET_SIZE);
        }
        std::string page = PageOf(table);
        size_t at = 0;
        ExpectLiteral(page, &at, header);
        for (int32_t i = 0; i < table.count; i++) {
            SCOPED_TRACE("round " + std::to_string(round) + ", row " + std::to_string(i + 1));
            ExpectLiteral(page, &at, "<tr>\n<td height=\"30\">" + std::to_string(i + 1) + "</td><td>");
            ExpectEscaped(page, &at, table.records[i].name);
            ExpectLiteral(page, &at, "</td>\n <td><a href=\"");
            ExpectEscaped(page, &at, table.records[i].target);
            ExpectLiteral(page, &at, "\">");
            ExpectEscaped(page, &at, table.records[i].target);
            ExpectLiteral(page, &at, "</a></td>\n </tr>");
            if (HasFatalFailure())
                return;
        }
        ExpectLiteral(page, &at, kFooter);
        ASSERT_EQ(at, page.size()) << "round " << round;
    }
}

}  // namespace
