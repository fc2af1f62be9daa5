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
    EXACT_TARGET_SIZE = 4 * (TARGET_SIZE - 1) + 1,   // the UTF-8 of what a target field holds
};

struct ShortcutRecord {
    char name[NAME_SIZE];
    char target[TARGET_SIZE];
    // 0 when target is the target itself; else a UTF-8 file's target that the code page
    // could only show as a near one is kept exactly, for the shell's wide call, in the
    // reader's ExactTarget of this number less one.
    uint16_t exactTarget;
};

struct ExactTarget {
    char utf8[EXACT_TARGET_SIZE];
};

// A data file in UTF-8 as the table reads it: each line shown in the code page, and the
// targets the page cannot hold kept as they stand, TABLE_CAPACITY places of them.
struct Utf8Reading {
    const CodePage* page;
    ExactTarget* exactTargets;
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
// With no table the text is only measured. A UTF-8 text is read as utf8 says.
ParseResult ParseShortcuts(const char* text, ShortcutTableData* table, LeadByteTest isLead = NoLeadBytes,
                           const Utf8Reading* utf8 = nullptr);

// One line of the file as its field holds it, cut between two characters; from a UTF-8
// file (page given) shown in the code page. Returns the line's bytes that the field holds;
// *exact is false when one of them is only a near character.
size_t FieldOfLine(const char* line, size_t length, char* field, size_t fieldSize, LeadByteTest isLead,
                   const CodePage* page, bool* exact);

// Same name and same target as the fields hold them.
bool SameRecord(const ShortcutRecord& a, const ShortcutRecord& b);

// The first record, in table order, whose name begins with the text, ASCII letters folded
// to lower case; -1 when none does. An empty text matches nothing: the selection stays.
int32_t FirstNameStartingWith(const ShortcutTableData& table, const char* text, LeadByteTest isLead = NoLeadBytes);

// Exchange sort by name, folding ASCII letters to lower case byte by byte (second bytes of
// characters left as they are); names equal apart from case end in the order that
// swapping whole records gives.
void SortShortcuts(ShortcutTableData* table, LeadByteTest isLead = NoLeadBytes);

#endif
