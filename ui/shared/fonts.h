// Fonts, icons and pictures at the scale of the window that shows them. The functions that
// give the scale are looked up at run time: systems before Windows 10 have only one scale,
// the screen's.
#ifndef JUMPLET_FONTS_H
#define JUMPLET_FONTS_H

#include <windows.h>

// Dots per inch of the monitor the window is on (the screen's where there is only one).
int WindowDpi(HWND window);
// A font of that many points at that DPI.
HFONT CreateScaledFont(const char* face, int points, int weight, int dpi);
// The system's dialog font (DEFAULT_GUI_FONT) at that DPI: the stock font itself at the
// screen's, which must then not be deleted.
HFONT CreateGuiFont(int dpi);
// Deletes a font made above; the stock one stays.
void ReleaseFont(HFONT font);
// The program's icon at the size the system asks for at that DPI: SM_CXICON or SM_CXSMICON.
HICON LoadProgramIcon(int sizeMetric, int dpi);
// The window's big and small icons for that DPI, the ones they replace destroyed.
void SetWindowIcons(HWND window, int dpi);
// A window told that its scale changed (WM_DPICHANGED's parameters): moved to the rectangle
// the system suggests, its icons made again, all of it to be drawn anew. The window lays
// out its own controls and fonts at the DPI returned.
int TakeNewScale(HWND window, WPARAM dpis, LPARAM suggestedRect);
// A picture drawn at the DPI's size, top-left at (x, y) of the target in 96-DPI pixels,
// with the raster operation given; at 96 DPI pixel for pixel, else stretched smoothly.
void DrawScaledBitmap(HDC target, int x, int y, HBITMAP bitmap, DWORD rop, int dpi);

#endif
