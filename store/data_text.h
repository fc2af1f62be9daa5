// The data file's bytes: how a text-mode read sees them, and the complete new file
// that an add or a delete saves. Every line written ends in CR LF.
#ifndef JUMPLET_DATA_TEXT_H
#define JUMPLET_DATA_TEXT_H

#include "store/shortcut_table.h"
#include "store/text_buffer.h"

enum { MESSAGE_TEXT_MAX = TARGET_SIZE - 1 - 10 };   // 249: the prefix must fit too

extern const char MessagePrefix[];                   // "Message : "

// What the C runtime's text-mode read delivers: CR LF becomes LF, a lone CR stays,
// Ctrl-Z ends the text. A NUL also ends it for every reader, as it ends a C string.
void TextModeView(const char* bytes, size_t length, TextBuffer* text);

// Bytes before the first NUL or Ctrl-Z: the part of the file any reader sees.
size_t VisibleLength(const char* bytes, size_t length);

// Why a new shortcut cannot be added; NEW_SHORTCUT_OK when it can.
enum NewShortcutCheck {
    NEW_SHORTCUT_OK,
    NEW_SHORTCUT_NO_NAME,
    NEW_SHORTCUT_NO_TARGET,
    NEW_SHORTCUT_MESSAGE_TOO_LONG,
    NEW_SHORTCUT_TARGET_TOO_LONG,
    NEW_SHORTCUT_BAD_CHARACTER,
    NEW_SHORTCUT_TABLE_FULL,
};
NewShortcutCheck CheckNewShortcut(const char* name, const char* target, bool isMessage,
                                  int fileRecords);

// The old file with the new record added so that the table read back from it holds the
// old records and then the new one. The record goes after the visible text, with a line
// end before it when the last line had none; when the text ends in a name without a
// target, it goes in before that name, which stays last. Bytes after a terminator stay
// after everything. Into a UTF-8 file (its page given) the record goes as UTF-8.
void AppendedFile(const char* oldBytes, size_t oldLength, const char* name, const char* target,
                  bool isMessage, TextBuffer* file, const CodePage* utf8 = nullptr);

// The file as it is now (its bytes) without the lines of one pair for each selected
// record of the shown table: the first pair, in file order, among those the table reads,
// whose record is the same. Every other byte stays as it stands: other records in their
// order, overlong lines whole, line ends, blank and loose lines, pairs beyond the table
// and whatever follows a terminator. A selected record that is no longer in the file
// removes nothing. Lines are cut to their fields as the table cuts them; the lines of a
// UTF-8 file are read as utf8 says, its ExactTargets those the shown table was read with.
void DeletedFile(const char* bytes, size_t length, const ShortcutTableData& shown, const bool* selected,
                 TextBuffer* file, LeadByteTest isLead = NoLeadBytes, const Utf8Reading* utf8 = nullptr);

#endif
