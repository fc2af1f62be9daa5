// The notification-area icon and its menu: the program's permanent handle.
#ifndef JUMPLET_TRAY_H
#define JUMPLET_TRAY_H

#include <windows.h>

extern HMENU TrayMenu;
extern NOTIFYICONDATAA TrayIconData;

// Fills the icon's record and makes the menu; start-up adds the icon once the main window
// is on the screen.
void CreateTrayIcon();
// The icon from the record CreateTrayIcon filled; adding it again after the shell lost
// it ("TaskbarCreated") brings it back. An add the shell refuses is tried again on the main
// window's timer IDT_TRAY_RETRY (RetryTrayIcon) for about a minute.
void AddTrayIcon();
void RetryTrayIcon();
// The icon made again when the taskbar's scale changed.
void FollowTrayScale();
void RemoveTrayIcon();
// "Quit Application", and any outside request to end (WM_CLOSE from taskkill, an installer
// or the Restart Manager): the options are saved and the message loop ends; start-up then
// gives back the menu, the lettering and the icon, and the hook ends with the process.
void QuitApplication();
void OnTrayCallback(LPARAM mouseMessage);

#endif
