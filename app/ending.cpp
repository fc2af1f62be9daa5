#include "app/ending.h"
#include "tray/tray.h"
#include "ui/shared/window_state.h"

void ReleaseForExit()
{
    DestroyMenu(TrayMenu);
    // Forgotten as well as deleted: a paint that still comes draws nothing.
    DeleteObject(LogoBitmap);
    LogoBitmap = NULL;
    RemoveTrayIcon();
}
