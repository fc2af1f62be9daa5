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

#endif
