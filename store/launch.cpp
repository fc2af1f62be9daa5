#include "store/launch.h"
#include <windows.h>
#include <cstring>
#include "app/text_compare.h"
#include "store/data_text.h"
#include "store/report.h"
#include "store/store.h"
#include "ui/main/main_window.h"

void ShellOpen(const char* text)
{
    ShellExecuteA(NULL, "open", text, NULL, NULL, SW_SHOWNORMAL);
}

// Only the whole prefix marks a message: a folder on drive M: opens like any other.
static bool IsMessageTarget(const char* target)
{
    return strncmp(target, MessagePrefix, strlen(MessagePrefix)) == 0;
}

void LaunchSelected()
{
    int selection = (int)SendMessageA(MainList, LB_GETCURSEL, 0, 0);
    if (selection < 0 || selection >= ShortcutTable.count)
        return;
    const char* target = ShortcutTable.records[selection].target;
    if (target[0] == '\0')
        return;
    if (IsMessageTarget(target))
        MessageBoxA(NULL, target, "Message", MB_OK);
    else
        ShellOpen(target);
}

void RunTypedCommand()
{
    // As long as any target, so that a typed path is run whole, never cut.
    char text[TARGET_SIZE] = "";
    GetWindowTextA(SearchBox, text, TARGET_SIZE);
    if (text[0] == '\0')
        return;
    if (CompareNoCaseN(text, "!report", 4) == 0)
        WriteReport();
    else
        ShellOpen(text);
}
