// One dropped file or folder fills the add form and proposes a name.
#ifndef JUMPLET_DROP_H
#define JUMPLET_DROP_H

#include <windows.h>

// A path as the shell hands it over (in Unicode) in the program's ANSI code page, which
// the data file keeps. A path that does not convert exactly would name another file, or
// none, so it is refused rather than stored.
enum PathConversion { PATH_CONVERTED, PATH_TOO_LONG, PATH_NOT_ANSI };
PathConversion AnsiPathFromWide(const WCHAR* wide, char* path, int pathSize);
// Tells the user why a path cannot become a shortcut.
void RefusePath(HWND owner, PathConversion conversion);

void OnAddWindowDrop(HDROP drop);
void OnMainWindowDrop(HDROP drop);
void NameFromPath(const char* path);

#endif
