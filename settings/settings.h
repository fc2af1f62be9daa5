// The options kept in the settings file, read when write is false and written otherwise.
#ifndef JUMPLET_SETTINGS_H
#define JUMPLET_SETTINGS_H

extern int AutoStartEnabled;
extern bool LaunchSoundEnabled;

int HotkeySetting(int value, bool write);
bool LaunchSoundSetting(bool write);
int AutoStartSetting(bool write);

#endif
