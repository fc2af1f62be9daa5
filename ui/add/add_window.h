// The form that creates a shortcut.
#ifndef JUMPLET_ADD_WINDOW_H
#define JUMPLET_ADD_WINDOW_H

#include <windows.h>
#include "app/program_paths.h"

extern HWND NameEdit;
extern HWND TargetEdit;
extern HWND TypeCombo;
// 1 when the type last chosen is "Message": the target is then stored with its prefix.
extern int MessageTypeFlag;
extern char FolderPathBuffer[PATH_BUFFER];

LRESULT CALLBACK AddWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
