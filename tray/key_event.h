// What one key event of the desktop asks of the main window: the part of the hook that
// needs no platform, so that it can be checked in a table.
#ifndef JUMPLET_KEY_EVENT_H
#define JUMPLET_KEY_EVENT_H

enum HookAction { HOOK_NOTHING, HOOK_BRING_UP, HOOK_UP, HOOK_DOWN };

enum {
    KEY_DOWN_MESSAGE = 0x100,
    SYSTEM_KEY_DOWN_MESSAGE = 0x104,
    KEY_UP_ARROW = 0x26,
    KEY_DOWN_ARROW = 0x28,
    KEY_F10 = 0x79,
};

// The chosen key going down brings the window up; Up and Down move the list, unless the
// main window is in front, where the search line moves it. Windows reports F10, the menu
// key, as a system key going down, so that counts for the chosen key too; nothing counts
// while Alt is held (altDown: the event's flag or Alt's own state), and no key matches
// "no key" (0).
HookAction HookActionOf(unsigned message, unsigned virtualKey, bool altDown, int hotkey, bool mainWindowInFront);

// Windows removes a low-level hook that was too slow to answer, without a word. The hook
// thread also hears of every key press through raw input, which no hook can miss: presses
// in a row that reached the desktop but not the hook mean the hook is gone. One unseen
// press is tolerated, in case a press reaches one before the other.
enum { UNSEEN_PRESSES_BEFORE_REINSTALL = 3 };

struct HookWatch {
    int unseenPresses;
};

// A key press the hook saw.
void HookSawPress(HookWatch* watch);
// A key press the desktop saw; true when the hook must be installed again, and then the
// count starts over.
bool DesktopSawPress(HookWatch* watch);

#endif
