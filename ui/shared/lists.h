// The two list boxes show the table: position i is record i. Every reload of the table
// refills them, so that a position never names another record than the one shown.
#ifndef JUMPLET_LISTS_H
#define JUMPLET_LISTS_H

#include <windows.h>

// Reloads the table from the data file and refills the lists that show it; false, with
// nothing changed, when the file cannot be read.
bool ReloadLists();
// The first load: a missing file is restored from a cut save or the backup, and the user
// told; a folder that takes no file and a file that can be neither read nor created end
// the program.
void LoadListsOrEnd();
// Reloads when the data file changed since the table was read (by hand, by another
// program): before the window comes up and before a report.
void ReloadListsIfFileChanged();
// The reload after a saved change; tells the owner's user when the file cannot be read.
void ReloadListsAfterChange(HWND owner);
// Why the file could not be read after start-up, and that nothing changed.
extern const char DataFileBusyText[];
// Up or Down for MainList, whatever window has the focus: one item, within the list.
void MoveMainListSelection(bool up);
// Marks the table positions selected in DeleteList.
void ReadDeleteSelection(bool* selected);
// Back to MainList, from selecting names or after a delete, or when an add ends it.
void LeaveDeleteMode();

#endif
