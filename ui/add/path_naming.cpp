#include "ui/add/path_naming.h"
#include <cstring>

// Copies by memmove: a result may be taken from out itself.
static void CopyCut(const char* start, size_t length, char* out, size_t outSize, LeadByteTest isLead)
{
    if (outSize == 0)
        return;
    length = WholeCharacters(start, length, outSize - 1, isLead);
    memmove(out, start, length);
    out[length] = '\0';
}

// Where the part after the last backslash begins and ends, trailing backslashes ignored.
static void LastComponentBounds(const char* text, size_t* start, size_t* end, LeadByteTest isLead)
{
    size_t afterBackslash = 0;
    *start = *end = 0;
    for (size_t at = 0; text[at] != '\0'; at = NextCharacter(text, at, isLead)) {
        if (text[at] == '\\') {
            afterBackslash = NextCharacter(text, at, isLead);
        } else {
            *start = afterBackslash;
            *end = NextCharacter(text, at, isLead);
        }
    }
}

void LastPathComponent(const char* text, char* out, size_t outSize, LeadByteTest isLead)
{
    size_t start, end;
    LastComponentBounds(text, &start, &end, isLead);
    CopyCut(text + start, end - start, out, outSize, isLead);
}

// Delimiters are single bytes: never the first byte of a character.
static bool IsDelimiter(const char* text, const char* delimiters, LeadByteTest isLead)
{
    return !IsLeadByte((unsigned char)*text, isLead) && strchr(delimiters, *text) != nullptr;
}

// The length of the run at text of delimiters only, or of other characters only.
static size_t RunOf(const char* text, const char* delimiters, bool delimiting, LeadByteTest isLead)
{
    size_t at = 0;
    while (text[at] != '\0' && IsDelimiter(text + at, delimiters, isLead) == delimiting)
        at = NextCharacter(text, at, isLead);
    return at;
}

void SplitPart(const char* text, const char* delimiters, int part, char* out, size_t outSize, LeadByteTest isLead)
{
    if (part != 1 && part != 2) {
        CopyCut("part can be either 1 or 2", 25, out, outSize, isLead);
        return;
    }
    const char* cursor = text;
    for (int token = 1;; token++) {
        cursor += RunOf(cursor, delimiters, true, isLead);
        if (*cursor == '\0') {
            CopyCut("", 0, out, outSize, isLead);
            return;
        }
        size_t length = RunOf(cursor, delimiters, false, isLead);
        if (token == part) {
            CopyCut(cursor, length, out, outSize, isLead);
            return;
        }
        cursor += length;
    }
}

// Cut only once the name is found, so that leading dots take none of the room.
void ProposedName(const char* path, bool isFolder, char* out, size_t outSize, LeadByteTest isLead)
{
    size_t start, end;
    LastComponentBounds(path, &start, &end, isLead);
    if (!isFolder) {
        while (start < end && path[start] == '.')
            start++;
        size_t dot = start;
        while (dot < end && path[dot] != '.')
            dot = NextCharacter(path, dot, isLead);
        end = dot < end ? dot : end;
    }
    CopyCut(path + start, end - start, out, outSize, isLead);
}
