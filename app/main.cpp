// Entry point: command line, single instance, paths, the two windows, the hook and the
// message loop.
#include <windows.h>
#include <objbase.h>
#include "app/app.h"
#include "app/command_line.h"
#include "app/messages.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "tray/hotkey_choices.h"
#include "tray/hotkey_hook.h"
#include "tray/tray.h"
#include "ui/add/add_window.h"
#include "ui/main/main_window.h"
#include "ui/main/placement.h"

static const char HookFailedText[] =
    "Error Code : 105\nKeyboard Hooking Failed :(\nKeyboard shortcut will not work.\n"
    "You can disable this feature by going to ..\noption-> select a shortcut key-> None(Disable)";

// A running instance is found by its exact title; it is brought up and this one ends.
// A window that was never placed (a hidden start) is placed the way the tray would.
static void ShowRunningInstance(const char* commandLine)
{
    if (SkipsInstanceTest(commandLine))
        return;
    HWND running = FindWindowA(NULL, MAIN_WINDOW_TITLE);
    if (running == NULL)
        return;
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    DWORD_PTR ignored;
    SendMessageTimeoutA(running, RegisterWindowMessageA(SHOW_REQUEST_MESSAGE), 0, 0,
                        SMTO_ABORTIFHUNG, 2000, &ignored);
    ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    ExitProcess(0);
}

// Paths of the files beside the program. A folder too deep for them is reported here,
// before any window or file exists, rather than cut into a wrong path later.
static void WorkOutPaths()
{
    DWORD length = GetModuleFileNameA(NULL, ProgramPath, PATH_BUFFER);
    bool fits = length > 0 && length < PATH_BUFFER;
    char directory[PATH_BUFFER];
    fits = fits && ProgramDirectoryOf(ProgramPath, directory, PATH_BUFFER);
    fits = fits && JoinProgramFile(directory, "delete.wav", DeleteSoundPath, PATH_BUFFER);
    fits = fits && JoinProgramFile(directory, "launch.wav", LaunchSoundPath, PATH_BUFFER);
    fits = fits && JoinProgramFile(directory, "help.html", HelpFilePath, PATH_BUFFER);
    char dataPath[PATH_BUFFER];
    fits = fits && JoinProgramFile(directory, DATA_FILE_NAME, dataPath, PATH_BUFFER);
    if (!fits)
        ShowErrorMessage("Error Code : 108\nThe program's folder path is too long.\n"
                         "Move Jumplet to a folder with a shorter path.", true);
}

static ATOM RegisterWindowClass(const char* className, WNDPROC procedure)
{
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = AppInstance;
    windowClass.hIcon = LoadIconA(AppInstance, MAKEINTRESOURCEA(IDI_JUMPLET));
    windowClass.hIconSm = (HICON)LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_JUMPLET),
                                            IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass);
}

static HWND CreateTopWindow(const char* className, const char* title, int width, int height)
{
    return CreateWindowExA(WS_EX_ACCEPTFILES, className, title, WS_SYSMENU, -1000, -1000,
                           width, height, NULL, NULL, AppInstance, NULL);
}

// "None" has no key, and neither has an index that only a hand-edited settings file can
// hold: neither gets a hook.
static void InstallHotkeyHook()
{
    if (HotkeyCodeOf(HotkeySetting(0, false)) == 0)
        return;
    HotkeyMissing = false;
    HMODULE module = LoadLibraryA("explorer.exe");
    HotkeyHookHandle = SetWindowsHookExA(WH_KEYBOARD_LL, HotkeyProc, module, 0);
    if (HotkeyHookHandle == NULL)
        ShowErrorMessage(HookFailedText, false);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    ShowRunningInstance(commandLine);
    if (AsksHiddenStart(commandLine)) {
        HiddenStart = true;
        Sleep(3000);
    }
    WorkOutPaths();
    AutoStartEnabled = AutoStartSetting(false);
    LaunchSoundEnabled = LaunchSoundSetting(false);
    AppInstance = instance;
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    ShowRequestMessage = RegisterWindowMessageA(SHOW_REQUEST_MESSAGE);
    if (!RegisterWindowClass(MAIN_WINDOW_CLASS, MainWindowProc) ||
        !RegisterWindowClass(ADD_WINDOW_CLASS, AddWindowProc))
        return 0;

    MainWindow = CreateTopWindow(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, 290, 355);
    AddItemWindow = CreateTopWindow(ADD_WINDOW_CLASS, ADD_WINDOW_TITLE, 240, 210);
    SetWindowPos(MainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(AddItemWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(MainWindow, SW_HIDE);
    if (!HiddenStart) {
        ShowWindow(MainWindow, SW_SHOW);
        UpdateWindow(MainWindow);
    }
    ShowWindow(AddItemWindow, SW_HIDE);
    // The folder browser's new style and the shell's extensions need COM on this thread;
    // nothing before the message loop does, and under Wine it takes longer to set up than
    // the window takes to show. The shell, too, takes longer to add the icon.
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    AddTrayIcon();
    InstallHotkeyHook();

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
