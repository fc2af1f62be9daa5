// The hook lives on a thread that does nothing else. Windows skips a low-level hook that
// does not return within LowLevelHooksTimeout, then removes it without a word, and until
// then every key of the desktop waits for it; the window thread can be busy for seconds
// (a shell call to an offline share, a save, a modal loop). So the procedure only compares
// the key with one held in memory and posts what is to be done; the window thread does it.
// Every key goes on to the application in front: users rely on it.
#include "tray/hotkey_hook.h"
#include "base/messages.h"
#include "base/program.h"
#include "tray/key_event.h"
#include "ui/shared/window_state.h"

static volatile LONG ChosenKeyCode;
// Only the hook thread uses it.
static HHOOK HotkeyHookHandle;

void SetHotkeyCode(int virtualKey)
{
    InterlockedExchange(&ChosenKeyCode, virtualKey);
}

LRESULT CALLBACK HotkeyProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0) {
        const KBDLLHOOKSTRUCT* event = (const KBDLLHOOKSTRUCT*)lParam;
        bool altDown = (event->flags & LLKHF_ALTDOWN) != 0 || (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
        HookAction action = HookActionOf((unsigned)wParam, event->vkCode, altDown, (int)ChosenKeyCode);
        if (action != HOOK_NOTHING)
            PostMessageA(MainWindow, HookKeyMessage, action, 0);
    }
    return CallNextHookEx(HotkeyHookHandle, code, wParam, lParam);
}

// The hook is called on this thread while it waits for messages; nothing else runs here.
static DWORD WINAPI HookThread(LPVOID)
{
    HotkeyHookHandle = SetWindowsHookExA(WH_KEYBOARD_LL, HotkeyProc, AppInstance, 0);
    if (HotkeyHookHandle == NULL) {
        PostMessageA(MainWindow, HookFailedMessage, 0, 0);
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

void TellHookFailed()
{
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
