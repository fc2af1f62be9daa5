#include "ui/shared/window_state.h"

HWND MainWindow;
HWND AddItemWindow;
bool HiddenStart = false;
bool HotkeyMissing = true;
UINT TaskbarCreatedMessage;
UINT ShowRequestMessage;
UINT HotkeyChangedMessage;
UINT HookTestMessage;
HFONT GuiFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);

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

void PaintLogo(HWND window, int x, int y)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    if (LogoBitmap != NULL) {
        HDC source = CreateCompatibleDC(target);
        HGDIOBJ previous = SelectObject(source, LogoBitmap);
        BITMAP bitmap;
        GetObjectA(LogoBitmap, sizeof(bitmap), &bitmap);
        // SRCAND: white leaves the background as it is, the dark lettering darkens it.
        BitBlt(target, x, y, bitmap.bmWidth, bitmap.bmHeight, source, 0, 0, SRCAND);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    EndPaint(window, &paint);
}
