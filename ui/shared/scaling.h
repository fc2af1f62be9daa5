// The windows' layouts are written in pixels for 96 dots per inch. At another scale every
// figure is the written one times the window's DPI / 96, rounded to the nearest pixel with
// halves away from zero, as MulDiv rounds; at 96 DPI nothing moves.
#ifndef JUMPLET_SCALING_H
#define JUMPLET_SCALING_H

enum { BASE_DPI = 96 };

struct PixelRect {
    int x, y, width, height;
};

int ScaledPixels(int pixels, int dpi);
PixelRect ScaledRect(const PixelRect& rect, int dpi);

#endif
