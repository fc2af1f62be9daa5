// The launcher window: lettering, search line, the two lists and the buttons.
#ifndef JUMPLET_MAIN_WINDOW_H
#define JUMPLET_MAIN_WINDOW_H

#include <windows.h>

// The tray icon reports mouse messages to the main window with this message.
#define TrayCallbackMessage (WM_USER + 1)

extern HWND MainList;
extern HWND DeleteList;
extern HWND SearchBox;
extern HWND StatusLine;
extern HBITMAP LogoBitmap;
// 0 off; 1 while the user selects names to delete; 2 while they are being deleted.
extern int DeleteMode;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Draws LogoBitmap during WM_PAINT with its top-left corner at (x, y) of the client area.
void PaintLogo(HWND window, int x, int y);
void HideMainWindow();
// Launches the record selected in MainList; a message is shown in a box.
void LaunchSelected();
// Runs the search line's text: the report command, or anything for the shell.
void RunTypedCommand();
// Reloads the table from the data file and refills the lists that show it; false, with
// nothing changed, when the file cannot be read.
bool ReloadLists();
// The first load: a file that can be neither read nor created ends the program (107).
void LoadListsOrEnd();
// The reload after a saved change; tells the owner's user when the file cannot be read.
void ReloadListsAfterChange(HWND owner);
// Why the file could not be read after start-up, and that nothing changed.
extern const char DataFileBusyText[];
// Up or Down for MainList, whatever window has the focus: one item, within the list.
void MoveMainListSelection(bool up);
// Marks the table positions selected in DeleteList.
void ReadDeleteSelection(bool* selected);
void LeaveDeleteMode();

#endif
