// What the user's choice in the main window does: the selected name, or the typed line.
#include "ui/shared/launching.h"
#include "base/messages.h"
#include "store/launch.h"
#include "store/store.h"
#include "ui/shared/lists.h"
#include "ui/shared/window_state.h"

static const char ReportFailedText[] = "Error\nReport could not be generated ..";

void LaunchSelected()
{
    int selection = (int)SendMessageA(MainList, LB_GETCURSEL, 0, 0);
    if (selection < 0 || selection >= ShortcutTable.count)
        return;
    const ShortcutRecord& record = ShortcutTable.records[selection];
    if (LaunchTarget(record) == LAUNCHED_MESSAGE)
        MessageOnTop(record.target, "Message", MB_OK);
}

void RunTypedCommand()
{
    // As long as any target, so that a typed path is run whole, never cut.
    char text[TARGET_SIZE] = "";
    GetWindowTextA(SearchBox, text, TARGET_SIZE);
    // Run leaves the window up, and a box that belongs to it stands above it wherever
    // MB_TOPMOST is not honoured; Space has hidden it.
    HWND owner = IsWindowVisible(MainWindow) ? MainWindow : NULL;
    // The report lists the file as it is now, and the lists follow, so that a position
    // still names the record shown.
    if (IsReportCommand(text))
        ReloadListsIfFileChanged();
    if (RunCommand(text) == COMMAND_REPORT_FAILED)
        MessageBoxA(owner, ReportFailedText, "Error", MB_ICONINFORMATION | MB_TOPMOST | MB_SETFOREGROUND);
}
