// Picture buttons. The button's own procedure still runs after each message, so focus,
// the keyboard and BN_CLICKED work as for any button; its painting comes after ours has
// validated the window and shows nothing.
#include "ui/shared/image_button.h"
#include "base/program.h"
#include "ui/shared/fonts.h"
#include "ui/shared/scaling.h"

// Every picture button is a standard "button" control, so they share one previous procedure.
static WNDPROC PreviousButtonProc;

void FitButtonToBitmap(HWND button, HBITMAP bitmap)
{
    BITMAP size = {};
    GetObjectA(bitmap, sizeof(size), &size);
    POINT corner = {0, 0};
    MapWindowPoints(button, GetParent(button), &corner, 1);
    int dpi = WindowDpi(button);
    MoveWindow(button, corner.x, corner.y, ScaledPixels(size.bmWidth, dpi), ScaledPixels(size.bmHeight, dpi), TRUE);
}

static void ShowPicture(HWND window, ImageButton* button, HBITMAP picture)
{
    button->current = picture;
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE);
}

HWND AttachImageButton(ImageButton* button, HWND dialog, int controlId, WORD normalId,
                       WORD hoverId, WORD pressedId)
{
    button->hoverAllowed = true;
    button->window = GetDlgItem(dialog, controlId);
    button->normal = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(normalId));
    button->hover = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(hoverId));
    button->pressed = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(pressedId));
    FitButtonToBitmap(button->window, button->normal);
    ShowPicture(button->window, button, button->normal);
    SetWindowLongPtrA(button->window, GWLP_USERDATA, (LONG_PTR)button);
    PreviousButtonProc =
        (WNDPROC)SetWindowLongPtrA(button->window, GWLP_WNDPROC, (LONG_PTR)ImageButtonProc);
    return button->window;
}

void ResetImageButton(ImageButton* button)
{
    ShowPicture(button->window, button, button->normal);
}

void ReleaseImageButton(ImageButton* button)
{
    const HBITMAP loaded[] = {button->normal, button->hover, button->pressed};
    for (HBITMAP bitmap : loaded) {
        if (bitmap != NULL)
            DeleteObject(bitmap);
    }
    ZeroMemory(button, sizeof(*button));
}

static void PaintImageButton(HWND window, const ImageButton* button)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    DrawScaledBitmap(target, 0, 0, button->current, SRCCOPY, WindowDpi(window));
    EndPaint(window, &paint);
}

static void OnImageButtonMouseMove(HWND window, ImageButton* button)
{
    if (button->hoverAllowed)
        ShowPicture(window, button, button->hover);
}

static void OnImageButtonPress(HWND window, ImageButton* button)
{
    button->hoverAllowed = false;
    ShowPicture(window, button, button->pressed);
}

// The button's own procedure draws its face at once, not through WM_PAINT, when it takes or
// loses the keyboard (Tab comes to it) or changes state or style (Space, the dialog keys'
// default button): the picture is drawn again over it.
static bool DrawsItsOwnFace(UINT message)
{
    return message == WM_SETFOCUS || message == WM_KILLFOCUS || message == BM_SETSTATE || message == BM_SETSTYLE;
}

LRESULT CALLBACK ImageButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ImageButton* button = (ImageButton*)GetWindowLongPtrA(window, GWLP_USERDATA);
    switch (message) {
    case WM_PAINT:       PaintImageButton(window, button); break;
    case WM_MOUSEMOVE:   OnImageButtonMouseMove(window, button); break;
    case WM_LBUTTONDOWN: OnImageButtonPress(window, button); break;
    case WM_LBUTTONUP:   button->hoverAllowed = true; break;
    }
    LRESULT result = CallWindowProcA(PreviousButtonProc, window, message, wParam, lParam);
    if (DrawsItsOwnFace(message))
        RedrawWindow(window, NULL, NULL, RDW_INVALIDATE);
    return result;
}
