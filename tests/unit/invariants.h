// What the data file's add and delete promise for any file at all, and what the sort
// promises for any table, checked in one place for the property tests and the fuzzers.
// Each returns an empty text when the promise holds, otherwise what broke.
#pragma once

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <utility>
#include <cstring>
#include "base/text_compare.h"
#include "store/report_page.h"
#include "store/utf8_text.h"
#include "text_helpers.h"

namespace invariants {

// The lines of a file's bytes that hold text, split here at LF without the program's
// reader: where each starts and where the next begins, and its text as a text-mode read
// gives it. Nothing after the first NUL or Ctrl-Z counts, nor a UTF-8 byte-order mark in
// front.
struct ByteLine {
    size_t start, next;
    std::string text;
};

inline std::vector<ByteLine> TextLines(const std::string& bytes, size_t* visibleEnd, size_t* markEnd)
{
    size_t end = std::min(bytes.find('\0'), bytes.find('\x1A'));
    end = std::min(end, bytes.size());
    *visibleEnd = end;
    std::vector<ByteLine> lines;
    size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 && end >= 3 ? 3 : 0;
    *markEnd = start;
    while (start < end) {
        size_t lineFeed = bytes.find('\n', start);
        bool ended = lineFeed < end;
        size_t textEnd = ended ? lineFeed : end;
        std::string line = bytes.substr(start, textEnd - start);
        if (ended && !line.empty() && line.back() == '\r')
            line.pop_back();
        size_t next = ended ? lineFeed + 1 : end;
        if (!line.empty())
            lines.push_back({start, next, line});
        start = next;
    }
    return lines;
}

// An add to any old file: the new file is the old bytes with the record's two CR LF lines
// put in after the visible text (a line end first if its last line had none), or before a
// last name that has no target, which stays last; a byte-order mark stays first.
inline std::string AppendBroken(const std::string& old, const char* name, const char* target, bool isMessage)
{
    size_t end = 0, mark = 0;
    std::vector<ByteLine> lines = TextLines(old, &end, &mark);
    std::string record = std::string(name) + "\r\n" + (isMessage ? MessagePrefix : "") + target + "\r\n";
    std::string expected;
    if (lines.size() % 2 == 1) {
        size_t at = lines.back().start;
        expected = old.substr(0, at) + record + old.substr(at);
    } else {
        std::string lineEnd = end > mark && old[end - 1] != '\n' ? "\r\n" : "";
        expected = old.substr(0, end) + lineEnd + record + old.substr(end);
    }
    if (text::AppendedFile(old, name, target, isMessage) != expected)
        return "the new file is not the old bytes with the record's two lines put in";
    return "";
}

// A delete from any file with any selection of any table the user saw: the new file is the
// old bytes less the two lines of one pair per selected record, the first such pair in
// file order among the ones the table reads (fields cut to their width, as the table holds
// them), and nothing else.
inline std::string DeleteBroken(const std::string& bytes, const ShortcutTableData& shown, const bool* selected)
{
    size_t end = 0, mark = 0;
    std::vector<ByteLine> lines = TextLines(bytes, &end, &mark);
    size_t pairs = std::min(lines.size() / 2, (size_t)TABLE_CAPACITY);
    std::vector<bool> gone(pairs, false);
    for (int32_t i = 0; i < shown.count; i++) {
        if (!selected[i])
            continue;
        for (size_t p = 0; p < pairs; p++) {
            if (!gone[p] && lines[2 * p].text.substr(0, NAME_SIZE - 1) == shown.records[i].name &&
                lines[2 * p + 1].text.substr(0, TARGET_SIZE - 1) == shown.records[i].target) {
                gone[p] = true;
                break;
            }
        }
    }
    std::string expected;
    size_t copied = 0;
    for (size_t p = 0; p < pairs; p++) {
        if (!gone[p])
            continue;
        const ByteLine& name = lines[2 * p];
        const ByteLine& target = lines[2 * p + 1];
        expected += bytes.substr(copied, name.start - copied) + bytes.substr(name.next, target.start - name.next);
        copied = target.next;
    }
    expected += bytes.substr(copied);
    if (text::DeletedFile(bytes, shown, selected) != expected)
        return "the new file is not the old bytes less exactly the selected pairs' lines";
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

// The schemes a browser runs as script, and how it reads a link's scheme: blanks and
// controls in front skipped, tabs and line breaks anywhere dropped, any case.
inline bool IsScriptLink(const std::string& address)
{
    std::string scheme;
    size_t i = 0;
    while (i < address.size() && (unsigned char)address[i] <= ' ')
        i++;
    for (; i < address.size() && address[i] != ':'; i++) {
        char c = address[i];
        if (c != '\t' && c != '\n' && c != '\r')
            scheme += (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    }
    if (i == address.size())
        return false;
    for (const char* script : {"javascript", "vbscript", "data"}) {
        if (scheme == script)
            return true;
    }
    return false;
}

// Where a link goes: nowhere for script, http:// before a web address the shell would
// open so, file:/// before a drive or network path, the target itself otherwise.
inline std::string LinkAddress(std::string target)
{
    if (IsScriptLink(target))
        return "#";
    bool drive = target.size() > 2 && isalpha((unsigned char)target[0]) && target[1] == ':' && strchr("\\/", target[2]);
    if (drive || target.compare(0, 2, "\\\\") == 0) {
        std::replace(target.begin(), target.end(), '\\', '/');
        return "file:///" + target;
    }
    bool web = target.size() >= 4 && (target[0] | 0x20) == 'w' && (target[1] | 0x20) == 'w' &&
               (target[2] | 0x20) == 'w' && target[3] == '.';
    return web ? "http://" + target : target;
}

const char kReportFooter[] = "\n </table>\n </div>\n </body>\n</html>";

inline std::string ReportPageOf(const ShortcutTableData& table, ExpandVariables expand = nullptr)
{
    TextBuffer page;
    InitText(&page);
    BuildReportPage(table, "windows-1252", expand, &page);
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
        bool message = strncmp(record.target, "Message : ", 10) == 0;
        bool row = literal("<tr>\n<td height=\"30\">" + std::to_string(i + 1) + "</td><td>") && escaped(record.name) &&
                   (message || (literal("</td>\n <td><a href=\"") && escaped(LinkAddress(record.target).c_str()))) &&
                   literal(message ? "</td>\n <td>" : "\">") && escaped(record.target) &&
                   literal(message ? "</td>\n </tr>" : "</a></td>\n </tr>");
        if (!row)
            return "row " + std::to_string(i + 1) + " is not its record's text in its cells and link";
    }
    if (!literal(footer) || at != page.size())
        return "the page does not end in the footer";
    return "";
}

// UTF-8 as the standard writes code points, worked out here without the program's encoder.
inline std::string Utf8Of(const std::vector<uint32_t>& codePoints)
{
    static const uint32_t kLead[] = {0, 0xC0, 0xE0, 0xF0};
    std::string utf8;
    for (uint32_t c : codePoints) {
        int more = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        utf8 += (char)(kLead[more] | c >> 6 * more);
        while (more-- > 0)
            utf8 += (char)(0x80 | (c >> 6 * more & 0x3F));
    }
    return utf8;
}

// ASCII is not UTF-8 with a multi-byte sequence; code points with one above U+007F are, but
// not with a malformed sequence put in. Through Latin-1, ANSI to UTF-8 is that encoding and
// comes back exactly; a character the page has not comes back as '?', not exactly.
inline std::string Utf8Broken(std::mt19937& random)
{
    static const char* const kMalformed[] = {"\x80", "\xC1\xBF", "\xC3", "\xE0\x9F\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8"};
    std::vector<uint32_t> codePoints(1 + random() % 30);
    std::string ansi, back(200, ' '), ascii(codePoints.size(), ' ');
    for (size_t i = 0; i < codePoints.size(); i++) {
        ascii[i] = (char)(random() % 0x80);
        ansi += (char)(codePoints[i] = 1 + random() % 0xFF);
    }
    std::vector<uint32_t> wide = codePoints;
    wide[0] = random() % 2 ? 0x100 + random() % 0xD700 : 0xE000 + random() % 0x102000;
    std::string utf8 = Utf8Of(wide), malformed = utf8;
    malformed.insert(Utf8Of({wide.begin(), wide.begin() + random() % wide.size()}).size(), kMalformed[random() % 7]);
    if (IsUtf8WithMultiByte(ascii.data(), ascii.size()) || !IsUtf8WithMultiByte(utf8.data(), utf8.size()) ||
        IsUtf8WithMultiByte(malformed.data(), malformed.size()))
        return "the decision is wrong for " + ascii + " or " + utf8 + " or " + malformed;
    size_t skip = Utf8Of({wide[0]}).size();
    TextBuffer encoded;
    InitText(&encoded);
    AppendUtf8FromAnsi(&encoded, ansi.data(), ansi.size(), text::kLatin1);
    bool exact = false;
    if (text::Taken(&encoded) != Utf8Of(codePoints) ||
        AnsiFromUtf8(&utf8[skip], utf8.size() - skip, text::kLatin1, &back[0], back.size(), &exact) != utf8.size() - skip ||
        back.c_str() != ansi.substr(1) || !exact)
        return "the page's text does not go to UTF-8 and back as itself: " + ansi;
    AnsiFromUtf8(utf8.data(), utf8.size(), text::kLatin1, &back[0], back.size(), &exact);
    if (exact || back.c_str() != "?" + ansi.substr(1))
        return "a character the page has not is not its nearest, or taken for exact: " + utf8;
    return "";
}

}  // namespace invariants
