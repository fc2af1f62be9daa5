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

// Positive when a comes after b, across the tick count's wrap.
static int MillisecondsAfter(unsigned a, unsigned b)
{
    return (int)(a - b);
}

bool IsAutoRepeat(HeldKey* held, unsigned message, unsigned virtualKey, unsigned time)
{
    if (message != KEY_DOWN_MESSAGE && message != SYSTEM_KEY_DOWN_MESSAGE) {
        if (virtualKey == held->key)
            held->key = 0;
        return false;
    }
    bool repeat = virtualKey == held->key && MillisecondsAfter(time, held->lastPress) < KEY_REPEAT_GAP_MS;
    held->key = virtualKey;
    held->lastPress = time;
    return repeat;
}

void StartHookWatch(HookWatch* watch, unsigned now)
{
    watch->lastHookPress = now;
    watch->unseenPresses = 0;
    watch->resting = false;
    watch->reinstalledAt = now;
}

void HookSawPress(HookWatch* watch, unsigned time)
{
    watch->lastHookPress = time;
    watch->unseenPresses = 0;
    watch->resting = false;
}

bool DesktopSawPress(HookWatch* watch, unsigned time)
{
    // The hook has seen this press or a later one: it is there.
    if (MillisecondsAfter(time, watch->lastHookPress) <= 0)
        return false;
    watch->unseenPresses++;
    if (watch->unseenPresses < UNSEEN_PRESSES_BEFORE_REINSTALL ||
        MillisecondsAfter(time, watch->lastHookPress) < HOOK_SILENCE_MS)
        return false;
    if (watch->resting && MillisecondsAfter(time, watch->reinstalledAt) < REINSTALL_REST_MS)
        return false;
    watch->unseenPresses = 0;
    watch->resting = true;
    watch->reinstalledAt = time;
    return true;
}
