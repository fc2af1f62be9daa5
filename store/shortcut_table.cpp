#include "store/shortcut_table.h"
#include <cstring>
#include "base/text_compare.h"
#include "store/utf8_text.h"

size_t FieldOfLine(const char* line, size_t length, char* field, size_t fieldSize, LeadByteTest isLead,
                   const CodePage* page, bool* exact)
{
    if (page != nullptr)
        return AnsiFromUtf8(line, length, *page, field, fieldSize, exact);
    *exact = true;
    length = WholeCharacters(line, length, fieldSize - 1, isLead);
    memcpy(field, line, length);
    field[length] = '\0';
    return length;
}

static void ReadRecord(ShortcutRecord* record, int32_t place, const char* name, size_t nameLength,
                       const char* target, size_t targetLength, LeadByteTest isLead, const Utf8Reading* utf8)
{
    const CodePage* page = utf8 != nullptr ? utf8->page : nullptr;
    bool exact = true;
    FieldOfLine(name, nameLength, record->name, NAME_SIZE, isLead, page, &exact);
    size_t taken = FieldOfLine(target, targetLength, record->target, TARGET_SIZE, isLead, page, &exact);
    record->exactTarget = 0;
    if (!exact && utf8 != nullptr && utf8->exactTargets != nullptr) {
        char* kept = utf8->exactTargets[place].utf8;
        memcpy(kept, target, taken);
        kept[taken] = '\0';
        record->exactTarget = (uint16_t)(place + 1);
    }
}

size_t ByteOrderMarkLength(const char* bytes, size_t length)
{
    return length >= 3 && memcmp(bytes, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

ParseResult ParseShortcuts(const char* text, ShortcutTableData* table, LeadByteTest isLead, const Utf8Reading* utf8)
{
    ParseResult result = {0, 0, strlen(text)};
    const char* pendingName = nullptr;
    size_t pendingLength = 0;
    const char* cursor = text + ByteOrderMarkLength(text, result.tailOffset);
    while (*cursor != '\0') {
        if (*cursor == '\n') {
            cursor++;
            continue;
        }
        const char* line = cursor;
        while (*cursor != '\0' && *cursor != '\n')
            cursor++;
        size_t length = (size_t)(cursor - line);
        if (pendingName == nullptr) {
            pendingName = line;
            pendingLength = length;
            continue;
        }
        if (table != nullptr && result.fileRecords < TABLE_CAPACITY) {
            ReadRecord(&table->records[result.fileRecords], result.fileRecords, pendingName, pendingLength, line,
                       length, isLead, utf8);
            result.count++;
        } else if (result.fileRecords == TABLE_CAPACITY) {
            result.tailOffset = (size_t)(pendingName - text);
        }
        result.fileRecords++;
        pendingName = nullptr;
    }
    if (pendingName != nullptr && result.fileRecords <= TABLE_CAPACITY)
        result.tailOffset = (size_t)(pendingName - text);
    if (table != nullptr)
        table->count = result.count;
    return result;
}

bool SameRecord(const ShortcutRecord& a, const ShortcutRecord& b)
{
    return strcmp(a.name, b.name) == 0 && strcmp(a.target, b.target) == 0;
}

int32_t FirstNameStartingWith(const ShortcutTableData& table, const char* text, LeadByteTest isLead)
{
    size_t length = strlen(text);
    if (length == 0)
        return -1;
    for (int32_t i = 0; i < table.count; i++) {
        if (CompareNoCaseN(text, table.records[i].name, length, isLead) == 0)
            return i;
    }
    return -1;
}

// A name folded to lower case, NUL-padded and packed big-endian into words, so that
// comparing the words in turn orders names exactly as the byte-wise folded comparison.
struct SortKey {
    uint64_t words[SORT_KEY_WORDS];
};

static SortKey SortKeys[TABLE_CAPACITY];
static int32_t SortOrder[TABLE_CAPACITY];

static SortKey MakeSortKey(const char* name, LeadByteTest isLead)
{
    SortKey key = {};
    bool secondByte = false;
    for (size_t i = 0; i < NAME_SIZE && name[i] != '\0'; i++) {
        unsigned char c = (unsigned char)name[i];
        if (c >= 'A' && c <= 'Z' && !secondByte)
            c = (unsigned char)(c + ('a' - 'A'));
        secondByte = !secondByte && IsLeadByte((unsigned char)name[i], isLead);
        key.words[i / 8] |= (uint64_t)c << (8 * (7 - i % 8));
    }
    return key;
}

static bool SortsAfter(const SortKey& a, const SortKey& b)
{
    for (int w = 0; w < SORT_KEY_WORDS; w++) {
        if (a.words[w] != b.words[w])
            return a.words[w] > b.words[w];
    }
    return false;
}

// Puts record order[i] at position i, following each cycle of the permutation once.
static void ApplyOrder(ShortcutTableData* table, int32_t* order)
{
    for (int32_t start = 0; start < table->count; start++) {
        if (order[start] == start)
            continue;
        ShortcutRecord held = table->records[start];
        int32_t at = start;
        while (order[at] != start) {
            table->records[at] = table->records[order[at]];
            int32_t next = order[at];
            order[at] = at;
            at = next;
        }
        table->records[at] = held;
        order[at] = at;
    }
}

// The exchange sort over indices: the same comparisons and swaps as moving whole records,
// so the same order, names equal apart from case included; only the moves got cheap.
void SortShortcuts(ShortcutTableData* table, LeadByteTest isLead)
{
    for (int32_t i = 0; i < table->count; i++) {
        SortKeys[i] = MakeSortKey(table->records[i].name, isLead);
        SortOrder[i] = i;
    }
    for (int32_t i = 0; i < table->count; i++) {
        for (int32_t j = i; j < table->count; j++) {
            if (SortsAfter(SortKeys[SortOrder[i]], SortKeys[SortOrder[j]])) {
                int32_t swap = SortOrder[i];
                SortOrder[i] = SortOrder[j];
                SortOrder[j] = swap;
            }
        }
    }
    ApplyOrder(table, SortOrder);
}
