// Entry point: single instance, command line, paths, the two windows, the hook and the
// message loop.
#include <windows.h>
#include <objbase.h>
#include "app/command_line.h"
#include "app/ending.h"
#include "base/ansi_path.h"
#include "base/late_library.h"
#include "base/messages.h"
#include "base/program.h"
#include "settings/auto_start.h"
#include "settings/hotkey_choices.h"
#include "settings/settings.h"
#include "tray/hotkey_hook.h"
#include "tray/tray.h"
#include "ui/add/add_window.h"
#include "ui/main/main_window.h"
#include "ui/shared/fonts.h"
#include "ui/shared/placement.h"
#include "ui/shared/scaling.h"
#include "ui/shared/window_state.h"

// One per user session: every instance creates it first thing and holds it to the end.
#define INSTANCE_MUTEX_NAME "Local\\Jumplet.Instance"
// Long enough for a running instance's hidden start (3 s) and its start-up.
enum { RUNNING_WINDOW_WAIT_MS = 15000, RUNNING_WINDOW_POLL_MS = 100 };

static const char NoRunningWindowText[] =
    "Error Code : 109\nJumplet is running already, but its window did not come up.\nEnd jumplet.exe in the "
    "Task Manager, or log off and on again, then start Jumplet again.";

static const char PathUnusableText[] =
    "Error Code : 108\nJumplet cannot use the path of its folder: it is too long, or it holds "
    "characters that this system's code page cannot hold.\nMove Jumplet to a folder with a "
    "shorter, plainer path.";

// The running instance's window; one still in its hidden start's wait has none yet.
static HWND WaitForRunningWindow()
{
    for (int waited = 0; waited < RUNNING_WINDOW_WAIT_MS; waited += RUNNING_WINDOW_POLL_MS) {
        HWND running = FindWindowA(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE);
        if (running != NULL)
            return running;
        Sleep(RUNNING_WINDOW_POLL_MS);
    }
    return NULL;
}

// Another instance holds the mutex: it is brought up and this one ends. A window that was
// never placed (a hidden start) places itself the way the tray would, on the request. One
// that never comes (an instance hung, or left without its window) is told, not kept quiet:
// otherwise every start would seem to do nothing until the next logon.
static void ShowRunningInstance()
{
    HWND running = WaitForRunningWindow();
    if (running == NULL)
        ShowErrorMessage(NoRunningWindowText, true);
    DWORD runningProcess = 0;
    GetWindowThreadProcessId(running, &runningProcess);
    AllowSetForegroundWindow(runningProcess);
    DWORD_PTR ignored;
    if (!SendMessageTimeoutA(running, RegisterWindowMessageA(SHOW_REQUEST_MESSAGE), 0, 0, SMTO_ABORTIFHUNG, 2000,
                             &ignored))
        ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    ExitProcess(0);
}

// The mutex, not the window, decides: two starts at once, or one during another's hidden
// start, would both find no window yet. "-r..." is a restart or a deliberate second one.
// A mutex this process may not open was made by an instance running as administrator.
static void EnsureSingleInstance(const char* commandLine)
{
    HANDLE mutex = CreateMutexA(NULL, FALSE, INSTANCE_MUTEX_NAME);
    DWORD error = GetLastError();
    bool another = mutex != NULL ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    if (another && !SkipsInstanceTest(commandLine))
        ShowRunningInstance();
}

// The program's path exactly as the "A" calls see it: a folder whose name the ANSI code
// page cannot hold gives a path that names no file.
static bool ProgramPathIsExact()
{
    WCHAR wide[PATH_BUFFER];
    DWORD wideLength = GetModuleFileNameW(NULL, wide, PATH_BUFFER);
    char converted[PATH_BUFFER];
    return wideLength > 0 && wideLength < PATH_BUFFER &&
           AnsiPathFromWide(wide, converted, PATH_BUFFER) == PATH_CONVERTED && lstrcmpA(converted, ProgramPath) == 0;
}

// Paths of the files beside the program. A folder that cannot hold them is reported here,
// before any window or file exists, rather than cut into a wrong path later.
static void WorkOutPaths()
{
    DWORD length = GetModuleFileNameA(NULL, ProgramPath, PATH_BUFFER);
    bool fits = length > 0 && length < PATH_BUFFER && ProgramPathIsExact();
    char directory[PATH_BUFFER];
    fits = fits && ProgramDirectoryOf(ProgramPath, directory, PATH_BUFFER, SystemLeadByte);
    fits = fits && JoinProgramFile(directory, "delete.wav", DeleteSoundPath, PATH_BUFFER);
    fits = fits && JoinProgramFile(directory, "launch.wav", LaunchSoundPath, PATH_BUFFER);
    fits = fits && JoinProgramFile(directory, "help.html", HelpFilePath, PATH_BUFFER);
    fits = fits && SetSettingsFilePath(directory);
    char dataPath[PATH_BUFFER];
    fits = fits && JoinProgramFile(directory, DATA_FILE_NAME, dataPath, PATH_BUFFER);
    if (!fits)
        ShowErrorMessage(PathUnusableText, true);
}

