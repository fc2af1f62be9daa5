#include "ui/main/search_box.h"
#include "ui/shared/lists.h"
#include "base/ansi_path.h"
#include "base/program.h"
#include "settings/settings.h"
#include "store/store.h"
#include "ui/shared/launching.h"
#include "ui/shared/window_state.h"

enum { SEARCH_TEXT_SIZE = 128 };

WNDPROC OriginalSearchBoxProc;

static LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(OriginalSearchBoxProc, window, message, wParam, lParam);
}

static LRESULT OnEnter(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SetWindowTextA(SearchBox, "");
    if (LaunchSoundEnabled)
        PlayEventSound(LaunchSoundPath);
    HideMainWindow();
    LaunchSelected();
    return PassOn(window, message, wParam, lParam);
}

static LRESULT OnSpace(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RunTypedCommand();
    HideMainWindow();
    return PassOn(window, message, wParam, lParam);
}

// Enter and Space have done their work on key-down; the characters they would leave
// behind (a line break, a blank) must not reach the box. Neither may a tab: the line is one
// line of text, and an invisible tab would stop every name from matching.
static bool IsSpentCharacter(WPARAM character)
{
    return character == '\r' || character == '\n' || character == ' ' || character == '\t';
}

LRESULT CALLBACK SearchBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            return OnEnter(window, message, wParam, lParam);
        if (wParam == VK_SPACE)
            return OnSpace(window, message, wParam, lParam);
        // Up and Down pick a name here whether or not the hook is installed; the hook leaves
        // them alone while this window is in front, so each press moves once.
        if (wParam == VK_UP || wParam == VK_DOWN) {
            MoveMainListSelection(wParam == VK_UP);
            return 0;
        }
        break;
    case WM_CHAR:
        if (IsSpentCharacter(wParam))
            return 0;
        break;
    }
    return PassOn(window, message, wParam, lParam);
}

void PrefixSearch()
{
    char text[SEARCH_TEXT_SIZE] = "";
    GetWindowTextA(SearchBox, text, SEARCH_TEXT_SIZE);
    int32_t found = FirstNameStartingWith(ShortcutTable, text, SystemLeadByte);
    if (found < 0)
        return;
    if (DeleteMode == 0)
        SendMessageA(MainList, LB_SETCURSEL, found, 0);
    else
        SendMessageA(DeleteList, LB_SETSEL, TRUE, found);
}
