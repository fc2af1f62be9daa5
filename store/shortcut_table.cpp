#include "store/shortcut_table.h"
#include "app/text_compare.h"
#include <cstring>

static void CopyField(char* field, size_t fieldSize, const char* line, size_t length)
{
    if (length > fieldSize - 1)
        length = fieldSize - 1;
    memcpy(field, line, length);
    field[length] = '\0';
}

ParseResult ParseShortcuts(const char* text, ShortcutTableData* table)
{
    ParseResult result = {0, 0, strlen(text)};
    const char* pendingName = nullptr;
    size_t pendingLength = 0;
    const char* cursor = text;
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
            ShortcutRecord* record = &table->records[result.fileRecords];
            CopyField(record->name, NAME_SIZE, pendingName, pendingLength);
            CopyField(record->target, TARGET_SIZE, line, length);
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

void SortShortcuts(ShortcutTableData* table)
{
    for (int32_t i = 0; i < table->count; i++) {
        for (int32_t j = i; j < table->count; j++) {
            if (CompareNoCase(table->records[i].name, table->records[j].name) > 0) {
                ShortcutRecord swap = table->records[i];
                table->records[i] = table->records[j];
                table->records[j] = swap;
            }
        }
    }
}
