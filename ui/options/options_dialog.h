// The More Options dialog: start at logon, the launch sound, the hotkey, help and the
// share and visit links.
#ifndef JUMPLET_OPTIONS_DIALOG_H
#define JUMPLET_OPTIONS_DIALOG_H

#include <windows.h>

// Runs the dialog modally, with no owner, so that the main window and the tray stay in
// use meanwhile; while it is open a second request only brings it to the front.
void OpenOptionsDialog();

// Puts the Auto-Start box of an open dialog in step with start at logon as it now is.
void ShowAutoStartInOptions();

// Gives a control of the dialog a tooltip window of its own; returns whether it took.
bool AddTooltip(HWND dialog, const char* text, int controlId, bool balloon);
// Opens one of the share and visit addresses, 1 to 4: Facebook, Twitter, Google+, the site.
void OpenShareLink(int which);

#endif
