// For now the hook passes every key on; the hotkey's own handling replaces this.
#include "tray/hotkey_hook.h"
#include "app/app.h"

LRESULT CALLBACK HotkeyProc(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(HotkeyHookHandle, code, wParam, lParam);
}
