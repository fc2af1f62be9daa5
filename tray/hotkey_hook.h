// The global key that brings the main window forward.
#ifndef JUMPLET_HOTKEY_HOOK_H
#define JUMPLET_HOTKEY_HOOK_H

#include <windows.h>

LRESULT CALLBACK HotkeyProc(int code, WPARAM wParam, LPARAM lParam);

#endif
