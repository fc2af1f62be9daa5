#include "settings/settings.h"
#include <windows.h>
#include <cstdio>
#include "app/app.h"
#include "settings/setting_number.h"

// Three characters: the options are one or two digits, so "100" reads as "10".
enum { OPTION_BUFFER = 3 };

int AutoStartEnabled = 0;
bool LaunchSoundEnabled = true;

static int ReadOption(const char* section, const char* key)
{
    char text[OPTION_BUFFER] = "";
    GetPrivateProfileStringA(section, key, "0", text, OPTION_BUFFER, SETTINGS_FILE);
    return SettingNumber(text);
}

static void WriteOption(const char* section, const char* key, int value)
{
    char text[OPTION_BUFFER];
    snprintf(text, OPTION_BUFFER, "%d", value);
    WritePrivateProfileStringA(section, key, text, SETTINGS_FILE);
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
