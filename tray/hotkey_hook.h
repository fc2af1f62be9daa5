// The global key that brings the main window forward, and Up and Down for MainList from
// any application, caught by a low-level keyboard hook on a thread of its own.
#ifndef JUMPLET_HOTKEY_HOOK_H
#define JUMPLET_HOTKEY_HOOK_H

#include <windows.h>

// Starts the hook thread, which installs the hook and then only waits for key events. It
// posts HookKeyMessage for what a key asks, HookFailedMessage when there is no hook.
void StartHotkeyHook();
// The key the hook compares with, as a virtual-key code (0: none). The GUI thread sets it
// at start and whenever the options change it; the hook reads it at every event.
void SetHotkeyCode(int virtualKey);
// Error 105, on the window thread once the hook thread has posted HookFailedMessage; a key
// chosen in the options from then on needs a start, which they offer.
void TellHookFailed();
// For the end-to-end tests, through HookTestMessage: how often the hook has been installed,
// after dropping it the way Windows drops a hook when asked to; or 1 when raw input watches
// over it.
enum { HOOK_TEST_COUNT, HOOK_TEST_DROP, HOOK_TEST_WATCHED };
LRESULT AnswerHookTest(WPARAM request);
LRESULT CALLBACK HotkeyProc(int code, WPARAM wParam, LPARAM lParam);

#endif
