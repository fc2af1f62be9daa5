// Case-insensitive comparisons that fold ASCII letters to lower case, as the C runtime's
// _strcmpi and _strnicmp do in a single-byte code page; the table's order, the search
// and the command line all rest on this folding, so it must not depend on the locale. The
// second byte of a two-byte character is never folded: it is no letter of its own.
#ifndef JUMPLET_TEXT_COMPARE_H
#define JUMPLET_TEXT_COMPARE_H

#include <cstddef>
#include "base/characters.h"

int CompareNoCase(const char* a, const char* b, LeadByteTest isLead = NoLeadBytes);
int CompareNoCaseN(const char* a, const char* b, size_t n, LeadByteTest isLead = NoLeadBytes);

#endif
