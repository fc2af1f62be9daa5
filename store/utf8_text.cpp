#include "store/utf8_text.h"
#include <cstring>
#include "store/data_text.h"
#include "store/shortcut_table.h"

enum : uint32_t { REPLACEMENT_CHARACTER = 0xFFFD };

// The length of the well-formed sequence at text[0] (Unicode's table of them: no overlong
// forms, no surrogates, nothing past U+10FFFF), or 0 when there is none.
static size_t WellFormedLength(const unsigned char* text, size_t available, uint32_t* codePoint)
{
    unsigned char first = text[0];
    if (first < 0x80) {
        *codePoint = first;
        return 1;
    }
    size_t length = 0;
    uint32_t value = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        value = first & 0x1Fu;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        value = first & 0x0Fu;
        low = first == 0xE0 ? 0xA0 : low;
        high = first == 0xED ? 0x9F : high;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        value = first & 0x07u;
        low = first == 0xF0 ? 0x90 : low;
        high = first == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    for (size_t i = 1; i < length; i++) {
        if (text[i] < low || text[i] > high)
            return 0;
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (text[i] & 0x3Fu);
    }
    *codePoint = value;
    return length;
}

bool IsUtf8WithMultiByte(const char* bytes, size_t length)
{
    bool multiByte = false;
    for (size_t at = 0; at < length;) {
        uint32_t codePoint = 0;
        size_t sequence = WellFormedLength((const unsigned char*)bytes + at, length - at, &codePoint);
        if (sequence == 0)
            return false;
        multiByte = multiByte || sequence > 1;
        at += sequence;
    }
    return multiByte;
}

bool IsUtf8DataFile(const char* bytes, size_t length)
{
    size_t visible = VisibleLength(bytes, length);
    return ByteOrderMarkLength(bytes, visible) > 0 || IsUtf8WithMultiByte(bytes, visible);
}

size_t NextUtf8Character(const char* text, size_t length, size_t at, uint32_t* codePoint)
{
    size_t sequence = WellFormedLength((const unsigned char*)text + at, length - at, codePoint);
    if (sequence > 0)
        return at + sequence;
    *codePoint = REPLACEMENT_CHARACTER;
    return at + 1;
}

size_t AnsiFromUtf8(const char* utf8, size_t length, const CodePage& page, char* ansi, size_t ansiSize, bool* exact)
{
    *exact = true;
    size_t taken = 0, written = 0;
    while (taken < length) {
        uint32_t codePoint = 0;
        size_t next = NextUtf8Character(utf8, length, taken, &codePoint);
        char bytes[2];
        size_t count = 0;
        bool held = page.fromCodePoint(codePoint, bytes, &count);
        if (written + count > ansiSize - 1)
            break;
        memcpy(ansi + written, bytes, count);
        written += count;
        taken = next;
        *exact = *exact && held;
    }
    ansi[written] = '\0';
    return taken;
}

static void AppendCodePoint(TextBuffer* utf8, uint32_t codePoint)
{
    char bytes[4];
    size_t length = 1;
    if (codePoint < 0x80) {
        bytes[0] = (char)codePoint;
    } else if (codePoint < 0x800) {
        bytes[0] = (char)(0xC0 | (codePoint >> 6));
        length = 2;
    } else if (codePoint < 0x10000) {
        bytes[0] = (char)(0xE0 | (codePoint >> 12));
        length = 3;
    } else {
        bytes[0] = (char)(0xF0 | (codePoint >> 18));
        length = 4;
    }
    for (size_t i = 1; i < length; i++)
        bytes[i] = (char)(0x80 | ((codePoint >> (6 * (length - 1 - i))) & 0x3F));
    AppendBytes(utf8, bytes, length);
}

void AppendUtf8FromAnsi(TextBuffer* utf8, const char* ansi, size_t length, const CodePage& page)
{
    for (size_t at = 0; at < length;) {
        size_t count = IsLeadByte((unsigned char)ansi[at], page.isLead) && at + 1 < length ? 2 : 1;
        AppendCodePoint(utf8, page.toCodePoint(ansi + at, count));
        at += count;
    }
}
