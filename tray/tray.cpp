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
// At logon the shell is often too busy to take an icon, and an add fails for a while.
enum { TRAY_RETRY_MS = 2000, TRAY_RETRIES = 30 };

HMENU TrayMenu;
NOTIFYICONDATAA TrayIconData;
static int TrayIconDpi;
static int TrayRetriesLeft;

// The notification area is drawn at the scale of the taskbar's monitor, which can change
// while Jumplet runs. Gives back the icon replaced, which the shell may still show, or NULL
// when the scale is the same.
static HICON RemakeTrayIcon()
{
    int dpi = WindowDpi(FindWindowA("Shell_TrayWnd", NULL));
    if (dpi == TrayIconDpi)
        return NULL;
    HICON old = TrayIconData.hIcon;
    TrayIconData.hIcon = LoadProgramIcon(SM_CXSMICON, dpi);
    TrayIconDpi = dpi;
    return old;
}

void CreateTrayIcon()
{
    ZeroMemory(&TrayIconData, sizeof(TrayIconData));
    TrayIconData.cbSize = NOTIFYICONDATAA_V2_SIZE;
    TrayIconData.hWnd = MainWindow;
    TrayIconData.uID = IDT_TRAYICON;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = TrayCallbackMessage;
    TrayIconDpi = 0;
    RemakeTrayIcon();
    lstrcpynA(TrayIconData.szTip, TRAY_TIP, sizeof(TrayIconData.szTip));

    TrayMenu = CreatePopupMenu();
    AppendMenuA(TrayMenu, MF_CHECKED, IDM_AUTOSTART, "Invoke At Startup");
    AppendMenuA(TrayMenu, MF_STRING, IDM_ADDNEW, "Add New Shortcut");
    AppendMenuA(TrayMenu, MF_STRING, IDM_MOREOPTIONS, "More Options ..");
    AppendMenuA(TrayMenu, MF_STRING, IDM_QUIT, "Quit Application");
}

// An add that timed out may have reached the shell all the same; the icon is then there to
// modify.
static bool TryAddingTrayIcon()
{
    return Shell_NotifyIconA(NIM_ADD, &TrayIconData) || Shell_NotifyIconA(NIM_MODIFY, &TrayIconData);
}

// A shell that starts again may do so at another scale (a change of scale can restart it).
void AddTrayIcon()
{
    HICON old = RemakeTrayIcon();
    TrayRetriesLeft = TRAY_RETRIES;
    if (TryAddingTrayIcon())
        KillTimer(MainWindow, IDT_TRAY_RETRY);
    else
        SetTimer(MainWindow, IDT_TRAY_RETRY, TRAY_RETRY_MS, NULL);
    if (old != NULL)
        DestroyIcon(old);
}

void RetryTrayIcon()
{
    if (TryAddingTrayIcon() || --TrayRetriesLeft <= 0)
        KillTimer(MainWindow, IDT_TRAY_RETRY);
}

void FollowTrayScale()
{
    HICON old = RemakeTrayIcon();
    if (old == NULL)
        return;
    Shell_NotifyIconA(NIM_MODIFY, &TrayIconData);
    DestroyIcon(old);
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
