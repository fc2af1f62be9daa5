// The global key that brings the main window forward, and Up and Down for MainList from
// any application. Every key goes on to the application in front: users rely on it.
#include "tray/hotkey_hook.h"
#include "app/app.h"
#include "settings/settings.h"
#include "store/store.h"
#include "tray/hotkey_choices.h"
#include "ui/main/main_window.h"
#include "ui/main/placement.h"

static void BringUpMainWindow()
{
    ShowMainWindow();
    UpdateWindow(MainWindow);
    SetForegroundWindow(MainWindow);
    UpdateWindow(MainWindow);
    SetFocus(SearchBox);
    SetWindowTextA(SearchBox, "");
}

static void SelectInMainList(int index)
{
    SendMessageA(MainList, LB_SETCURSEL, index, 0);
}

// Up stops on the first item, Down on the last; with nothing selected either selects the
// first. An empty list takes no selection.
static void MoveMainListSelection(DWORD key)
{
    if (key != VK_UP && key != VK_DOWN)
        return;
    int selection = (int)SendMessageA(MainList, LB_GETCURSEL, 0, 0);
    if (key == VK_UP)
        SelectInMainList(selection <= 1 ? 0 : selection - 1);
    else if (selection < 0)
        SelectInMainList(0);
    else if (selection + 1 < ShortcutTable.count)
        SelectInMainList(selection + 1);
}

// The choice is read from the settings file at every event, so that a key picked in the
// options takes effect at the next key. "None" and an index that is no row of the table
// give no key, and no key event ever matches no key.
LRESULT CALLBACK HotkeyProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code < 0)
        return CallNextHookEx(HotkeyHookHandle, code, wParam, lParam);
    DWORD hotkey = (DWORD)HotkeyCodeOf(HotkeySetting(0, false));
    if (wParam == WM_KEYDOWN) {
        DWORD key = ((const KBDLLHOOKSTRUCT*)lParam)->vkCode;
        if (hotkey != 0 && key == hotkey)
            BringUpMainWindow();
        MoveMainListSelection(key);
    }
    return CallNextHookEx(HotkeyHookHandle, code, wParam, lParam);
}
