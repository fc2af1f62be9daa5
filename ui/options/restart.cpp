#include "ui/options/restart.h"
#include <windows.h>
#include "base/messages.h"
#include "base/program.h"
#include "settings/settings.h"

static const char RestartFailedText[] =
    "Failed To Restart Program Automatically.\nPlease Quit this program from tray menu and "
    "restart it again.";

// "-run" gets the new instance past the single-instance test, which would otherwise find
// this one still running. The quit message ends the dialog's modal loop and then the
// program's own, after which start-up gives back what the run held, as for Quit.
void RestartProgram()
{
    SaveOptions();
    HINSTANCE started = ShellExecuteA(NULL, "open", ProgramPath, "-run", NULL, SW_SHOWNORMAL);
    if ((INT_PTR)started <= 32) {
        ShowInfoMessage(RestartFailedText);
        return;
    }
    PostQuitMessage(0);
}
