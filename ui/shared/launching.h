// What the user's choice in the main window does: the selected name, or the typed line.
#ifndef JUMPLET_LAUNCHING_H
#define JUMPLET_LAUNCHING_H

// Launches the record selected in MainList; a message is shown in a box.
void LaunchSelected();
// Runs the search line's text: the report command, or anything for the shell.
void RunTypedCommand();

#endif
