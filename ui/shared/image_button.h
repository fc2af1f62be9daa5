// Picture buttons: an ordinary push button of a dialog that draws one of three bitmaps
// (normal, hover, pressed) and otherwise goes on behaving as a button.
#ifndef JUMPLET_IMAGE_BUTTON_H
#define JUMPLET_IMAGE_BUTTON_H

#include <windows.h>

// One per picture button, reachable from the button through GWLP_USERDATA.
struct ImageButton {
    // False from a left-button press until its release: a press keeps its picture.
    bool hoverAllowed;
    HBITMAP current;
    HBITMAP hover;
    HBITMAP pressed;
    HBITMAP normal;
    HWND window;
};

// Loads the three bitmaps from the program's resources, sizes the button to the normal
// one and subclasses it. Returns the button.
HWND AttachImageButton(ImageButton* button, HWND dialog, int controlId, WORD normalId,
                       WORD hoverId, WORD pressedId);
LRESULT CALLBACK ImageButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Shows the normal picture again.
void ResetImageButton(ImageButton* button);
// Deletes the three bitmaps that AttachImageButton loaded, once the button is gone.
void ReleaseImageButton(ImageButton* button);
// The bitmap's size at the button's scale, at the button's present place.
void FitButtonToBitmap(HWND button, HBITMAP bitmap);

#endif
