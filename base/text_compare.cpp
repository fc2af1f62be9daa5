#include "base/text_compare.h"

static int FoldLower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

int CompareNoCaseN(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; i++) {
        int ca = FoldLower((unsigned char)a[i]);
        int cb = FoldLower((unsigned char)b[i]);
        if (ca != cb)
            return ca - cb;
        if (ca == 0)
            return 0;
    }
    return 0;
}

int CompareNoCase(const char* a, const char* b)
{
    return CompareNoCaseN(a, b, (size_t)-1);
}