static ATOM RegisterWindowClass(const char* className, WNDPROC procedure)
{
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = AppInstance;
    windowClass.hIcon = LoadProgramIcon(SM_CXICON, WindowDpi(NULL));
    windowClass.hIconSm = LoadProgramIcon(SM_CXSMICON, WindowDpi(NULL));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    return RegisterClassExA(&windowClass);
}

// Off-screen and hidden until placed, at the size written for 96 DPI scaled to the screen's.
// Its controls are laid out at the scale of the monitor it lies on, which can be another
// (one left of or above the primary is common): once it exists, it takes that size too, and
// the icons for it.
static HWND CreateTopWindow(const char* className, const char* title, int width, int height)
{
    int dpi = WindowDpi(NULL);
    HWND window = CreateWindowExA(WS_EX_ACCEPTFILES, className, title, WS_SYSMENU, -1000, -1000,
                                  ScaledPixels(width, dpi), ScaledPixels(height, dpi), NULL, NULL, AppInstance, NULL);
    int own = window != NULL ? WindowDpi(window) : dpi;
    if (own != dpi) {
        SetWindowPos(window, NULL, 0, 0, ScaledPixels(width, own), ScaledPixels(height, own),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowIcons(window, own);
    }
    return window;
}

// "None" has no key, and neither has an index that only a hand-edited settings file can
// hold: neither gets a hook.
static void InstallHotkeyHook()
{
    int code = HotkeyCodeOf(ChosenHotkey);
    if (code == 0)
        return;
    HotkeyMissing = false;
    SetHotkeyCode(code);
    StartHotkeyHook();
}

// The same input event: the dialog keys hand it to the message filter again, with a
// character maybe given in another code.
static bool SameEvent(const MSG* one, const MSG* other)
{
    return one->hwnd == other->hwnd && one->message == other->message && one->lParam == other->lParam &&
           one->time == other->time;
}

// The keys of a form (Tab, Shift+Tab, Enter, Escape) for the window that has the keyboard.
// A hidden main window made active keeps its keys: a control nobody sees must not take them.
static bool TakeFormKeys(MSG* message)
{
    // The message being taken; what it leads to (a dialog's loop) takes messages of its own.
    static const MSG* taking = NULL;
    if (taking != NULL && SameEvent(taking, message))
        return false;
    const MSG* outer = taking;
    taking = message;
    bool taken = (IsWindowVisible(MainWindow) && IsDialogMessageA(MainWindow, message)) ||
                 IsDialogMessageA(AddItemWindow, message);
    taking = outer;
    return taken;
}

// The loops of the options dialog, of message boxes and of the file dialogs pass every
// message here before their own dialog sees it: the main window and the add form keep their
// keys whichever of those is open.
static LRESULT CALLBACK DialogLoopFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && TakeFormKeys((MSG*)lParam))
        return TRUE;
    return CallNextHookEx(NULL, code, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    NarrowDllSearch();
    EnsureSingleInstance(commandLine);
    if (AsksHiddenStart(commandLine)) {
        HiddenStart = true;
        Sleep(3000);
    }
    WorkOutPaths();
    TakeOverOldSettings();
    AutoStartEnabled = RunValuePresent() ? 1 : 0;
    LaunchSoundEnabled = LaunchSoundSetting(false);
    ChosenHotkey = HotkeySetting(0, false);
    AppInstance = instance;
    TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    ShowRequestMessage = RegisterWindowMessageA(SHOW_REQUEST_MESSAGE);
    HotkeyChangedMessage = RegisterWindowMessageA(HOTKEY_CHANGED_MESSAGE);
    HookTestMessage = RegisterWindowMessageA(HOOK_TEST_MESSAGE);
    if (!RegisterWindowClass(MAIN_WINDOW_CLASS, MainWindowProc) ||
        !RegisterWindowClass(ADD_WINDOW_CLASS, AddWindowProc))
        return 0;

    MainWindow = CreateTopWindow(MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, 290, 355);
    AddItemWindow = CreateTopWindow(ADD_WINDOW_CLASS, ADD_WINDOW_TITLE, 240, 210);
    // Topmost without being activated: a hidden window that is active would take the
    // keyboard, and its edit's blinking caret would wake the program for ever.
    SetWindowPos(MainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(AddItemWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A second start may already have asked a hidden start's window up.
    if (!HiddenStart || !MainPlacementRestored)
        ShowWindow(MainWindow, SW_HIDE);
    if (!HiddenStart) {
        ShowWindow(MainWindow, SW_SHOW);
        UpdateWindow(MainWindow);
        SetFocus(SearchBox);
    }
    ShowWindow(AddItemWindow, SW_HIDE);
    // The folder browser's new style and the shell's extensions need COM on this thread;
    // nothing before the message loop does, and under Wine it takes longer to set up than
    // the window takes to show. The shell, too, takes longer to add the icon.
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    AddTrayIcon();
    InstallHotkeyHook();

    SetWindowsHookExA(WH_MSGFILTER, DialogLoopFilter, NULL, GetCurrentThreadId());
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        if (TakeFormKeys(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ReleaseForExit();
    return (int)message.wParam;
}
