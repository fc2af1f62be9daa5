// The application shell's process-wide state.
#include "app/app.h"

HINSTANCE AppInstance;
HWND MainWindow;
HWND AddItemWindow;
UINT TaskbarCreatedMessage;
UINT ShowRequestMessage;
UINT HotkeyChangedMessage;
bool HiddenStart = false;
bool HotkeyMissing = true;
char ProgramPath[PATH_BUFFER];
char ProgramDirectory[PATH_BUFFER];
char LaunchSoundPath[PATH_BUFFER] = "launch.wav";
char DeleteSoundPath[PATH_BUFFER] = "delete.wav";
char HelpFilePath[PATH_BUFFER] = "help.html";
HFONT GuiFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
