#include "settings/restart.h"
#include <windows.h>
#include "app/app.h"
#include "app/messages.h"
#include "settings/settings.h"
#include "tray/tray.h"

static const char RestartFailedText[] =
    "Failed To Restart Program Automatically.\nPlease Quit this program from tray menu and "
    "restart it again.";

// Ends from wherever it is called, a dialog's modal loop included: nothing waits on a
// return. "-run" gets the new instance past the single-instance test, which would
// otherwise find this one still running.
void RestartProgram()
{
    SaveOptions();
    HINSTANCE started = ShellExecuteA(NULL, "open", ProgramPath, "-run", NULL, SW_SHOWNORMAL);
    if ((INT_PTR)started <= 32) {
        ShowInfoMessage(RestartFailedText);
        return;
    }
    ReleaseForExit();
    ExitProcess(0);
}
