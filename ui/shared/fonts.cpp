#include "ui/shared/fonts.h"
#include "base/late_library.h"
#include "base/program.h"
#include "res/resource.h"
#include "ui/shared/scaling.h"

static int ScreenDpi()
{
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return dpi;
}

int WindowDpi(HWND window)
{
    typedef UINT(WINAPI * DpiForWindow)(HWND);
    DpiForWindow dpiForWindow = (DpiForWindow)(void*)LateFunction("user32.dll", "GetDpiForWindow");
    UINT dpi = dpiForWindow != NULL && window != NULL ? dpiForWindow(window) : 0;
    return dpi != 0 ? (int)dpi : ScreenDpi();
}

HFONT CreateScaledFont(const char* face, int points, int weight, int dpi)
{
    int pixels = MulDiv(points, dpi, 72);
    // A negative height asks for the character height rather than the cell height.
    return CreateFontA(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

HFONT CreateGuiFont(int dpi)
{
    HFONT stock = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    int screen = ScreenDpi();
    if (dpi == screen)
        return stock;
    LOGFONTA font;
    GetObjectA(stock, sizeof(font), &font);
    font.lfHeight = MulDiv(font.lfHeight, dpi, screen);
    font.lfWidth = 0;
    return CreateFontIndirectA(&font);
}

void ReleaseFont(HFONT font)
{
    if (font != NULL && font != (HFONT)GetStockObject(DEFAULT_GUI_FONT))
        DeleteObject(font);
}

HICON LoadProgramIcon(int sizeMetric, int dpi)
{
    typedef int(WINAPI * MetricForDpi)(int, UINT);
    MetricForDpi metricForDpi = (MetricForDpi)(void*)LateFunction("user32.dll", "GetSystemMetricsForDpi");
    int size = metricForDpi != NULL ? metricForDpi(sizeMetric, dpi) : GetSystemMetrics(sizeMetric);
    return (HICON)LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_JUMPLET), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
}

void SetWindowIcons(HWND window, int dpi)
{
    const WPARAM kinds[] = {ICON_BIG, ICON_SMALL};
    const int metrics[] = {SM_CXICON, SM_CXSMICON};
    for (int i = 0; i < 2; i++) {
        HICON old = (HICON)SendMessageA(window, WM_SETICON, kinds[i], (LPARAM)LoadProgramIcon(metrics[i], dpi));
        if (old != NULL)
            DestroyIcon(old);
    }
}

int TakeNewScale(HWND window, WPARAM dpis, LPARAM suggestedRect)
{
    int dpi = HIWORD(dpis);
    const RECT* suggested = (const RECT*)suggestedRect;
    SetWindowPos(window, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowIcons(window, dpi);
    InvalidateRect(window, NULL, TRUE);
    return dpi;
}

void DrawScaledBitmap(HDC target, int x, int y, HBITMAP bitmap, DWORD rop, int dpi)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof(size), &size);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, bitmap);
    if (dpi == BASE_DPI) {
        BitBlt(target, x, y, size.bmWidth, size.bmHeight, source, 0, 0, rop);
    } else {
        int oldMode = SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, NULL);
        StretchBlt(target, ScaledPixels(x, dpi), ScaledPixels(y, dpi), ScaledPixels(size.bmWidth, dpi),
                   ScaledPixels(size.bmHeight, dpi), source, 0, 0, size.bmWidth, size.bmHeight, rop);
        SetStretchBltMode(target, oldMode);
    }
    SelectObject(source, previous);
    DeleteDC(source);
}
