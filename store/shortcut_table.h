// The shortcut table: fixed-width records rebuilt from the data file's text and kept
// in name order, so that list position i is always record i.
#ifndef JUMPLET_SHORTCUT_TABLE_H
#define JUMPLET_SHORTCUT_TABLE_H

#include <cstddef>
#include <cstdint>
#include "base/characters.h"

enum {
    NAME_SIZE = 31,          // at most 30 characters and the NUL
    TARGET_SIZE = 260,       // at most 259 characters and the NUL
    TABLE_CAPACITY = 256,
    SORT_KEY_WORDS = (NAME_SIZE + 7) / 8,
};

struct ShortcutRecord {
    char name[NAME_SIZE];
    char target[TARGET_SIZE];
};

struct ShortcutTableData {
    ShortcutRecord records[TABLE_CAPACITY];
    int32_t count;
};

struct ParseResult {
    int32_t count;           // records taken into the table
    int32_t fileRecords;     // complete name/target pairs in the whole text
    // Where the text that the table does not hold starts: the first pair beyond it, else
    // a last name without a target; the text's length when there is neither.
    size_t tailOffset;
};

// Some editors begin a file with a UTF-8 byte-order mark: it is read past, is never part of
// the first name, and stays in the file as it is. Its length, or 0.
size_t ByteOrderMarkLength(const char* bytes, size_t length);

// Replaces the table from text-mode text (a leading byte-order mark read past): lines split at LF, empty lines dropped, taken
// in pairs; over-long lines are cut to their field between two characters, a last name
// without a target is dropped, and pairs beyond the table's capacity are only counted.
// With no table the text is only measured.
ParseResult ParseShortcuts(const char* text, ShortcutTableData* table, LeadByteTest isLead = NoLeadBytes);

// Same name and same target.
bool SameRecord(const ShortcutRecord& a, const ShortcutRecord& b);

// The first record, in table order, whose name begins with the text, ASCII letters folded
// to lower case; -1 when none does. An empty text matches nothing: the selection stays.
int32_t FirstNameStartingWith(const ShortcutTableData& table, const char* text, LeadByteTest isLead = NoLeadBytes);

// Exchange sort by name, folding ASCII letters to lower case byte by byte (second bytes of
// characters left as they are); names equal apart from case end in the order that
// swapping whole records gives.
void SortShortcuts(ShortcutTableData* table, LeadByteTest isLead = NoLeadBytes);

#endif
