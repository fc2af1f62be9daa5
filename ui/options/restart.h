// Starting Jumplet anew, for a hotkey that only a start can install.
#ifndef JUMPLET_RESTART_H
#define JUMPLET_RESTART_H

// Saves the options, starts a new instance and ends this run as Quit does; when the new
// instance cannot be started it says so, and this one runs on.
void RestartProgram();

#endif
