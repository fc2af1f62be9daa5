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
