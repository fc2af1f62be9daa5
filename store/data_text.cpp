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

void AppendedFile(const char* oldBytes, size_t oldLength, const char* name, const char* target,
                  bool isMessage, TextBuffer* file)
{
    ClearText(file);
    size_t visible = VisibleLength(oldBytes, oldLength);
    AppendBytes(file, oldBytes, visible);
    if (visible > 0 && oldBytes[visible - 1] != '\n')
        AppendBytes(file, "\r\n", 2);
    AppendLine(file, name, strlen(name));
    if (isMessage)
        AppendString(file, MessagePrefix);
    AppendLine(file, target, strlen(target));
    AppendBytes(file, oldBytes + visible, oldLength - visible);
}

void RewrittenFile(const ShortcutTableData& table, const bool* dropIndex,
                   const char* overflowText, TextBuffer* file)
{
    ClearText(file);
    for (int32_t i = 0; i < table.count; i++) {
        if (dropIndex[i])
            continue;
        AppendLine(file, table.records[i].name, strlen(table.records[i].name));
        AppendLine(file, table.records[i].target, strlen(table.records[i].target));
    }
    const char* cursor = overflowText;
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
