// Text in the system's ANSI code page, walked by characters. In the double-byte code pages
// (932, 936, 949, 950) the second byte of a character may be a backslash or an ASCII
// letter: a path or a name scanned, cut or folded byte by byte loses or changes one.
#ifndef JUMPLET_CHARACTERS_H
#define JUMPLET_CHARACTERS_H

#include <cstddef>
#include <cstdint>

// Whether a byte is the first of a two-byte character. The program asks the system; tests
// hand in a code page's own table.
typedef bool (*LeadByteTest)(unsigned char byte);

// A single-byte code page: every byte is a character.
bool NoLeadBytes(unsigned char byte);

// No code page of the system begins a character with an ASCII byte, so ASCII text, the
// common case, is walked without asking the test.
inline bool IsLeadByte(unsigned char byte, LeadByteTest isLead)
{
    return byte >= 0x80 && isLead(byte);
}

// Where the character at text[at] ends; a first byte just before the NUL stands alone,
// as the system's CharNextA takes it.
size_t NextCharacter(const char* text, size_t at, LeadByteTest isLead);

// The length of the longest start of text[0, length) that holds at most maxLength bytes
// and ends between two characters.
size_t WholeCharacters(const char* text, size_t length, size_t maxLength, LeadByteTest isLead);

// The ANSI code page one character at a time, both ways, for data files that an editor
// saved as UTF-8. The program asks the system; tests hand in a simple page of their own.
struct CodePage {
    // The code page's bytes (one or two) for a code point, or the nearest it has when it
    // has not that one; false then.
    bool (*fromCodePoint)(uint32_t codePoint, char* bytes, size_t* length);
    // The code point of one character of the code page: its one or two bytes.
    uint32_t (*toCodePoint)(const char* bytes, size_t length);
    LeadByteTest isLead;
};

#endif
