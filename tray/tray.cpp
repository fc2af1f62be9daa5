// The notification-area icon and its menu. The menu opens on pressing the right button
// and carries out its command when it closes.
#include "tray/tray.h"
#include "base/program.h"
#include "res/resource.h"
#include "settings/auto_start.h"
#include "settings/settings.h"
#include "ui/options/options_dialog.h"
#include "ui/shared/fonts.h"
#include "ui/shared/placement.h"
#include "ui/shared/window_state.h"

#define TRAY_TIP "Jumplet - A Shortcut Tool"

HMENU TrayMenu;
NOTIFYICONDATAA TrayIconData;

void CreateTrayIcon()
{
    ZeroMemory(&TrayIconData, sizeof(TrayIconData));
    TrayIconData.cbSize = NOTIFYICONDATAA_V2_SIZE;
    TrayIconData.hWnd = MainWindow;
    TrayIconData.uID = IDT_TRAYICON;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = TrayCallbackMessage;
    TrayIconData.hIcon = LoadProgramIcon(SM_CXSMICON, WindowDpi(NULL));
    lstrcpynA(TrayIconData.szTip, TRAY_TIP, sizeof(TrayIconData.szTip));

    TrayMenu = CreatePopupMenu();
    AppendMenuA(TrayMenu, MF_CHECKED, IDM_AUTOSTART, "Invoke At Startup");
    AppendMenuA(TrayMenu, MF_STRING, IDM_ADDNEW, "Add New Shortcut");
    AppendMenuA(TrayMenu, MF_STRING, IDM_MOREOPTIONS, "More Options ..");
    AppendMenuA(TrayMenu, MF_STRING, IDM_QUIT, "Quit Application");
}

void AddTrayIcon()
{
    Shell_NotifyIconA(NIM_ADD, &TrayIconData);
}

void RemoveTrayIcon()
{
    Shell_NotifyIconA(NIM_DELETE, &TrayIconData);
}

void QuitApplication()
{
    SaveOptions();
    PostQuitMessage(0);
}

// An open options dialog shows the same state, or its next click would undo this one.
static void ToggleAutoStartFromTray()
{
    ToggleAutoStart();
    ShowAutoStartInOptions();
}

static void OnTrayMenuCommand(int command)
{
    switch (command) {
    case IDM_AUTOSTART:   ToggleAutoStartFromTray(); break;
    case IDM_ADDNEW:      ShowAddWindow(); break;
    case IDM_MOREOPTIONS: OpenOptionsDialog(); break;
    case IDM_QUIT:        QuitApplication(); break;
    }
}

// Showing the menu made the hidden window the front one. A menu that closes on nothing
// shown (Escape, "Invoke At Startup") gives the keyboard back to the taskbar, as the
// icon's documentation asks, rather than leave it with a window nobody sees.
static void GiveBackKeyboardUnlessShown()
{
    if (!IsWindowVisible(MainWindow) && !IsWindowVisible(AddItemWindow))
        Shell_NotifyIconA(NIM_SETFOCUS, &TrayIconData);
}

static void ShowTrayMenu()
{
    POINT cursor;
    GetCursorPos(&cursor);
    // The mark shows the state as it is now, whoever changed it last.
    CheckMenuItem(TrayMenu, IDM_AUTOSTART, AutoStartEnabled ? MF_CHECKED : MF_UNCHECKED);
    SetForegroundWindow(MainWindow);
    int command = TrackPopupMenu(TrayMenu, TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y,
                                 0, MainWindow, NULL);
    // As the menu's documentation asks: else the next tray menu may close at once.
    PostMessageA(MainWindow, WM_NULL, 0, 0);
    OnTrayMenuCommand(command);
    GiveBackKeyboardUnlessShown();
}

// The shell grants the click's right to take the front; showing a window that is already
// visible would not bring it there.
static void ShowFromTray()
{
    ShowMainWindow();
    SetForegroundWindow(MainWindow);
    SetWindowTextA(SearchBox, "");
    SetFocus(SearchBox);
}

// A double click arrives as two presses and releases, so it acts as two clicks.
void OnTrayCallback(LPARAM mouseMessage)
{
    switch (mouseMessage) {
    case WM_LBUTTONUP:   ShowFromTray(); break;
    case WM_RBUTTONDOWN: ShowTrayMenu(); break;
    }
}
