// The launcher window: lettering, search line, the two lists and the buttons.
#ifndef JUMPLET_MAIN_WINDOW_H
#define JUMPLET_MAIN_WINDOW_H

#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
