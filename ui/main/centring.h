// Where a window goes when it is centred on the work area.
#ifndef JUMPLET_CENTRING_H
#define JUMPLET_CENTRING_H

struct ScreenRect {
    long left, top, right, bottom;
};

struct ScreenPoint {
    long x, y;
};

// Top-left corner that centres a window of the given rectangle's size in the work area
// (integer halves, truncated toward zero).
ScreenPoint CentredOrigin(const ScreenRect& work, const ScreenRect& window);

// A window lies where the user cannot reach it when its left or top edge is negative.
bool HasNegativeOrigin(const ScreenRect& window);

#endif
