#include "base/characters.h"

bool NoLeadBytes(unsigned char)
{
    return false;
}

size_t NextCharacter(const char* text, size_t at, LeadByteTest isLead)
{
    return at + (IsLeadByte((unsigned char)text[at], isLead) && text[at + 1] != '\0' ? 2 : 1);
}

size_t WholeCharacters(const char* text, size_t length, size_t maxLength, LeadByteTest isLead)
{
    if (length <= maxLength)
        return length;
    size_t end = 0;
    for (;;) {
        size_t next = end + (IsLeadByte((unsigned char)text[end], isLead) ? 2 : 1);
        if (next > maxLength)
            return end;
        end = next;
    }
}
