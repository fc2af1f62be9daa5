// Libraries that only a dialog needs (the common dialogs, the common controls' own
// initialisation) are loaded the first time that dialog opens, not at every start: under
// Wine each adds tens of milliseconds before the window can show.
#ifndef JUMPLET_LATE_LIBRARY_H
#define JUMPLET_LATE_LIBRARY_H

#include <windows.h>

// The function, loading its library on first use; NULL when either cannot be found.
FARPROC LateFunction(const char* library, const char* name);

#endif
