// One dropped file or folder fills the add form and proposes a name.
#ifndef JUMPLET_DROP_H
#define JUMPLET_DROP_H

#include <windows.h>
#include "base/ansi_path.h"

// Tells the user why a path cannot become a shortcut.
void RefusePath(HWND owner, PathConversion conversion);

void OnAddWindowDrop(HDROP drop);
void OnMainWindowDrop(HDROP drop);
void NameFromPath(const char* path);
// Text the program puts in one of the form's edits: the caret after it, where typing goes on.
void PutFormText(HWND edit, const char* text);

#endif
