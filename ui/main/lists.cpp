// The two list boxes show the table: position i is record i. Every reload of the table
// refills them, so that a position never names another record than the one shown.
#include "ui/main/main_window.h"
#include "app/messages.h"
#include "store/store.h"

static const char DataFileFailedText[] = "Error Code : 107\nFailed To Create File To Store Data.";

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

// A data file that cannot be read or created ends the program: going on would show an
// empty list that a later save could write over the user's shortcuts. MainList keeps the
// record the user had selected; DeleteList is only filled as delete mode begins, when
// nothing is selected in it yet.
void ReloadLists()
{
    ShortcutRecord selected;
    int selection = (int)SendMessageA(MainList, LB_GETCURSEL, 0, 0);
    bool hadSelection = selection >= 0 && selection < ShortcutTable.count;
    if (hadSelection)
        selected = ShortcutTable.records[selection];
    if (!LoadShortcutTable())
        ShowErrorMessage(DataFileFailedText, true);
    FillList(MainList);
    if (hadSelection)
        SendMessageA(MainList, LB_SETCURSEL, FindRecord(selected), 0);
    if (DeleteMode != 0)
        FillList(DeleteList);
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
