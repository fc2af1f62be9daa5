#include "store/data_text.h"
#include <cstring>

const char MessagePrefix[] = "Message : ";

static const char CTRL_Z = 0x1A;

size_t VisibleLength(const char* bytes, size_t length)
{
    for (size_t i = 0; i < length; i++) {
        if (bytes[i] == '\0' || bytes[i] == CTRL_Z)
            return i;
    }
    return length;
}

void TextModeView(const char* bytes, size_t length, TextBuffer* text)
{
    ClearText(text);
    size_t end = VisibleLength(bytes, length);
    size_t runStart = 0;
    for (size_t i = 0; i < end; i++) {
        if (bytes[i] == '\r' && i + 1 < end && bytes[i + 1] == '\n') {
            AppendBytes(text, bytes + runStart, i - runStart);
            runStart = i + 1;
        }
    }
    AppendBytes(text, bytes + runStart, end - runStart);
}

// A line break or terminator inside a field would split or hide records in the file.
static bool HoldsBadCharacter(const char* text)
{
    for (; *text != '\0'; text++) {
        if (*text == '\r' || *text == '\n' || *text == CTRL_Z)
            return true;
    }
    return false;
}

NewShortcutCheck CheckNewShortcut(const char* name, const char* target, bool isMessage,
                                  int fileRecords)
{
    if (name[0] == '\0')
        return NEW_SHORTCUT_NO_NAME;
    if (target[0] == '\0')
        return NEW_SHORTCUT_NO_TARGET;
    if (isMessage && strlen(target) > MESSAGE_TEXT_MAX)
        return NEW_SHORTCUT_MESSAGE_TOO_LONG;
    if (strlen(target) > TARGET_SIZE - 1)
        return NEW_SHORTCUT_TARGET_TOO_LONG;
    if (HoldsBadCharacter(name) || HoldsBadCharacter(target))
        return NEW_SHORTCUT_BAD_CHARACTER;
    if (fileRecords >= TABLE_CAPACITY)
        return NEW_SHORTCUT_TABLE_FULL;
    return NEW_SHORTCUT_OK;
}

static void AppendLine(TextBuffer* file, const char* text, size_t length)
{
    AppendBytes(file, text, length);
    AppendBytes(file, "\r\n", 2);
}

// Where the line at textOffset of the text-mode view starts in the file's bytes: text
// mode only drops the CR of a CR LF, so the line follows the same number of LF bytes.
static size_t ByteOffsetOfLine(const char* bytes, const char* text, size_t textOffset)
{
    size_t lineFeeds = 0;
    for (size_t i = 0; i < textOffset; i++)
        lineFeeds += text[i] == '\n';
    size_t offset = 0;
    while (lineFeeds > 0) {
        if (bytes[offset++] == '\n')
            lineFeeds--;
    }
    return offset;
}

void AppendedFile(const char* oldBytes, size_t oldLength, const char* name, const char* target,
                  bool isMessage, TextBuffer* file)
{
    ClearText(file);
    TextBuffer text;
    InitText(&text);
    TextModeView(oldBytes, oldLength, &text);
    size_t tail = ParseShortcuts(text.bytes, nullptr).tailOffset;
    size_t visible = VisibleLength(oldBytes, oldLength);
    // A last name without a target would take the new name as its target: the record goes
    // in before it, and it stays last, still counting for nothing.
    size_t insertAt = tail < text.length ? ByteOffsetOfLine(oldBytes, text.bytes, tail) : visible;
    if (text.failed)
        file->failed = true;
    FreeText(&text);
    AppendBytes(file, oldBytes, insertAt);
    if (insertAt > 0 && oldBytes[insertAt - 1] != '\n')
        AppendBytes(file, "\r\n", 2);
    AppendLine(file, name, strlen(name));
    if (isMessage)
        AppendString(file, MessagePrefix);
    AppendLine(file, target, strlen(target));
    AppendBytes(file, oldBytes + insertAt, oldLength - insertAt);
}

// Marks, for each selected record of the shown table, one record of the current table
// that is the same, not yet marked.
static void MarkSelected(const ShortcutTableData& shown, const bool* selected,
                         const ShortcutTableData& current, bool* drop)
{
    for (int32_t i = 0; i < shown.count; i++) {
        if (!selected[i])
            continue;
        for (int32_t j = 0; j < current.count; j++) {
            if (!drop[j] && SameRecord(shown.records[i], current.records[j])) {
                drop[j] = true;
                break;
            }
        }
    }
}

void RewrittenFile(const char* currentText, const ShortcutTableData& shown, const bool* selected,
                   ShortcutTableData* current, TextBuffer* file)
{
    ClearText(file);
    size_t tail = ParseShortcuts(currentText, current).tailOffset;
    SortShortcuts(current);
    bool drop[TABLE_CAPACITY] = {};
    MarkSelected(shown, selected, *current, drop);
    for (int32_t i = 0; i < current->count; i++) {
        if (drop[i])
            continue;
        AppendLine(file, current->records[i].name, strlen(current->records[i].name));
        AppendLine(file, current->records[i].target, strlen(current->records[i].target));
    }
    const char* cursor = currentText + tail;
    while (*cursor != '\0') {
        const char* lineEnd = strchr(cursor, '\n');
        size_t length = lineEnd ? (size_t)(lineEnd - cursor) : strlen(cursor);
        if (length > 0)
            AppendLine(file, cursor, length);
        cursor += length;
        if (*cursor == '\n')
            cursor++;
    }
}
