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

// Held down, a key repeats its press at the keyboard's rate, and the hook is not told which
// press is a repeat: a press of the key pressed last, with no release of it between, is one.
// Unless that press is older than the keyboard's longest delay (1 s) allows: a release can
// go where the hook does not see it (the secure desktop), and the key must work again.
enum { KEY_REPEAT_GAP_MS = 1500 };

struct HeldKey {
    unsigned key;
    unsigned lastPress;
};

// Any key event the hook looks at, at its time; true for a press that repeats a held key.
bool IsAutoRepeat(HeldKey* held, unsigned message, unsigned virtualKey, unsigned time);

// The chosen key going down brings the window up; Up and Down move the list, unless the
// main window is in front, where the search line moves it. Windows reports F10, the menu
// key, as a system key going down, so that counts for the chosen key too; nothing counts
// while Alt is held (altDown: the event's flag or Alt's own state), and no key matches
// "no key" (0).
HookAction HookActionOf(unsigned message, unsigned virtualKey, bool altDown, int hotkey, bool mainWindowInFront);

// Windows removes a low-level hook that was too slow to answer, without a word. The hook
// thread also hears of every key press through raw input, which no hook can miss, and
// installs the hook again when presses reach the desktop that the hook did not see. Under
// load both reports of a press come late, the hook's calls before the raw ones queued
// behind them: a press counts as unseen only when it was made after the hook's last one,
// and only several of them with the hook silent for a while mean it is gone. A reinstall
// waits for the new hook to see a press, or for a long rest, before another: a desktop that
// the hook may not see (an elevated program in front) must not keep it churning. Times are
// the events' own, in milliseconds of the system's tick count, which wraps.
enum { UNSEEN_PRESSES_BEFORE_REINSTALL = 3, HOOK_SILENCE_MS = 500, REINSTALL_REST_MS = 30000 };

struct HookWatch {
    unsigned lastHookPress;
    int unseenPresses;
    bool resting;
    unsigned reinstalledAt;
};

// A watch over a hook just installed: its silence counts from now.
void StartHookWatch(HookWatch* watch, unsigned now);
// A key press the hook saw, made at that time.
void HookSawPress(HookWatch* watch, unsigned time);
// A key press the desktop saw, made at that time; true when the hook must be installed
// again, and then the count starts over.
bool DesktopSawPress(HookWatch* watch, unsigned time);

#endif
