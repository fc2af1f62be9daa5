// Case-insensitive comparisons that fold ASCII letters to lower case, byte by byte,
// exactly as the C runtime's _strcmpi and _strnicmp do; the table's order, the search
// and the command line all rest on this folding, so it must not depend on the locale.
#ifndef JUMPLET_TEXT_COMPARE_H
#define JUMPLET_TEXT_COMPARE_H

#include <cstddef>

int CompareNoCase(const char* a, const char* b);
int CompareNoCaseN(const char* a, const char* b, size_t n);

#endif
