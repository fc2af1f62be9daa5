// The notification-area icon and its menu: the program's permanent handle.
#ifndef JUMPLET_TRAY_H
#define JUMPLET_TRAY_H

#include <windows.h>

extern HMENU TrayMenu;
extern NOTIFYICONDATAA TrayIconData;

void CreateTrayIcon();
void OnTrayCallback(LPARAM mouseMessage);

#endif
