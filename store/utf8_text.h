// Data files that an editor saved as UTF-8 (Notepad does so by default since 2019). The
// table holds their names and targets as the ANSI code page shows them, and an add writes
// UTF-8 into them, so that a file is never rewritten in another encoding.
#ifndef JUMPLET_UTF8_TEXT_H
#define JUMPLET_UTF8_TEXT_H

#include "base/characters.h"
#include "store/text_buffer.h"

// Whether the bytes are UTF-8 that ANSI text is not mistaken for: every sequence well
// formed and at least one of more than one byte. Pure ASCII is both, and stays ANSI.
bool IsUtf8WithMultiByte(const char* bytes, size_t length);

// Whether a data file's bytes are UTF-8: a byte-order mark in front, or else the text that
// a reader sees (up to a NUL or Ctrl-Z) is UTF-8 with a multi-byte sequence.
bool IsUtf8DataFile(const char* bytes, size_t length);

// Where the UTF-8 character at text[at] ends, and its code point. A byte that begins no
// well-formed sequence stands alone for U+FFFD, as the system's own conversion takes it.
size_t NextUtf8Character(const char* text, size_t length, size_t at, uint32_t* codePoint);

// UTF-8 text in the code page: the whole characters that fit in ansiSize - 1 bytes, NUL
// ended. Returns how many UTF-8 bytes they took; *exact is false when one of them was
// written as the nearest character the page has.
size_t AnsiFromUtf8(const char* utf8, size_t length, const CodePage& page, char* ansi, size_t ansiSize, bool* exact);

// Appends text of the code page as UTF-8.
void AppendUtf8FromAnsi(TextBuffer* utf8, const char* ansi, size_t length, const CodePage& page);

#endif
