#include "settings/auto_start.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "base/messages.h"
#include "base/program.h"
#include "settings/settings.h"

static const char RunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char AutoStartFailedText[] =
    "Start at logon could not be changed:\nWindows did not let Jumplet change its entry "
    "in the registry.";

// The quoted path, so that a folder with blanks still starts, and the hidden start.
enum { RUN_DATA_SIZE = PATH_BUFFER + 5 };

bool SetRunValue(const char* name, const char* data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return false;
    // The size counts the terminating zero: without it the value is stored unterminated.
    LONG result = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)data, (DWORD)strlen(data) + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool RemoveRunValue(const char* name)
{
    HKEY key;
    LONG result = RegOpenKeyA(HKEY_CURRENT_USER, RunKey, &key);
    if (result == ERROR_FILE_NOT_FOUND)
        return true;
    if (result != ERROR_SUCCESS)
        return false;
    result = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// Whether the value reads as data, or is absent when data is null.
static bool RunValueHolds(const char* name, const char* data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    char stored[RUN_DATA_SIZE] = "";
    DWORD type = REG_NONE;
    DWORD size = sizeof(stored) - 1;
    LONG result = RegQueryValueExA(key, name, NULL, &type, (BYTE*)stored, &size);
    RegCloseKey(key);
    if (data == NULL)
        return result == ERROR_FILE_NOT_FOUND;
    return result == ERROR_SUCCESS && type == REG_SZ && strcmp(stored, data) == 0;
}

bool RunValuePresent()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    LONG result = RegQueryValueExA(key, RUN_VALUE_NAME, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool ChangeAutoStart(bool on)
{
    char data[RUN_DATA_SIZE];
    snprintf(data, RUN_DATA_SIZE, "\"%s\" -m", ProgramPath);
    bool done = on ? SetRunValue(RUN_VALUE_NAME, data) : RemoveRunValue(RUN_VALUE_NAME);
    // A Run key that refuses changes may hold what was asked already (a value written or
    // removed by hand meanwhile): then nothing failed.
    if (!done && !RunValueHolds(RUN_VALUE_NAME, on ? data : NULL))
        return false;
    AutoStartEnabled = on ? 1 : 0;
    // Saved at once: a crash or a kill must not lose it.
    AutoStartSetting(true);
    return true;
}

void TellAutoStartFailed(HWND owner)
{
    if (owner != NULL)
        MessageBoxA(owner, AutoStartFailedText, "Error", MB_ICONWARNING);
    else
        MessageOnTop(AutoStartFailedText, "Error", MB_ICONWARNING);
}

bool ToggleAutoStart()
{
    if (ChangeAutoStart(AutoStartEnabled == 0))
        return true;
    TellAutoStartFailed(NULL);
    return false;
}
