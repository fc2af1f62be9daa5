// Starting Jumplet at logon: the "Jumplet" value under the user's Run key and
// AutoStartEnabled, always changed together; the tray menu's check mark and the options'
// box show AutoStartEnabled.
#ifndef JUMPLET_AUTO_START_H
#define JUMPLET_AUTO_START_H

#include <windows.h>

#define RUN_VALUE_NAME "Jumplet"

// Whether the registry took the value.
bool SetRunValue(const char* name, const char* data);
// Whether the value is gone; one that was not there counts as removed.
bool RemoveRunValue(const char* name);

// Whether the Run value is there, whatever program it names: start-up takes
// AutoStartEnabled from it, so that the check mark shows what logon will do, and a value
// left by a copy that has moved can be turned off.
bool RunValuePresent();
// Writes or removes the Run value and, only when the registry took that (or already held
// it), changes AutoStartEnabled. Says nothing: returns whether it succeeded.
bool ChangeAutoStart(bool on);
// Flips start at logon; tells the user when the registry refused, and then nothing changed.
bool ToggleAutoStart();
// The one box that says the registry refused a change of start at logon.
void TellAutoStartFailed(HWND owner);

#endif
