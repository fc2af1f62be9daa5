#include "settings/settings.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "base/messages.h"
#include "settings/setting_number.h"

// Three characters: the options are one or two digits, so "100" reads as "10".
enum { OPTION_BUFFER = 3 };
// "X:\", which keeps its backslash; the text of the box fits a whole path.
enum { ROOT_FOLDER_LENGTH = 3, READ_ONLY_TEXT_SIZE = PATH_BUFFER + 128 };

char SettingsFilePath[PATH_BUFFER];
int AutoStartEnabled = 0;
bool LaunchSoundEnabled = true;
int ChosenHotkey = 0;
static bool FolderReadOnlyTold = false;

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
    if (!WritePrivateProfileStringA(section, key, text, SettingsFilePath))
        TellFolderReadOnly();
}

// The folder as the user knows it: without the last backslash, but a drive's root keeps
// it ("C:\").
static void SettingsFolder(char* folder)
{
    size_t length = strlen(SettingsFilePath) - strlen(SETTINGS_FILE_NAME);
    if (length > ROOT_FOLDER_LENGTH)
        length--;
    memcpy(folder, SettingsFilePath, length);
    folder[length] = '\0';
}

// Nothing redirects a program that may not write beside itself, so each later write would
// be lost as well: once is enough to tell.
void TellFolderReadOnly()
{
    if (FolderReadOnlyTold)
        return;
    FolderReadOnlyTold = true;
    char folder[PATH_BUFFER];
    SettingsFolder(folder);
    char text[READ_ONLY_TEXT_SIZE];
    snprintf(text, READ_ONLY_TEXT_SIZE,
             "Jumplet cannot save its options in %s: the folder is read-only. Unpack Jumplet into a folder of "
             "your own.",
             folder);
    MessageOnTop(text, "Error", MB_ICONWARNING | MB_OK);
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
