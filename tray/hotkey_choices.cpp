#include "tray/hotkey_choices.h"

// Key codes written as numbers so that this table needs no platform header.
const HotkeyChoice HotkeyChoices[HOTKEY_CHOICE_COUNT] = {
    {"Page Down Key", 0x22},
    {"Home Key", 0x24},
    {"End Key", 0x23},
    {"Page Up Key", 0x21},
    {"F7 Key", 0x76},
    {"F8 Key", 0x77},
    {"F9 Key", 0x78},
    {"F10 Key", 0x79},
    {"F11 Key", 0x7A},
    {"F12 Key", 0x7B},
    {"None (Disable)", 0},
};

int HotkeyCodeOf(int index)
{
    if (index < 0 || index >= HOTKEY_CHOICE_COUNT)
        return 0;
    return HotkeyChoices[index].virtualKey;
}

HookAction HookActionOf(unsigned message, unsigned virtualKey, bool altDown, int hotkey)
{
    if (altDown || (message != KEY_DOWN_MESSAGE && message != SYSTEM_KEY_DOWN_MESSAGE))
        return HOOK_NOTHING;
    // Only F10 is a system key without Alt; any other arrives so only with Alt held, which
    // some systems leave out of the event's flags.
    if (message == SYSTEM_KEY_DOWN_MESSAGE)
        return virtualKey == KEY_F10 && virtualKey == (unsigned)hotkey ? HOOK_BRING_UP : HOOK_NOTHING;
    if (hotkey != 0 && virtualKey == (unsigned)hotkey)
        return HOOK_BRING_UP;
    if (virtualKey == KEY_UP_ARROW)
        return HOOK_UP;
    if (virtualKey == KEY_DOWN_ARROW)
        return HOOK_DOWN;
    return HOOK_NOTHING;
}
