#include "store/data_text.h"
#include <cstring>

const char MessagePrefix[] = "Message : ";

static const char CTRL_Z = 0x1A;

std::string TextModeView(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    size_t end = VisibleLength(bytes);
    for (size_t i = 0; i < end; i++) {
        if (bytes[i] == '\r' && i + 1 < end && bytes[i + 1] == '\n')
            continue;
        text.push_back(bytes[i]);
    }
    return text;
}

size_t VisibleLength(const std::string& bytes)
{
    for (size_t i = 0; i < bytes.size(); i++) {
        if (bytes[i] == '\0' || bytes[i] == CTRL_Z)
            return i;
    }
    return bytes.size();
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

static void AppendLine(std::string* file, const char* text)
{
    file->append(text);
    file->append("\r\n");
}

std::string AppendedFile(const std::string& oldBytes, const char* name, const char* target,
                         bool isMessage)
{
    size_t visible = VisibleLength(oldBytes);
    std::string file(oldBytes, 0, visible);
    if (visible > 0 && oldBytes[visible - 1] != '\n')
        file.append("\r\n");
    AppendLine(&file, name);
    if (isMessage)
        file.append(MessagePrefix);
    AppendLine(&file, target);
    file.append(oldBytes, visible, std::string::npos);
    return file;
}

std::string RewrittenFile(const ShortcutTableData& table, const bool* dropIndex,
                          const char* overflowText)
{
    std::string file;
    for (int32_t i = 0; i < table.count; i++) {
        if (dropIndex[i])
            continue;
        AppendLine(&file, table.records[i].name);
        AppendLine(&file, table.records[i].target);
    }
    const char* cursor = overflowText;
    while (*cursor != '\0') {
        const char* lineEnd = strchr(cursor, '\n');
        size_t length = lineEnd ? (size_t)(lineEnd - cursor) : strlen(cursor);
        if (length > 0) {
            file.append(cursor, length);
            file.append("\r\n");
        }
        cursor += length;
        if (*cursor == '\n')
            cursor++;
    }
    return file;
}
