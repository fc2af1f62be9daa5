// Where a window goes when it is centred on the work area.
#ifndef JUMPLET_CENTRING_H
#define JUMPLET_CENTRING_H

#include <cstdint>

// Screen coordinates are the platform's 32-bit LONGs.
struct ScreenRect {
    int32_t left, top, right, bottom;
};

struct ScreenPoint {
    int32_t x, y;
};

// Top-left corner that centres a window of the given rectangle's size in the work area
// (integer halves, truncated toward zero), worked out wide enough for any coordinates
// and kept within the coordinates' range.
ScreenPoint CentredOrigin(const ScreenRect& work, const ScreenRect& window);

// Top-left corner that puts a window of the given rectangle wholly inside the work area,
// moving it as little as it can; a window larger than the area keeps its left or top edge
// on the area's, so that its caption stays in reach.
ScreenPoint FittedOrigin(const ScreenRect& work, const ScreenRect& window);

// A window lies where the user cannot reach it when its left or top edge is negative.
bool HasNegativeOrigin(const ScreenRect& window);

#endif
