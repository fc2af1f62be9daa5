// Paths as the system hands them over in Unicode, in the program's ANSI code page, which
// the data file and every "A" call use. A path that does not convert exactly would name
// another file, or none, so it is refused rather than used.
#ifndef JUMPLET_ANSI_PATH_H
#define JUMPLET_ANSI_PATH_H

#include <windows.h>
#include "base/characters.h"

enum PathConversion { PATH_CONVERTED, PATH_TOO_LONG, PATH_NOT_ANSI };
PathConversion AnsiPathFromWide(const WCHAR* wide, char* path, int pathSize);

// The ANSI code page's first bytes of two-byte characters, for the core's scans of paths
// and names.
bool SystemLeadByte(unsigned char byte);

// The ANSI code page, for reading and extending data files saved as UTF-8.
extern const CodePage SystemCodePage;

#endif
