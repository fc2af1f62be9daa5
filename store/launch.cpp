#include "store/launch.h"
#include <windows.h>
#include <cstring>
#include "base/program_paths.h"
#include "base/text_compare.h"
#include "store/data_text.h"
#include "store/report.h"
#include "store/store.h"

void ShellOpen(const char* text)
{
    ShellExecuteA(NULL, "open", text, NULL, NULL, SW_SHOWNORMAL);
}

// Only the whole prefix marks a message: a folder on drive M: opens like any other.
static bool IsMessageTarget(const char* target)
{
    return strncmp(target, MessagePrefix, strlen(MessagePrefix)) == 0;
}

// A target that the ANSI code page cannot hold goes to the shell in Unicode, exactly as the
// data file holds it: the near form shown in the list would name another file, or none.
static void ShellOpenUtf8(const char* utf8)
{
    WCHAR wide[EXACT_TARGET_SIZE];
    if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, EXACT_TARGET_SIZE) > 0)
        ShellExecuteW(NULL, L"open", wide, NULL, NULL, SW_SHOWNORMAL);
}

LaunchOutcome LaunchTarget(const ShortcutRecord& record)
{
    if (record.target[0] == '\0')
        return LAUNCHED_NOTHING;
    if (IsMessageTarget(record.target))
        return LAUNCHED_MESSAGE;
    if (record.exactTarget != 0)
        ShellOpenUtf8(ExactTargets[record.exactTarget - 1].utf8);
    else
        ShellOpen(record.target);
    return LAUNCHED_THROUGH_SHELL;
}

bool IsReportCommand(const char* text)
{
    return CompareNoCaseN(text, "!report", 4) == 0;
}

CommandOutcome RunCommand(const char* text)
{
    if (text[0] == '\0')
        return COMMAND_NOTHING;
    if (!IsReportCommand(text)) {
        ShellOpen(text);
        return COMMAND_RUN;
    }
    char reportPath[PATH_BUFFER];
    if (!WriteReport(reportPath))
        return COMMAND_REPORT_FAILED;
    ShellOpen(reportPath);
    return COMMAND_REPORT_OPENED;
}
