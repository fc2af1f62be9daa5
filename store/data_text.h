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

// The old file with the new record added after its visible text, so that it keeps its
// order exactly as an append would, gains a line end before the record when its last
// line had none, and keeps any bytes that followed a terminator after the record.
void AppendedFile(const char* oldBytes, size_t oldLength, const char* name, const char* target,
                  bool isMessage, TextBuffer* file);

// The file rewritten without the records whose index is marked in dropIndex, the kept
// ones in table order, followed unchanged by the pairs beyond the table (overflowText,
// already in text-mode form).
void RewrittenFile(const ShortcutTableData& table, const bool* dropIndex,
                   const char* overflowText, TextBuffer* file);

#endif
