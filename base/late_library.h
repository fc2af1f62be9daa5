// Libraries loaded at run time, from the system folder only. A portable program is often
// run from a Downloads folder, and a DLL of the same name lying there would otherwise be
// loaded and run inside it. Libraries that only a dialog needs (the common dialogs, the
// common controls' own initialisation) and the sounds are loaded on first use, not at every
// start: under Wine each adds tens of milliseconds before the window can show.
#ifndef JUMPLET_LATE_LIBRARY_H
#define JUMPLET_LATE_LIBRARY_H

#include <windows.h>

// Narrows where the process looks for DLLs to the system folder, for everything loaded
// after this call, the DLLs that system libraries pull in included. First thing at start.
void NarrowDllSearch();
// The function, loading its library from the system folder on first use; NULL when either
// cannot be found.
FARPROC LateFunction(const char* library, const char* name);

#endif
