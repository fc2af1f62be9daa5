#include "store/text_buffer.h"
#include <cstdlib>
#include <cstring>

static const char EmptyText[1] = "";

void InitText(TextBuffer* text)
{
    text->bytes = const_cast<char*>(EmptyText);
    text->length = 0;
    text->capacity = 0;
    text->failed = false;
}

void FreeText(TextBuffer* text)
{
    if (text->capacity > 0)
        free(text->bytes);
    InitText(text);
}

void ClearText(TextBuffer* text)
{
    text->length = 0;
    if (text->capacity > 0)
        text->bytes[0] = '\0';
}

static bool Reserve(TextBuffer* text, size_t length)
{
    if (length + 1 <= text->capacity)
        return true;
    size_t capacity = text->capacity < 256 ? 256 : text->capacity;
    while (capacity < length + 1)
        capacity *= 2;
    char* grown = (char*)(text->capacity > 0 ? realloc(text->bytes, capacity) : malloc(capacity));
    if (grown == nullptr) {
        text->failed = true;
        return false;
    }
    if (text->capacity == 0)
        grown[0] = '\0';
    text->bytes = grown;
    text->capacity = capacity;
    return true;
}

bool AppendBytes(TextBuffer* text, const char* bytes, size_t length)
{
    if (!Reserve(text, text->length + length))
        return false;
    memcpy(text->bytes + text->length, bytes, length);
    text->length += length;
    text->bytes[text->length] = '\0';
    return true;
}

bool AppendString(TextBuffer* text, const char* string)
{
    return AppendBytes(text, string, strlen(string));
}

bool ResizeText(TextBuffer* text, size_t length)
{
    if (!Reserve(text, length))
        return false;
    memset(text->bytes, 0, length + 1);
    text->length = length;
    return true;
}
