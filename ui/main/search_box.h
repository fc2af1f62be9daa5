// The search line: a search field and a small run line in one.
#ifndef JUMPLET_SEARCH_BOX_H
#define JUMPLET_SEARCH_BOX_H

#include <windows.h>

extern WNDPROC OriginalSearchBoxProc;

LRESULT CALLBACK SearchBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PrefixSearch();
// Delete mode begins with nothing chosen by typing: the list was filled afresh.
void ForgetTypedDeleteChoice();

#endif
