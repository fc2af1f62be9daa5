#include "base/text_compare.h"

static int FoldLower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

int CompareNoCaseN(const char* a, const char* b, size_t n, LeadByteTest isLead)
{
    // Both texts are equal up to i, so a character ends at the same byte in both.
    bool secondByte = false;
    for (size_t i = 0; i < n; i++) {
        int ca = secondByte ? (unsigned char)a[i] : FoldLower((unsigned char)a[i]);
        int cb = secondByte ? (unsigned char)b[i] : FoldLower((unsigned char)b[i]);
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            return 0;
        secondByte = !secondByte && IsLeadByte((unsigned char)a[i], isLead);
    }
    return 0;
}

int CompareNoCase(const char* a, const char* b, LeadByteTest isLead)
{
    return CompareNoCaseN(a, b, (size_t)-1, isLead);
}
