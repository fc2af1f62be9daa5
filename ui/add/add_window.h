// The form that creates a shortcut.
#ifndef JUMPLET_ADD_WINDOW_H
#define JUMPLET_ADD_WINDOW_H

#include <windows.h>

LRESULT CALLBACK AddWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
