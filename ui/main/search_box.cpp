#include "ui/main/search_box.h"
#include <stdio.h>
#include "ui/shared/lists.h"
#include "base/ansi_path.h"
#include "base/program.h"
#include "settings/settings.h"
#include "store/store.h"
#include "ui/shared/launching.h"
#include "ui/shared/window_state.h"

enum { SEARCH_TEXT_SIZE = 128, NOTE_SIZE = SEARCH_TEXT_SIZE + 64 };

WNDPROC OriginalSearchBoxProc;

// In delete mode, the name that the text being typed selected and nothing else had: the
// next letter moves the choice to its own match instead of adding one per letter, so no
// name is deleted that the user only passed on the way to another. -1 for none.
static int32_t TypedDeleteChoice = -1;

static int32_t SearchMatch(const char* text)
{
    return FirstNameStartingWith(ShortcutTable, text, SystemLeadByte);
}

static LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(OriginalSearchBoxProc, window, message, wParam, lParam);
}

// It stands until the text changes or the window hides; the main window then puts its own
// status back.
static void ShowNoMatchNote(const char* text)
{
    char note[NOTE_SIZE];
    snprintf(note, NOTE_SIZE, "No shortcut begins with \"%s\"; Space runs it", text);
    SetWindowTextA(StatusLine, note);
    ShowWindow(StatusLine, SW_SHOW);
}

// A text that no name begins with opens nothing: what is still selected was chosen for
// another text, maybe long ago, and the user typed this one.
static LRESULT OnEnter(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    char text[SEARCH_TEXT_SIZE] = "";
    GetWindowTextA(SearchBox, text, SEARCH_TEXT_SIZE);
    if (text[0] != '\0' && SearchMatch(text) < 0) {
        ShowNoMatchNote(text);
        return PassOn(window, message, wParam, lParam);
    }
    SetWindowTextA(SearchBox, "");
    if (LaunchSoundEnabled)
        PlayEventSound(LaunchSoundPath);
    HideMainWindow();
    LaunchSelected();
    return PassOn(window, message, wParam, lParam);
}

static LRESULT OnSpace(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    RunTypedCommand();
    HideMainWindow();
    return PassOn(window, message, wParam, lParam);
}

// "my" and a blank go on to "My Music": the blank is typed. Otherwise it ends a command.
static bool BlankGoesOnIntoAName()
{
    char text[SEARCH_TEXT_SIZE + 1] = "";
    int length = GetWindowTextA(SearchBox, text, SEARCH_TEXT_SIZE);
    text[length] = ' ';
    text[length + 1] = '\0';
    return SearchMatch(text) >= 0;
}

// Enter and Space have done their work on key-down; the characters they would leave
// behind (a line break, a blank) must not reach the box. Neither may a tab: the line is one
// line of text, and an invisible tab would stop every name from matching. The text is as
// it was at key-down, so a blank that goes into a name is still kept.
static bool IsSpentCharacter(WPARAM character)
{
    if (character == ' ')
        return !BlankGoesOnIntoAName();
    return character == '\r' || character == '\n' || character == '\t';
}

// Every key is the line's (Enter launches, Space runs, the arrows pick a name) but Tab and
// Escape, which are the window's: to the next control, and to hide it. The edit's own answer
// is never asked for: it would have Escape close the window.
static LRESULT DialogCodeFor(const MSG* key)
{
    bool windowKey = key != NULL && key->message == WM_KEYDOWN && (key->wParam == VK_TAB || key->wParam == VK_ESCAPE);
    return windowKey ? DLGC_HASSETSEL : DLGC_WANTALLKEYS;
}

LRESULT CALLBACK SearchBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETDLGCODE:
        return DialogCodeFor((const MSG*)lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            return OnEnter(window, message, wParam, lParam);
        if (wParam == VK_SPACE && !BlankGoesOnIntoAName())
            return OnSpace(window, message, wParam, lParam);
        // Up and Down pick a name here whether or not the hook is installed; the hook leaves
        // them alone while this window is in front, so each press moves once.
        if (wParam == VK_UP || wParam == VK_DOWN) {
            MoveMainListSelection(wParam == VK_UP);
            return 0;
        }
        break;
    case WM_CHAR:
        if (IsSpentCharacter(wParam))
            return 0;
        break;
    }
    return PassOn(window, message, wParam, lParam);
}

void ForgetTypedDeleteChoice()
{
    TypedDeleteChoice = -1;
}

// A name selected before (by a click, or by a word typed earlier) stays the user's: typing
// neither takes it back nor claims it.
static void ChooseTypedDeleteMatch(int32_t found)
{
    if (found == TypedDeleteChoice)
        return;
    if (TypedDeleteChoice >= 0)
        SendMessageA(DeleteList, LB_SETSEL, FALSE, TypedDeleteChoice);
    TypedDeleteChoice = -1;
    if (found < 0 || SendMessageA(DeleteList, LB_GETSEL, found, 0) > 0)
        return;
    SendMessageA(DeleteList, LB_SETSEL, TRUE, found);
    TypedDeleteChoice = found;
}

// An emptied line keeps what typing chose, so that one word after another adds a name each.
void PrefixSearch()
{
    char text[SEARCH_TEXT_SIZE] = "";
    GetWindowTextA(SearchBox, text, SEARCH_TEXT_SIZE);
    if (text[0] == '\0') {
        ForgetTypedDeleteChoice();
        return;
    }
    int32_t found = SearchMatch(text);
    if (DeleteMode != 0)
        ChooseTypedDeleteMatch(found);
    else if (found >= 0)
        SendMessageA(MainList, LB_SETCURSEL, found, 0);
}
