#include "ui/shared/scaling.h"

int ScaledPixels(int pixels, int dpi)
{
    long long product = (long long)pixels * dpi;
    long long half = BASE_DPI / 2;
    return (int)(product >= 0 ? (product + half) / BASE_DPI : -((-product + half) / BASE_DPI));
}

PixelRect ScaledRect(const PixelRect& rect, int dpi)
{
    PixelRect scaled = {ScaledPixels(rect.x, dpi), ScaledPixels(rect.y, dpi), ScaledPixels(rect.width, dpi),
                        ScaledPixels(rect.height, dpi)};
    return scaled;
}
