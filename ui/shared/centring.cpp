#include "ui/shared/centring.h"

static int32_t CentredStart(int32_t areaStart, int32_t areaEnd, int32_t start, int32_t end)
{
    int64_t origin = areaStart + (((int64_t)areaEnd - areaStart) - ((int64_t)end - start)) / 2;
    if (origin < INT32_MIN)
        return INT32_MIN;
    if (origin > INT32_MAX)
        return INT32_MAX;
    return (int32_t)origin;
}

ScreenPoint CentredOrigin(const ScreenRect& work, const ScreenRect& window)
{
    ScreenPoint origin;
    origin.x = CentredStart(work.left, work.right, window.left, window.right);
    origin.y = CentredStart(work.top, work.bottom, window.top, window.bottom);
    return origin;
}

static int32_t FittedStart(int32_t areaStart, int32_t areaEnd, int32_t start, int32_t end)
{
    int64_t size = (int64_t)end - start;
    int64_t origin = start;
    if (origin + size > areaEnd)
        origin = areaEnd - size;
    if (origin < areaStart)
        origin = areaStart;
    return (int32_t)origin;
}

ScreenPoint FittedOrigin(const ScreenRect& work, const ScreenRect& window)
{
    ScreenPoint origin;
    origin.x = FittedStart(work.left, work.right, window.left, window.right);
    origin.y = FittedStart(work.top, work.bottom, window.top, window.bottom);
    return origin;
}

bool HasNegativeOrigin(const ScreenRect& window)
{
    return window.left < 0 || window.top < 0;
}
