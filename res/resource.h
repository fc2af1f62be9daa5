// Every resource, control and command id of the program, named once.
#ifndef JUMPLET_RESOURCE_H
#define JUMPLET_RESOURCE_H

// Images, the icon and the options dialog template.
#define IDB_LOGO                104
#define IDI_JUMPLET             105
#define IDD_OPTIONS             106
#define IDB_VISIT_HOVER         311
#define IDB_SHARE_GP            312
#define IDB_SHARE_GP_HOVER      313
#define IDB_SHARE_TW            314
#define IDB_SHARE_TW_HOVER      315
#define IDB_VISIT               316
#define IDB_SHARE_FB            317
#define IDB_SHARE_FB_HOVER      318

// Main window controls.
#define IDC_RUN                 701
#define IDC_ADD                 702
#define IDC_DELETE              703
#define IDC_OPTION              704
#define IDC_MAINLIST            705
#define IDC_SEARCHBOX           706
#define IDC_DELETELIST          708

// Add window.
#define IDC_ADD_OK              707

// Tray icon and its menu.
#define IDT_TRAYICON            300
#define IDT_TRAY_RETRY          301
#define IDM_AUTOSTART           386
#define IDM_QUIT                400
#define IDM_MOREOPTIONS         500
#define IDM_ADDNEW              600

// The options dialog: its caption, which it sets again on opening, and its controls.
#define OPTIONS_DIALOG_TITLE    "More Options"
#define IDC_OPT_HELP            1
#define IDC_OPT_ABOUT           102
#define IDC_OPT_FB              103
#define IDC_OPT_AUTOSTART       1000
#define IDC_OPT_HOTKEY          1001
#define IDC_OPT_TW              1002
#define IDC_OPT_GP              1003
#define IDC_OPT_KV              1004
#define IDC_OPT_SOUND           1005

#endif
