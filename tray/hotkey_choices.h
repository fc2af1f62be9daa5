// The keys the user can choose to bring the main window forward. The row index is what
// the settings file stores and what the options list shows.
#ifndef JUMPLET_HOTKEY_CHOICES_H
#define JUMPLET_HOTKEY_CHOICES_H

enum { HOTKEY_CHOICE_COUNT = 11, HOTKEY_NONE_INDEX = 10 };

struct HotkeyChoice {
    const char* text;
    int virtualKey;
};

extern const HotkeyChoice HotkeyChoices[HOTKEY_CHOICE_COUNT];

// The key code of a stored index; 0 (no key) for "None" and for any index outside the
// table, which only a hand-edited settings file can hold.
int HotkeyCodeOf(int index);

// What one key event of the desktop asks of the main window.
enum HookAction { HOOK_NOTHING, HOOK_BRING_UP, HOOK_UP, HOOK_DOWN };

enum { KEY_DOWN_MESSAGE = 0x100, SYSTEM_KEY_DOWN_MESSAGE = 0x104, KEY_UP_ARROW = 0x26, KEY_DOWN_ARROW = 0x28,
       KEY_F10 = 0x79 };

// The chosen key going down brings the window up; Up and Down move the list. Windows
// reports F10, the menu key, as a system key going down, so that counts for the chosen key
// too; nothing counts while Alt is held (altDown: the event's flag or Alt's own state), and
// no key matches "no key" (0).
HookAction HookActionOf(unsigned message, unsigned virtualKey, bool altDown, int hotkey);

#endif
