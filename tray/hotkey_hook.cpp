// The hook lives on a thread that does nothing else. Windows skips a low-level hook that
// does not return within LowLevelHooksTimeout, then removes it without a word, and until
// then every key of the desktop waits for it; the window thread can be busy for seconds
// (a shell call to an offline share, a save, a modal loop). So the procedure only compares
// the key with one held in memory and posts what is to be done; the window thread does it.
// Every key goes on to the application in front: users rely on it.
//
// A hook can be removed all the same, under heavy load. A second thread takes every key
// press as raw input, which costs nothing while no key is pressed (no timer), and passes
// each on to the hook's thread, which installs the hook again when presses reach the
// desktop that the hook did not see (tray/key_event.h says when). Both run above normal
// priority, so that a busy machine seldom keeps the hook waiting in the first place.
//
// The raw reports never go to the hook's thread directly: they are queued before the hook
// is called, and Wine passes over the hook of a thread that has a message waiting and has
// read none for five seconds, so after a rest of the keyboard the first press went unseen.
#include "tray/hotkey_hook.h"
#include "base/messages.h"
#include "base/program.h"
#include "tray/key_event.h"
#include "ui/shared/window_state.h"

#define KEY_SINK_CLASS "Jumplet.KeySink"
#define RAW_KEYS_CLASS "Jumplet.RawKeys"
// To the key sink, from the tests only: the hook goes as Windows drops one, handle kept.
#define DropHookMessage (WM_APP + 10)
// To the key sink, from the raw input's thread: the desktop saw a key press made at the
// time in wParam.
#define DesktopPressMessage (WM_APP + 11)

static volatile LONG ChosenKeyCode;
static volatile LONG HookInstalls;
static volatile LONG KeyboardWatched;
// Only the hook thread uses these; the raw input's thread posts to KeySink once it is made.
static HHOOK HotkeyHookHandle;
static HookWatch Watch;
static HeldKey LastKey;
static HWND KeySink;

void SetHotkeyCode(int virtualKey)
{
    InterlockedExchange(&ChosenKeyCode, virtualKey);
}

static bool IsKeyPress(WPARAM message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

LRESULT CALLBACK HotkeyProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0) {
        const KBDLLHOOKSTRUCT* event = (const KBDLLHOOKSTRUCT*)lParam;
        if (IsKeyPress(wParam))
            HookSawPress(&Watch, event->time);
        // Nearly every key is none of the three: those are passed on without asking the
        // system anything, which costs more than all the rest.
        DWORD key = event->vkCode;
        if (key == (DWORD)ChosenKeyCode || key == VK_UP || key == VK_DOWN) {
            bool altDown = (event->flags & LLKHF_ALTDOWN) != 0 || (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
            HookAction action =
                HookActionOf((unsigned)wParam, key, altDown, (int)ChosenKeyCode, GetForegroundWindow() == MainWindow);
            // Held, the chosen key brings the window up once; Up and Down go on repeating.
            if (IsAutoRepeat(&LastKey, (unsigned)wParam, key, event->time) && action == HOOK_BRING_UP)
                action = HOOK_NOTHING;
            if (action != HOOK_NOTHING)
                PostMessageA(MainWindow, HookKeyMessage, action, 0);
        }
    }
    return CallNextHookEx(HotkeyHookHandle, code, wParam, lParam);
}

// Never two hooks at once: the old one goes first, whether Windows removed it already or not.
static bool InstallHook()
{
    if (HotkeyHookHandle != NULL)
        UnhookWindowsHookEx(HotkeyHookHandle);
    HotkeyHookHandle = SetWindowsHookExA(WH_KEYBOARD_LL, HotkeyProc, AppInstance, 0);
    if (HotkeyHookHandle == NULL)
        return false;
    InterlockedIncrement(&HookInstalls);
    return true;
}

// The message's time is the press's own, as the hook's is: under load the two reports
// of a press arrive late and apart, and only the times tell whether the hook saw it. On
// the hook's thread they queue behind its calls, as they did when it took them itself.
static void OnRawInput(HRAWINPUT input, DWORD time)
{
    RAWINPUT raw;
    UINT size = sizeof(raw);
    if (GetRawInputData(input, RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) == (UINT)-1)
        return;
    if (raw.header.dwType == RIM_TYPEKEYBOARD && IsKeyPress(raw.data.keyboard.Message))
        PostMessageA(KeySink, DesktopPressMessage, time, 0);
}

static LRESULT CALLBACK RawKeysProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INPUT)
        OnRawInput((HRAWINPUT)lParam, (DWORD)GetMessageTime());
    return DefWindowProcA(window, message, wParam, lParam);
}

static LRESULT CALLBACK KeySinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case DesktopPressMessage:
        if (DesktopSawPress(&Watch, (unsigned)wParam))
            InstallHook();
        return 0;
    case DropHookMessage:
        UnhookWindowsHookEx(HotkeyHookHandle);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static HWND CreateMessageWindow(const char* className, WNDPROC procedure)
{
    WNDCLASSA windowClass;
    ZeroMemory(&windowClass, sizeof(windowClass));
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = AppInstance;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, NULL, 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, AppInstance, NULL);
}

static void RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
}

// Takes the keyboard's raw input whatever window is in front. Without raw input nothing
// can tell that the hook is gone; the hook works on all the same, unwatched, and the tests
// can tell.
static DWORD WINAPI RawKeysThread(LPVOID)
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    HWND rawKeys = CreateMessageWindow(RAW_KEYS_CLASS, RawKeysProc);
    RAWINPUTDEVICE keyboard = {1, 6, RIDEV_INPUTSINK, rawKeys};
    if (rawKeys == NULL || !RegisterRawInputDevices(&keyboard, 1, sizeof(keyboard)))
        return 0;
    InterlockedExchange(&KeyboardWatched, 1);
    RunMessageLoop();
    return 0;
}

static void ListenToTheKeyboard()
{
    KeySink = CreateMessageWindow(KEY_SINK_CLASS, KeySinkProc);
    HANDLE thread = KeySink != NULL ? CreateThread(NULL, 0, RawKeysThread, NULL, 0, NULL) : NULL;
    if (thread != NULL)
        CloseHandle(thread);
}

// The hook is called on this thread while it waits for messages; nothing else runs here.
static DWORD WINAPI HookThread(LPVOID)
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    if (!InstallHook()) {
        PostMessageA(MainWindow, HookFailedMessage, 0, 0);
        return 0;
    }
    StartHookWatch(&Watch, GetTickCount());
    ListenToTheKeyboard();
    RunMessageLoop();
    return 0;
}

void TellHookFailed()
{
    HotkeyMissing = true;
    ShowErrorMessage("Error Code : 105\nKeyboard Hooking Failed :(\nKeyboard shortcut will not work.\n"
                     "You can disable this feature by going to ..\noption-> select a shortcut key-> None(Disable)",
                     false);
}

void StartHotkeyHook()
{
    HANDLE thread = CreateThread(NULL, 0, HookThread, NULL, 0, NULL);
    if (thread == NULL)
        PostMessageA(MainWindow, HookFailedMessage, 0, 0);
    else
        CloseHandle(thread);
}

LRESULT AnswerHookTest(WPARAM request)
{
    // Sent, so that the hook is gone when the test's next key comes; the hook thread never
    // waits on this one, so the wait is short.
    if (request == HOOK_TEST_DROP)
        SendMessageA(KeySink, DropHookMessage, 0, 0);
    return request == HOOK_TEST_WATCHED ? KeyboardWatched : HookInstalls;
}
