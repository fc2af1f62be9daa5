#include "base/ansi_path.h"

PathConversion AnsiPathFromWide(const WCHAR* wide, char* path, int pathSize)
{
    path[0] = '\0';
    if (lstrlenW(wide) >= pathSize)
        return PATH_TOO_LONG;
    // A system whose ANSI code page is UTF-8 holds every path, and takes no flags.
    bool utf8 = GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, path,
                                      pathSize, NULL, utf8 ? NULL : &usedDefault);
    if (written == 0) {
        path[0] = '\0';
        return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? PATH_TOO_LONG : PATH_NOT_ANSI;
    }
    if (usedDefault) {
        path[0] = '\0';
        return PATH_NOT_ANSI;
    }
    return PATH_CONVERTED;
}

bool SystemLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

static uint32_t SystemCodePointOf(const char* bytes, size_t length)
{
    WCHAR wide[2];
    int units = MultiByteToWideChar(CP_ACP, 0, bytes, (int)length, wide, 2);
    if (units == 1)
        return wide[0];
    if (units == 2 && IS_HIGH_SURROGATE(wide[0]) && IS_LOW_SURROGATE(wide[1]))
        return 0x10000 + (((uint32_t)wide[0] - 0xD800) << 10) + ((uint32_t)wide[1] - 0xDC00);
    return 0xFFFD;
}

// The system's best fit gives the nearest character (A for A with a macron); only one
// that reads back as the same code point is held.
static bool SystemBytesOf(uint32_t codePoint, char* bytes, size_t* length)
{
    WCHAR wide[2] = {(WCHAR)codePoint, 0};
    int units = 1;
    if (codePoint >= 0x10000) {
        wide[0] = (WCHAR)(0xD800 + ((codePoint - 0x10000) >> 10));
        wide[1] = (WCHAR)(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        units = 2;
    }
    int written = WideCharToMultiByte(CP_ACP, 0, wide, units, bytes, 2, NULL, NULL);
    if (written <= 0) {
        bytes[0] = '?';
        *length = 1;
        return false;
    }
    *length = (size_t)written;
    return SystemCodePointOf(bytes, *length) == codePoint;
}

const CodePage SystemCodePage = {SystemBytesOf, SystemCodePointOf, SystemLeadByte};
