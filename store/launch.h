// Turning the user's choice into an action: the selected shortcut, or the typed text.
#ifndef JUMPLET_LAUNCH_H
#define JUMPLET_LAUNCH_H

void ShellOpen(const char* text);
void LaunchSelected();
void RunTypedCommand();

#endif
