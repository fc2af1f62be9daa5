#include "ui/add/path_naming.h"
#include <cstring>

// Copies by memmove: a result may be taken from out itself.
static void CopyCut(const char* start, size_t length, char* out, size_t outSize)
{
    if (outSize == 0)
        return;
    if (length > outSize - 1)
        length = outSize - 1;
    memmove(out, start, length);
    out[length] = '\0';
}

void LastPathComponent(const char* text, char* out, size_t outSize)
{
    size_t end = strlen(text);
    while (end > 0 && text[end - 1] == '\\')
        end--;
    size_t start = end;
    while (start > 0 && text[start - 1] != '\\')
        start--;
    CopyCut(text + start, end - start, out, outSize);
}

void SplitPart(const char* text, const char* delimiters, int part, char* out, size_t outSize)
{
    if (part != 1 && part != 2) {
        CopyCut("part can be either 1 or 2", 25, out, outSize);
        return;
    }
    const char* cursor = text;
    for (int token = 1;; token++) {
        cursor += strspn(cursor, delimiters);
        if (*cursor == '\0') {
            CopyCut("", 0, out, outSize);
            return;
        }
        size_t length = strcspn(cursor, delimiters);
        if (token == part) {
            CopyCut(cursor, length, out, outSize);
            return;
        }
        cursor += length;
    }
}

void ProposedName(const char* path, bool isFolder, char* out, size_t outSize)
{
    if (isFolder) {
        LastPathComponent(path, out, outSize);
        return;
    }
    LastPathComponent(path, out, outSize);
    SplitPart(out, ".", 1, out, outSize);
}
