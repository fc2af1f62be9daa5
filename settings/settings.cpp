#include "settings/settings.h"
#include <windows.h>
#include <cstdio>
#include "settings/setting_number.h"

// Three characters: the options are one or two digits, so "100" reads as "10".
enum { OPTION_BUFFER = 3 };

char SettingsFilePath[PATH_BUFFER];
int AutoStartEnabled = 0;
bool LaunchSoundEnabled = true;
int ChosenHotkey = 0;

bool SetSettingsFilePath(const char* programDirectory)
{
    return JoinProgramFile(programDirectory, SETTINGS_FILE_NAME, SettingsFilePath, PATH_BUFFER);
}

void TakeOverOldSettings()
{
    if (GetFileAttributesA(SettingsFilePath) != INVALID_FILE_ATTRIBUTES)
        return;
    char windowsFolder[PATH_BUFFER];
    UINT length = GetWindowsDirectoryA(windowsFolder, PATH_BUFFER);
    char oldPath[PATH_BUFFER];
    if (length == 0 || length >= PATH_BUFFER ||
        snprintf(oldPath, PATH_BUFFER, "%s\\%s", windowsFolder, SETTINGS_FILE_NAME) >= PATH_BUFFER)
        return;
    // A copy takes the source's attributes; a read-only one would refuse every save.
    if (CopyFileA(oldPath, SettingsFilePath, TRUE)) {
        DWORD attributes = GetFileAttributesA(SettingsFilePath);
        SetFileAttributesA(SettingsFilePath, attributes & ~FILE_ATTRIBUTE_READONLY);
    }
}

static int ReadOption(const char* section, const char* key)
{
    char text[OPTION_BUFFER] = "";
    GetPrivateProfileStringA(section, key, "0", text, OPTION_BUFFER, SettingsFilePath);
    return SettingNumber(text);
}

static void WriteOption(const char* section, const char* key, int value)
{
    char text[OPTION_BUFFER];
    snprintf(text, OPTION_BUFFER, "%d", value);
    WritePrivateProfileStringA(section, key, text, SettingsFilePath);
}

int HotkeySetting(int value, bool write)
{
    if (!write)
        return ReadOption("moreopt", "vkkey");
    WriteOption("moreopt", "vkkey", value);
    return 0;
}

bool LaunchSoundSetting(bool write)
{
    if (!write)
        return ReadOption("kestrovane", "launchsound") == 1;
    WriteOption("kestrovane", "launchsound", LaunchSoundEnabled ? 1 : 0);
    return false;
}

int AutoStartSetting(bool write)
{
    if (!write)
        return ReadOption("kestrovane", "startup");
    WriteOption("kestrovane", "startup", AutoStartEnabled);
    return 0;
}

void SaveOptions()
{
    AutoStartSetting(true);
    LaunchSoundSetting(true);
}
