#include "settings/hotkey_choices.h"

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
