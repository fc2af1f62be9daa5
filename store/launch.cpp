#include "store/launch.h"
#include <windows.h>
#include <cstring>
#include "base/program_paths.h"
#include "base/text_compare.h"
#include "store/data_text.h"
#include "store/report.h"

void ShellOpen(const char* text)
{
    ShellExecuteA(NULL, "open", text, NULL, NULL, SW_SHOWNORMAL);
}

// Only the whole prefix marks a message: a folder on drive M: opens like any other.
static bool IsMessageTarget(const char* target)
{
    return strncmp(target, MessagePrefix, strlen(MessagePrefix)) == 0;
}

LaunchOutcome LaunchTarget(const char* target)
{
    if (target[0] == '\0')
        return LAUNCHED_NOTHING;
    if (IsMessageTarget(target))
        return LAUNCHED_MESSAGE;
    ShellOpen(target);
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
