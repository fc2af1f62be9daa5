// Process-wide state of the application shell, owned by the GUI thread.
#ifndef JUMPLET_APP_H
#define JUMPLET_APP_H

#include <windows.h>
#include "app/program_paths.h"
#include "app/version.h"

#define MAIN_WINDOW_TITLE   "Jumplet v" JUMPLET_VERSION " - A Shortcut Tool"
#define MAIN_WINDOW_CLASS   "winappJumplet"
#define ADD_WINDOW_TITLE    "Add item !"
#define ADD_WINDOW_CLASS    "AddItem"
#define DATA_FILE_NAME      "jumplet.dat"
// Sent by a second start so that a never-shown window places itself before it appears.
#define SHOW_REQUEST_MESSAGE "Jumplet.ShowMainWindow"
// Broadcast when the options choose another hotkey, so that every running instance takes
// it at once; wParam is the new index.
#define HOTKEY_CHANGED_MESSAGE "Jumplet.HotkeyChanged"

extern HINSTANCE AppInstance;
extern HWND MainWindow;
extern HWND AddItemWindow;
extern UINT TaskbarCreatedMessage;
extern UINT ShowRequestMessage;
extern UINT HotkeyChangedMessage;
extern bool HiddenStart;
extern bool HotkeyMissing;
extern char ProgramPath[PATH_BUFFER];
extern char ProgramDirectory[PATH_BUFFER];
extern char LaunchSoundPath[PATH_BUFFER];
extern char DeleteSoundPath[PATH_BUFFER];
extern char HelpFilePath[PATH_BUFFER];
extern HFONT GuiFont;

#endif
