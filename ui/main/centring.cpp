#include "ui/main/centring.h"

ScreenPoint CentredOrigin(const ScreenRect& work, const ScreenRect& window)
{
    ScreenPoint origin;
    origin.x = work.left + ((work.right - work.left) - (window.right - window.left)) / 2;
    origin.y = work.top + ((work.bottom - work.top) - (window.bottom - window.top)) / 2;
    return origin;
}

bool HasNegativeOrigin(const ScreenRect& window)
{
    return window.left < 0 || window.top < 0;
}
