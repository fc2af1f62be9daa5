// The operations that move shortcuts between the data file and the main window's lists:
// every change is saved to the file first and then read back.
#include "store/store.h"
#include <mmsystem.h>
#include "app/app.h"
#include "app/messages.h"
#include "settings/settings.h"
#include "store/data_text.h"
#include "ui/add/add_window.h"
#include "ui/main/main_window.h"

static const char DataFileFailedText[] =
    "Error Code : 107\nFailed To Create File To Store Data.";
static const char SaveFailedText[] =
    "The shortcuts could not be saved, so nothing was changed.\n"
    "The disk may be full, the folder may be read-only, or another program may be "
    "using jumplet.dat.";

void PlayEventSound(const char* soundPath)
{
    PlaySoundA(soundPath, NULL, SND_FILENAME | SND_ASYNC);
}

// A data file that cannot be read or created ends the program: going on would show an
// empty list that a later save could write over the user's shortcuts.
static void LoadTable()
{
    TextBuffer bytes, text;
    InitText(&bytes);
    InitText(&text);
    if (ReadDataFile(DataFilePath, &bytes) == READ_FAILED)
        ShowErrorMessage(DataFileFailedText, true);
    TextModeView(bytes.bytes, bytes.length, &text);
    if (text.failed)
        ShowErrorMessage(DataFileFailedText, true);
    ParseShortcuts(text.bytes, &ShortcutTable);
    SortShortcuts(&ShortcutTable);
    FreeText(&bytes);
    FreeText(&text);
}

static void FillList(HWND list)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    LoadTable();
    for (int32_t i = 0; i < ShortcutTable.count; i++)
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)ShortcutTable.records[i].name);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

void FillMainList()
{
    FillList(MainList);
}

void FillDeleteList()
{
    FillList(DeleteList);
}

static void RefuseAdd(const char* text)
{
    MessageBoxA(AddItemWindow, text, "Error", MB_ICONINFORMATION);
}

static const char* RefusalText(NewShortcutCheck check)
{
    switch (check) {
    case NEW_SHORTCUT_NO_NAME:
        return "Please specify a Name for shortcut.";
    case NEW_SHORTCUT_NO_TARGET:
        return "Please Select 'Type' of shortcut from combo-box.\r\n"
               "Make sure On-click box is not empty.";
    case NEW_SHORTCUT_MESSAGE_TOO_LONG:
        return "A message can hold at most 249 characters.\r\nPlease shorten it.";
    case NEW_SHORTCUT_TARGET_TOO_LONG:
        return "A target can hold at most 259 characters.";
    case NEW_SHORTCUT_BAD_CHARACTER:
        return "A name or target cannot hold a line break.";
    case NEW_SHORTCUT_TABLE_FULL:
        return "Jumplet holds at most 256 shortcuts.\r\n"
               "Please delete some before adding new ones.";
    case NEW_SHORTCUT_OK:
        break;
    }
    return "";
}

// Checks the new shortcut, then the file as it is now, and saves the file with it added;
// false, after telling the user why, when nothing was written. The form's own faults are
// named first, whatever state the file is in.
static bool SaveNewShortcut(const char* name, const char* target)
{
    bool isMessage = MessageTypeFlag == 1;
    NewShortcutCheck check = CheckNewShortcut(name, target, isMessage, 0);
    if (check != NEW_SHORTCUT_OK) {
        RefuseAdd(RefusalText(check));
        return false;
    }
    TextBuffer oldBytes, text, newFile;
    InitText(&oldBytes);
    InitText(&text);
    InitText(&newFile);
    bool saved = false;
    if (ReadDataFile(DataFilePath, &oldBytes) != READ_FAILED) {
        TextModeView(oldBytes.bytes, oldBytes.length, &text);
        int fileRecords = ParseShortcuts(text.bytes, nullptr).fileRecords;
        check = CheckNewShortcut(name, target, isMessage, fileRecords);
        if (check == NEW_SHORTCUT_OK) {
            AppendedFile(oldBytes.bytes, oldBytes.length, name, target, isMessage, &newFile);
            saved = SaveDataFile(&newFile);
        }
    }
    if (check != NEW_SHORTCUT_OK)
        RefuseAdd(RefusalText(check));
    else if (!saved)
        MessageBoxA(AddItemWindow, SaveFailedText, "Error", MB_ICONWARNING);
    FreeText(&oldBytes);
    FreeText(&text);
    FreeText(&newFile);
    return saved;
}

void AddShortcut()
{
    char name[NAME_SIZE] = "";
    GetWindowTextA(NameEdit, name, NAME_SIZE);
    // One byte more than a target holds, so that a longer text is seen and refused
    // instead of being stored cut.
    char target[TARGET_SIZE + 1] = "";
    GetWindowTextA(TargetEdit, target, TARGET_SIZE + 1);
    if (!SaveNewShortcut(name, target))
        return;
    if (DeleteMode != 0)
        LeaveDeleteMode();
    FillMainList();
    SetWindowTextA(TargetEdit, "");
    SetWindowTextA(NameEdit, "");
    if (LaunchSoundEnabled)
        PlayEventSound(LaunchSoundPath);
}

bool DeleteSelectedShortcuts()
{
    int selected[TABLE_CAPACITY];
    int selectedCount = (int)SendMessageA(DeleteList, LB_GETSELITEMS, TABLE_CAPACITY,
                                          (LPARAM)selected);
    bool drop[TABLE_CAPACITY] = {};
    for (int i = 0; i < selectedCount; i++) {
        if (selected[i] >= 0 && selected[i] < ShortcutTable.count)
            drop[selected[i]] = true;
    }
    // The pairs beyond the table are carried over from the file as it is now.
    TextBuffer bytes, text, newFile;
    InitText(&bytes);
    InitText(&text);
    InitText(&newFile);
    bool saved = ReadDataFile(DataFilePath, &bytes) != READ_FAILED;
    if (saved) {
        TextModeView(bytes.bytes, bytes.length, &text);
        size_t overflow = ParseShortcuts(text.bytes, nullptr).overflowOffset;
        RewrittenFile(ShortcutTable, drop, text.bytes + overflow, &newFile);
        saved = !text.failed && SaveDataFile(&newFile);
    }
    FreeText(&bytes);
    FreeText(&text);
    FreeText(&newFile);
    if (!saved) {
        MessageBoxA(MainWindow, SaveFailedText, "Error", MB_ICONWARNING);
        return false;
    }
    PlayEventSound(DeleteSoundPath);
    return true;
}
