// Opening what a shortcut or the search line names: a message is the caller's to show,
// the report is written and opened, anything else goes to the shell as it stands.
#ifndef JUMPLET_LAUNCH_H
#define JUMPLET_LAUNCH_H

#include "store/shortcut_table.h"

void ShellOpen(const char* text);

enum LaunchOutcome { LAUNCHED_NOTHING, LAUNCHED_THROUGH_SHELL, LAUNCHED_MESSAGE };
// A record's target, of ShortcutTable. An empty one does nothing; for a message the
// caller shows the whole target, prefix included.
LaunchOutcome LaunchTarget(const ShortcutRecord& record);

// Whether typed text asks for the report: its first four characters are those of "!report".
bool IsReportCommand(const char* text);
enum CommandOutcome { COMMAND_NOTHING, COMMAND_RUN, COMMAND_REPORT_OPENED, COMMAND_REPORT_FAILED };
// Typed text. Empty does nothing; text whose first four characters are those of "!report"
// (in any case) writes the report and opens it; anything else goes to the shell.
CommandOutcome RunCommand(const char* text);

#endif
