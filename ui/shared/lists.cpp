// The two list boxes show the table: position i is record i. Every reload of the table
// refills them, so that a position never names another record than the one shown.
#include "ui/shared/lists.h"
#include "base/messages.h"
#include "settings/settings.h"
#include "store/store.h"
#include "ui/shared/window_state.h"

static const char DataFileFailedText[] = "Error Code : 107\nFailed To Create File To Store Data.";
const char DataFileBusyText[] =
    "Another program is using jumplet.dat, so Jumplet could not read it.\n"
    "Nothing was changed. Please try again in a moment.";
static const char RestoredFromTemporaryText[] =
    "jumplet.dat was missing: a save was cut short before it was done.\n"
    "Jumplet has restored your shortcuts from that save's complete copy, jumplet.tmp.";
static const char RestoredFromBackupText[] =
    "jumplet.dat was missing.\nJumplet has restored your shortcuts from the copy it keeps, jumplet.bak.";
static const char NotReadBackText[] =
    "The change was saved, but another program is using jumplet.dat, so Jumplet could not "
    "read it back.\nThe list shows the shortcuts as they were before.";

static void FillList(HWND list)
{
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int32_t i = 0; i < ShortcutTable.count; i++)
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)ShortcutTable.records[i].name);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, NULL, TRUE);
}

static int FindRecord(const ShortcutRecord& record)
{
    for (int32_t i = 0; i < ShortcutTable.count; i++) {
        if (SameRecord(ShortcutTable.records[i], record))
            return i;
    }
    return -1;
}

// MainList keeps the record the user had selected; DeleteList is only filled as delete
// mode begins, when nothing is selected in it yet. A file that cannot be read leaves the
// table and both lists as they were.
bool ReloadLists()
{
    ShortcutRecord selected;
    int selection = (int)SendMessageA(MainList, LB_GETCURSEL, 0, 0);
    bool hadSelection = selection >= 0 && selection < ShortcutTable.count;
    if (hadSelection)
        selected = ShortcutTable.records[selection];
    if (!LoadShortcutTable())
        return false;
    FillList(MainList);
    if (hadSelection)
        SendMessageA(MainList, LB_SETCURSEL, FindRecord(selected), 0);
    if (DeleteMode != 0)
        FillList(DeleteList);
    return true;
}

// Nothing to tell when the file is busy: the lists stay as they were, and the next look
// tries again. Delete mode keeps the list the user is choosing from: refilled, it would
// drop the names already selected; the delete itself works on the file as it is then.
void ReloadListsIfFileChanged()
{
    if (DeleteMode == 0 && DataFileChangedSinceLoad())
        ReloadLists();
}

static void TellRestored(DataFileAtStart found)
{
    if (found == DATA_FILE_FROM_TEMPORARY)
        ShowInfoMessage(RestoredFromTemporaryText);
    else if (found == DATA_FILE_FROM_BACKUP)
        ShowInfoMessage(RestoredFromBackupText);
}

// At start there is nothing to show yet: going on would show an empty list that a later
// save could write over the user's shortcuts.
void LoadListsOrEnd()
{
    DataFileAtStart found = PrepareDataFile();
    if (found == DATA_FOLDER_READ_ONLY) {
        TellFolderReadOnly();
        ExitProcess(0);
    }
    if (!ReloadLists())
        ShowErrorMessage(DataFileFailedText, true);
    TellRestored(found);
}

// A sync tool, a backup or a virus scanner may hold the file for a moment; the program
// goes on with what it read last.
void ReloadListsAfterChange(HWND owner)
{
    if (!ReloadLists())
        MessageBoxA(owner, NotReadBackText, "Error", MB_ICONWARNING);
}

void ReadDeleteSelection(bool* selected)
{
    int positions[TABLE_CAPACITY];
    int count = (int)SendMessageA(DeleteList, LB_GETSELITEMS, TABLE_CAPACITY, (LPARAM)positions);
    for (int i = 0; i < count; i++) {
        if (positions[i] >= 0 && positions[i] < ShortcutTable.count)
            selected[positions[i]] = true;
    }
}

static void SelectInMainList(int index)
{
    SendMessageA(MainList, LB_SETCURSEL, index, 0);
}

// Up stops on the first item, Down on the last; with nothing selected either selects the
// first. An empty list takes no selection.
void MoveMainListSelection(bool up)
{
    int selection = (int)SendMessageA(MainList, LB_GETCURSEL, 0, 0);
    if (up)
        SelectInMainList(selection <= 1 ? 0 : selection - 1);
    else if (selection < 0)
        SelectInMainList(0);
    else if (selection + 1 < ShortcutTable.count)
        SelectInMainList(selection + 1);
}

void LeaveDeleteMode()
{
    SendMessageA(DeleteList, LB_RESETCONTENT, 0, 0);
    EnableWindow(DeleteList, FALSE);
    ShowWindow(DeleteList, SW_HIDE);
    EnableWindow(MainList, TRUE);
    ShowWindow(MainList, SW_SHOW);
    SetWindowTextA(StatusLine, "");
    ShowWindow(StatusLine, SW_HIDE);
    DeleteMode = 0;
}
