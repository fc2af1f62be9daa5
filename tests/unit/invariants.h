// What the data file's add and delete promise for any file at all, and what the sort
// promises for any table, checked in one place for the property tests and the fuzzers.
// Each returns an empty text when the promise holds, otherwise what broke.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include "app/text_compare.h"
#include "text_helpers.h"

namespace invariants {

// The table read back from the new file is the old one and then the new record, and the
// text the old table did not hold is still there, unchanged.
inline std::string AppendBroken(const std::string& old, const char* name, const char* target, bool isMessage)
{
    std::string file = text::AppendedFile(old, name, target, isMessage);
    std::vector<std::string> expected = text::Records(old);
    expected.push_back(std::string(name) + "=" + (isMessage ? MessagePrefix : "") + target);
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

// The sort gives the order of the exchange sort that moves whole records.
inline std::string SortBroken(const ShortcutTableData& table)
{
    static ShortcutTableData sorted, reference;
    sorted = table;
    reference = table;
    SortShortcuts(&sorted);
    for (int32_t i = 0; i < reference.count; i++) {
        for (int32_t j = i; j < reference.count; j++) {
            if (CompareNoCase(reference.records[i].name, reference.records[j].name) > 0)
                std::swap(reference.records[i], reference.records[j]);
        }
    }
    for (int32_t i = 0; i < table.count; i++) {
        if (!SameRecord(sorted.records[i], reference.records[i]))
            return "position " + std::to_string(i) + " differs from the whole-record exchange sort";
    }
    return "";
}

}  // namespace invariants
