// What every window of the program may read: the windows' and controls' handles, delete
// mode, the lettering, start-up's flags and the messages the windows exchange. Each value
// has one writer, named beside it; no window reaches into another's file for them.
#ifndef JUMPLET_WINDOW_STATE_H
#define JUMPLET_WINDOW_STATE_H

#include <windows.h>
#include "base/version.h"

#define MAIN_WINDOW_TITLE "Jumplet v" JUMPLET_VERSION " - A Shortcut Tool"
#define MAIN_WINDOW_CLASS "winappJumplet"
#define ADD_WINDOW_TITLE  "Add item !"
#define ADD_WINDOW_CLASS  "AddItem"
// Sent by a second start so that a never-shown window places itself before it appears.
#define SHOW_REQUEST_MESSAGE "Jumplet.ShowMainWindow"
// Broadcast when the options choose another hotkey, so that every running instance takes
// it at once; wParam is the new index.
#define HOTKEY_CHANGED_MESSAGE "Jumplet.HotkeyChanged"
// From the end-to-end tests: wParam asks the hook thread a question (tray/hotkey_hook.h).
#define HOOK_TEST_MESSAGE "Jumplet.HookTest"

// The tray icon's mouse messages, to the main window.
#define TrayCallbackMessage (WM_USER + 1)
// From the hook thread to the main window: wParam is a HookAction.
#define HookKeyMessage (WM_APP + 1)
// From the hook thread when the hook could not be installed.
#define HookFailedMessage (WM_APP + 2)
// Windows 8.1 and later: the window's monitor or its scale changed.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// Written by start-up.
extern HWND MainWindow;
extern HWND AddItemWindow;
extern bool HiddenStart;
// True until start-up installs the hook, and again once TellHookFailed says it could not
// (on the window thread): the options dialog offers a restart for a key.
extern bool HotkeyMissing;
extern UINT TaskbarCreatedMessage;
extern UINT ShowRequestMessage;
extern UINT HotkeyChangedMessage;
extern UINT HookTestMessage;

// Written by the main window's creation.
extern HWND MainList;
extern HWND DeleteList;
extern HWND SearchBox;
extern HWND StatusLine;
// Loaded by the main window's creation (or by the options dialog when it is still null),
// deleted and forgotten at the end of the run.
extern HBITMAP LogoBitmap;
// 0 off; 1 while the user selects names to delete; 2 while they are being deleted.
// Written by the main window and by the lists' LeaveDeleteMode.
extern int DeleteMode;

// Written by the add window's creation.
extern HWND NameEdit;
extern HWND TargetEdit;
extern HWND TypeCombo;
// 1 when the type last chosen is "Message": the target is then stored with its prefix.
// Written by the add window's type choice and by drops.
extern int MessageTypeFlag;

void HideMainWindow();
// WM_NEXTDLGCTL for a window that is no dialog but takes the dialog keys: the control asked
// for (byHandle), or the next or previous one that takes the keyboard, an edit's text
// selected as a dialog selects it.
void MoveToNextControl(HWND window, WPARAM which, LPARAM byHandle);
// Draws LogoBitmap during WM_PAINT at the window's scale, its top-left corner at (x, y) of
// the client area in 96-DPI pixels; nothing without a bitmap.
void PaintLogo(HWND window, int x, int y);

#endif
