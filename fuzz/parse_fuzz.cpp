// The parser and the sort on any text: fields within their sizes, at most a table's worth
// of records, the same text always the same table, and the exchange sort's order.
#include <cstdint>
#include <cstring>
#include "fuzz_check.h"
#include "invariants.h"

static ShortcutTableData first, second;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text = text::TextModeView(std::string((const char*)data, size));
    ParseResult parsed = ParseShortcuts(text.c_str(), &first);
    Require(first.count >= 0 && first.count <= TABLE_CAPACITY, "count outside the table");
    Require(parsed.count == (parsed.fileRecords < TABLE_CAPACITY ? parsed.fileRecords : TABLE_CAPACITY),
            "the table holds other than the first records of the file");
    Require(parsed.tailOffset <= text.size() && (parsed.tailOffset == 0 || parsed.tailOffset == text.size() ||
                                                 text[parsed.tailOffset - 1] == '\n'),
            "the tail does not start a line");
    for (int32_t i = 0; i < first.count; i++) {
        Require(memchr(first.records[i].name, 0, NAME_SIZE) != nullptr, "a name fills its field");
        Require(memchr(first.records[i].target, 0, TARGET_SIZE) != nullptr, "a target fills its field");
        Require(first.records[i].name[0] != '\0' && first.records[i].target[0] != '\0', "an empty field");
        Require(strchr(first.records[i].name, '\n') == nullptr && strchr(first.records[i].target, '\n') == nullptr,
                "a field holds a line break");
    }
    ParseResult measured = ParseShortcuts(text.c_str(), nullptr);
    Require(measured.fileRecords == parsed.fileRecords && measured.tailOffset == parsed.tailOffset,
            "measuring and parsing disagree");
    ParseShortcuts(text.c_str(), &second);
    Require(second.count == first.count, "the same text gave another table");
    for (int32_t i = 0; i < first.count; i++)
        Require(SameRecord(first.records[i], second.records[i]), "the same text gave another table");
    RequireNone(invariants::SortBroken(first));
    return 0;
}
