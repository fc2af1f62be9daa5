// A growable run of bytes for the short-lived texts of one load or one save. It always
// ends in a NUL after its length; running out of memory is reported, never thrown.
#ifndef JUMPLET_TEXT_BUFFER_H
#define JUMPLET_TEXT_BUFFER_H

#include <cstddef>

struct TextBuffer {
    char* bytes;
    size_t length;
    size_t capacity;
    bool failed;   // an append could not get memory; the content is then incomplete
};

void InitText(TextBuffer* text);
void FreeText(TextBuffer* text);
void ClearText(TextBuffer* text);
bool AppendBytes(TextBuffer* text, const char* bytes, size_t length);
bool AppendString(TextBuffer* text, const char* string);
// Room for length bytes, filled with NULs, ready to be read into.
bool ResizeText(TextBuffer* text, size_t length);

#endif
