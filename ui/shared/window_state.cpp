#include "ui/shared/window_state.h"
#include "ui/shared/fonts.h"

HWND MainWindow;
HWND AddItemWindow;
bool HiddenStart = false;
bool HotkeyMissing = true;
UINT TaskbarCreatedMessage;
UINT ShowRequestMessage;
UINT HotkeyChangedMessage;
UINT HookTestMessage;

HWND MainList;
HWND DeleteList;
HWND SearchBox;
HWND StatusLine;
HBITMAP LogoBitmap;
int DeleteMode = 0;

HWND NameEdit;
HWND TargetEdit;
HWND TypeCombo;
int MessageTypeFlag = 0;

void HideMainWindow()
{
    ShowWindow(MainWindow, SW_HIDE);
}

void MoveToNextControl(HWND window, WPARAM which, LPARAM byHandle)
{
    HWND next = LOWORD(byHandle) ? (HWND)which : GetNextDlgTabItem(window, GetFocus(), which != 0);
    if (next == NULL)
        return;
    SetFocus(next);
    if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(next, EM_SETSEL, 0, -1);
}

void PaintLogo(HWND window, int x, int y)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    // SRCAND: white leaves the background as it is, the dark lettering darkens it.
    if (LogoBitmap != NULL)
        DrawScaledBitmap(target, x, y, LogoBitmap, SRCAND, WindowDpi(window));
    EndPaint(window, &paint);
}
