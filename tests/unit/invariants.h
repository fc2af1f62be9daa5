// What the data file's add and delete promise for any file at all, and what the sort
// promises for any table, checked in one place for the property tests and the fuzzers.
// Each returns an empty text when the promise holds, otherwise what broke.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <cstring>
#include "app/text_compare.h"
#include "store/report_page.h"
#include "text_helpers.h"

namespace invariants {

// The table read back from the new file is the old one and then the new record, and the
// text the old table did not hold is still there, unchanged.
inline std::string AppendBroken(const std::string& old, const char* name, const char* target, bool isMessage)
{
    std::string file = text::AppendedFile(old, name, target, isMessage);
    std::vector<std::string> expected = text::Records(old);
    expected.push_back(text::Row(name, std::string(isMessage ? MessagePrefix : "") + target));
    if (text::Records(file) != expected)
        return "the table read back is not the old table and the new record";
    if (text::Tail(file) != text::Tail(old))
        return "the text the table did not hold changed";
    return "";
}

// The new file's table is the current one less one record per selected record it holds,
// byte for byte, and the lines the current table did not hold follow unchanged.
inline std::string RewriteBroken(const std::string& nowBytes, const ShortcutTableData& shown, const bool* selected)
{
    std::string now = text::TextModeView(nowBytes);
    std::map<std::string, int> expected;
    for (const std::string& row : text::RecordsOfText(now))
        expected[row]++;
    for (int i = 0; i < shown.count; i++) {
        std::string row = text::Row(shown.records[i]);
        if (selected[i] && expected.count(row) && --expected[row] == 0)
            expected.erase(row);
    }
    size_t kept = 0;
    for (const auto& count : expected)
        kept += count.second;

    std::string written = text::RewrittenFile(now, shown, selected);
    std::vector<std::string> rows = text::Records(written);
    if (rows.size() < kept)
        return "records were lost";
    std::map<std::string, int> got;
    for (size_t i = 0; i < kept; i++)
        got[rows[i]]++;
    if (got != expected)
        return "the kept records are not the current ones less the selected ones";
    std::vector<std::string> lines = text::Lines(text::TextModeView(written));
    std::vector<std::string> tail = text::Lines(text::TailOfText(now));
    if (lines.size() != 2 * kept + tail.size() || !std::equal(tail.begin(), tail.end(), lines.begin() + 2 * kept))
        return "the lines beyond the table changed";
    return "";
}

// The sort gives the order of the exchange sort that moves whole records (here it moves
// positions, which is the same, and compares with the C runtime's folding).
inline std::string SortBroken(const ShortcutTableData& table)
{
    static ShortcutTableData sorted;
    int32_t count = table.count;
    std::vector<int32_t> reference(count);
    for (int32_t i = 0; i < count; i++)
        reference[i] = i;
    for (int32_t i = 0; i < count; i++) {
        for (int32_t j = i; j < count; j++) {
            if (CompareNoCase(table.records[reference[i]].name, table.records[reference[j]].name) > 0)
                std::swap(reference[i], reference[j]);
        }
    }
    sorted.count = count;
    std::copy(table.records, table.records + count, sorted.records);
    SortShortcuts(&sorted);
    for (int32_t i = 0; i < count; i++) {
        if (!SameRecord(sorted.records[i], table.records[reference[i]]))
            return "position " + std::to_string(i) + " differs from the whole-record exchange sort";
    }
    return "";
}

const char kReportFooter[] = "\n </table>\n </div>\n </body>\n</html>";

inline std::string ReportPageOf(const ShortcutTableData& table)
{
    TextBuffer page;
    InitText(&page);
    BuildReportPage(table, &page);
    return page.failed ? std::string() : text::Taken(&page);
}

// Reads character references back; false for an & that starts none of the five.
inline bool Unescape(const std::string& escaped, std::string* plain)
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

// The report page is the header, a row block per record and the footer; whatever bytes a
// name or a target holds, they stay text: none becomes markup in a cell or breaks out of a
// link's address, and each reads back as itself.
inline std::string ReportPageBroken(const ShortcutTableData& table)
{
    static const ShortcutTableData empty = {};
    std::string emptyPage = ReportPageOf(empty);
    std::string footer = kReportFooter;
    if (emptyPage.size() < footer.size() || emptyPage.compare(emptyPage.size() - footer.size(), footer.size(), footer))
        return "an empty table's page does not end in the footer";
    std::string page = ReportPageOf(table);
    size_t at = 0;
    auto literal = [&](const std::string& text) {
        bool found = page.compare(at, text.size(), text) == 0;
        at += text.size();
        return found;
    };
    auto escaped = [&](const char* expected) {
        size_t end = page.find_first_of("<>\"'", at);
        std::string plain;
        bool readsBack = end != std::string::npos && Unescape(page.substr(at, end - at), &plain) && plain == expected;
        at = end;
        return readsBack;
    };
    if (!literal(emptyPage.substr(0, emptyPage.size() - footer.size())))
        return "the page does not begin with the header";
    for (int32_t i = 0; i < table.count; i++) {
        const ShortcutRecord& record = table.records[i];
        bool row = literal("<tr>\n<td height=\"30\">" + std::to_string(i + 1) + "</td><td>") && escaped(record.name) &&
                   literal("</td>\n <td><a href=\"") && escaped(RunsAsScript(record.target) ? "#" : record.target) &&
                   literal("\">") &&
                   escaped(record.target) && literal("</a></td>\n </tr>");
        if (!row)
            return "row " + std::to_string(i + 1) + " is not its record's text in its cells and link";
    }
    if (!literal(footer) || at != page.size())
        return "the page does not end in the footer";
    return "";
}

}  // namespace invariants
