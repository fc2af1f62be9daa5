// The options kept in the settings file, read when write is false and written otherwise.
#ifndef JUMPLET_SETTINGS_H
#define JUMPLET_SETTINGS_H

#include "base/program_paths.h"

#define SETTINGS_FILE_NAME "jlpos.ini"

// jlpos.ini beside the program, like the data file: a program that asks for no elevation
// cannot write the Windows folder.
extern char SettingsFilePath[PATH_BUFFER];
extern int AutoStartEnabled;
extern bool LaunchSoundEnabled;
// The hotkey's index as read at start and as the options dialog last chose it.
extern int ChosenHotkey;

// False, leaving the path empty, when the folder is too deep for it.
bool SetSettingsFilePath(const char* programDirectory);
// An earlier version kept the settings in the Windows folder: when none stand beside the
// program yet, that file is copied here whole, so nobody loses their options or places.
void TakeOverOldSettings();

// A write to the settings file failed: the program's folder takes no change. Told once a
// run, by every writer of the file.
void TellFolderReadOnly();

int HotkeySetting(int value, bool write);
bool LaunchSoundSetting(bool write);
// "startup" is still written for earlier versions, but no start reads it: the Run value
// itself says whether Jumplet starts at logon.
int AutoStartSetting(bool write);
// What Quit, the restart and the end of the Windows session keep: start at logon and the
// launch sound.
void SaveOptions();

#endif
