#include "tray/key_event.h"

HookAction HookActionOf(unsigned message, unsigned virtualKey, bool altDown, int hotkey, bool mainWindowInFront)
{
    if (altDown || (message != KEY_DOWN_MESSAGE && message != SYSTEM_KEY_DOWN_MESSAGE))
        return HOOK_NOTHING;
    // Only F10 is a system key without Alt; any other arrives so only with Alt held, which
    // some systems leave out of the event's flags.
    if (message == SYSTEM_KEY_DOWN_MESSAGE)
        return virtualKey == KEY_F10 && virtualKey == (unsigned)hotkey ? HOOK_BRING_UP : HOOK_NOTHING;
    if (hotkey != 0 && virtualKey == (unsigned)hotkey)
        return HOOK_BRING_UP;
    if (mainWindowInFront)
        return HOOK_NOTHING;
    if (virtualKey == KEY_UP_ARROW)
        return HOOK_UP;
    if (virtualKey == KEY_DOWN_ARROW)
        return HOOK_DOWN;
    return HOOK_NOTHING;
}

void HookSawPress(HookWatch* watch)
{
    watch->unseenPresses = 0;
}

bool DesktopSawPress(HookWatch* watch)
{
    if (++watch->unseenPresses < UNSEEN_PRESSES_BEFORE_REINSTALL)
        return false;
    watch->unseenPresses = 0;
    return true;
}
