// Fonts sized in points for the screen's vertical resolution.
#ifndef JUMPLET_FONTS_H
#define JUMPLET_FONTS_H

#include <windows.h>

HFONT CreateScaledFont(const char* face, int points, int weight);

#endif
