// The launcher window. Its procedure is a flat dispatch; each message's work is a call.
#include "ui/main/main_window.h"
#include "base/ansi_path.h"
#include "base/program.h"
#include "res/resource.h"
#include "settings/hotkey_choices.h"
#include "tray/key_event.h"
#include "settings/settings.h"
#include "store/store.h"
#include "tray/hotkey_hook.h"
#include "tray/tray.h"
#include "ui/add/drop.h"
#include "ui/main/search_box.h"
#include "ui/options/options_dialog.h"
#include "ui/shared/fonts.h"
#include "ui/shared/launching.h"
#include "ui/shared/lists.h"
#include "ui/shared/placement.h"
#include "ui/shared/scaling.h"
#include "ui/shared/window_state.h"

static const char DeleteModeStatus[] = "Now select item(s) and Press Delete";

// The lists are filled in table order and never sort themselves: the list box's own
// order differs from the table's for some names, and position i must be record i. Nor do
// they shrink to whole items: the font's height does not scale as the layout does, and a
// list cut down to whole items ends out of line with the buttons beside it.
static const DWORD ListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_CLIPSIBLINGS | WS_TABSTOP |
                               LBS_NOTIFY | LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT;
// The line and the buttons are all stops of Tab; the status line is none.
static const DWORD Child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
// "Unassigned" in the virtual-key table: pressed, it means nothing to any program.
enum { UNASSIGNED_KEY = 0xE8, ALT_ALONE_EVENTS = 4 };

static HWND RunButton, AddButton, DeleteButton, OptionButton;

// The controls as written for 96 DPI, in the order they are made.
struct MainControlPlan {
    const char* className;
    const char* text;
    DWORD style;
    PixelRect rect;
    int id;
    HWND* handle;
    bool listFont;
};

static const MainControlPlan MainControls[] = {
    {"button", "Run", Child, {184, 84, 80, 23}, IDC_RUN, &RunButton, false},
    {"EDIT", "", Child | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL, {10, 85, 165, 21}, IDC_SEARCHBOX, &SearchBox,
     false},
    {"button", "Add", Child, {205, 130, 60, 40}, IDC_ADD, &AddButton, false},
    {"button", "Delete", Child, {205, 190, 60, 40}, IDC_DELETE, &DeleteButton, false},
    {"button", "Option", Child, {205, 250, 60, 40}, IDC_OPTION, &OptionButton, false},
    // Shown only while it has something to say, in delete mode.
    {"static", "", WS_CHILD, {10, 306, 250, 21}, 0, &StatusLine, false},
    {"listbox", NULL, ListStyle, {10, 120, 180, 200}, IDC_MAINLIST, &MainList, true},
    // Shown only in delete mode: it ends above the status line, so that its last name and
    // its arrow stay whole.
    {"listbox", NULL, ListStyle | LBS_MULTIPLESEL, {10, 120, 180, 186}, IDC_DELETELIST, &DeleteList, true},
};

static HFONT ListFont, TextFont;
static WNDPROC OriginalListProc;
// While a key is at work in MainList: the selection it moves is no choice to launch.
static bool ListKeyAtWork;

// Tab goes as the window reads: the line, Run, the list, Add, Delete, Option. The controls
// are made in another order (and the lists, which the status line overlaps, stay below it),
// so the keyboard's order is set apart from it.
static void SetTabOrder()
{
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(SearchBox, HWND_TOP, 0, 0, 0, 0, keep);
    const HWND lastButtons[] = {AddButton, DeleteButton, OptionButton};
    for (HWND button : lastButtons)
        SetWindowPos(button, HWND_BOTTOM, 0, 0, 0, 0, keep);
}

// The arrows and letters move through the list as in any list; a name is launched by a
// click or by Enter, not by each key on the way to it.
static LRESULT CALLBACK MainListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_KEYDOWN && message != WM_CHAR)
        return CallWindowProcA(OriginalListProc, list, message, wParam, lParam);
    ListKeyAtWork = true;
    LRESULT result = CallWindowProcA(OriginalListProc, list, message, wParam, lParam);
    ListKeyAtWork = false;
    return result;
}

static void CreateMainControls(HWND window, int dpi)
{
    for (const MainControlPlan& control : MainControls) {
        PixelRect rect = ScaledRect(control.rect, dpi);
        *control.handle = CreateWindowExA(0, control.className, control.text, control.style, rect.x, rect.y,
                                          rect.width, rect.height, window, (HMENU)(INT_PTR)control.id, AppInstance,
                                          NULL);
    }
    // What is typed may be run as it stands, so the line holds no more than a target can:
    // a longer command would otherwise be run cut, and the user sees what runs.
    SendMessageA(SearchBox, EM_LIMITTEXT, TARGET_SIZE - 1, 0);
    SetTabOrder();
    OriginalListProc = (WNDPROC)SetWindowLongPtrA(MainList, GWLP_WNDPROC, (LONG_PTR)MainListProc);
}

static void LayOutMainControls(int dpi)
{
    for (const MainControlPlan& control : MainControls) {
        PixelRect rect = ScaledRect(control.rect, dpi);
        MoveWindow(*control.handle, rect.x, rect.y, rect.width, rect.height, TRUE);
    }
}

// Fonts for the window's scale; the ones they replace are given back.
static void SetMainFonts(int dpi, BOOL redraw)
{
    HFONT oldList = ListFont, oldText = TextFont;
    ListFont = CreateScaledFont("verdana", 11, 400, dpi);
    TextFont = CreateGuiFont(dpi);
    for (const MainControlPlan& control : MainControls)
        SendMessageA(*control.handle, WM_SETFONT, (WPARAM)(control.listFont ? ListFont : TextFont), redraw);
    ReleaseFont(oldList);
    ReleaseFont(oldText);
}

static LRESULT OnCreate(HWND window)
{
    SetWindowTextA(window, MAIN_WINDOW_TITLE);
    SetUpPlacement(&MainPlacement, window, SettingsFilePath, "MAINWIN", 1);
    ProgramDirectoryOf(ProgramPath, ProgramDirectory, PATH_BUFFER, SystemLeadByte);
    SetDataFilePath();
    int dpi = WindowDpi(window);
    CreateMainControls(window, dpi);
    SetMainFonts(dpi, FALSE);
    EnableWindow(DeleteList, FALSE);
    ShowWindow(DeleteList, SW_HIDE);
    LogoBitmap = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(IDB_LOGO));
    if (LogoBitmap == NULL)
        MessageBoxA(window, "Could not load Image !", "Error", MB_ICONWARNING);
    LoadListsOrEnd();
    OriginalSearchBoxProc =
        (WNDPROC)SetWindowLongPtrA(SearchBox, GWLP_WNDPROC, (LONG_PTR)SearchBoxProc);
    // Focusing a control activates its window: a hidden start keeps no hidden window active,
    // whose search line's caret would blink, and wake the program, for ever.
    if (!HiddenStart)
        SetFocus(SearchBox);
    MainWindow = window;
    CreateTrayIcon();
    SetWindowTextA(StatusLine, "");
    if (!HiddenStart) {
        RestorePlacement(&MainPlacement);
        PresentMainWindow();
    }
    return 0;
}

// Delete mode asks for a choice; otherwise the line is hidden, as it would cover the last
// names. A note from the search line gives way to this when the text changes.
static void ShowModeStatus()
{
    SetWindowTextA(StatusLine, DeleteMode != 0 ? DeleteModeStatus : "");
    ShowWindow(StatusLine, DeleteMode != 0 ? SW_SHOW : SW_HIDE);
}

// A file another program holds cannot be deleted from either: delete mode waits for it.
static void EnterDeleteMode()
{
    DeleteMode = 1;
    if (!ReloadLists()) {
        DeleteMode = 0;
        MessageBoxA(MainWindow, DataFileBusyText, "Error", MB_ICONWARNING);
        return;
    }
    ForgetTypedDeleteChoice();
    ShowModeStatus();
    EnableWindow(DeleteList, TRUE);
    ShowWindow(DeleteList, SW_SHOW);
    EnableWindow(MainList, FALSE);
    ShowWindow(MainList, SW_HIDE);
}

// A failed save keeps delete mode and the selection, so the user can try again. Delete
// mode is back on before the message box, whose loop lets an add end it meanwhile.
static void FinishDeleteMode()
{
    DeleteMode = 2;
    bool selected[TABLE_CAPACITY] = {};
    ReadDeleteSelection(selected);
    if (!DeleteShortcuts(selected)) {
        DeleteMode = 1;
        MessageBoxA(MainWindow, SaveFailedText, "Error", MB_ICONWARNING);
        return;
    }
    PlayEventSound(DeleteSoundPath);
    LeaveDeleteMode();
    ReloadListsAfterChange(MainWindow);
}

static void OnDeleteButton()
{
    if (DeleteMode == 0)
        EnterDeleteMode();
    else if (DeleteMode == 1)
        FinishDeleteMode();
}

static void LaunchListSelection()
{
    if (LaunchSoundEnabled)
        PlayEventSound(LaunchSoundPath);
    HideMainWindow();
    LaunchSelected();
}

// The user picked a name: in delete mode that only marks it; otherwise it launches.
static void OnListSelectionChange()
{
    SetWindowTextA(SearchBox, "");
    if (DeleteMode == 0 && !ListKeyAtWork)
        LaunchListSelection();
}

// Enter where the search line does not take it: the list opens its name, a button is
// pressed.
static void OnEnter()
{
    HWND focus = GetFocus();
    if (focus == MainList) {
        SetWindowTextA(SearchBox, "");
        LaunchListSelection();
    }
    else if (focus == RunButton || focus == AddButton || focus == DeleteButton || focus == OptionButton)
        SendMessageA(focus, BM_CLICK, 0, 0);
}

// Run leaves the window up, ready for the next line.
static void OnRun()
{
    RunTypedCommand();
    if (IsWindowVisible(MainWindow))
        SetFocus(SearchBox);
}

static void OnClose()
{
    SavePlacement(&MainPlacement);
    HideMainWindow();
}

// Enter and Escape come from the dialog keys as IDOK and IDCANCEL; Escape hides the window
// as its close box does.
static void OnCommand(WPARAM wParam)
{
    switch (wParam) {
    case IDOK:       OnEnter(); break;
    case IDCANCEL:   OnClose(); break;
    case IDC_RUN:    OnRun(); break;
    case IDC_ADD:    ShowAddWindow(); break;
    case IDC_DELETE: OnDeleteButton(); break;
    case IDC_OPTION: OpenOptionsDialog(); break;
    case MAKEWPARAM(IDC_SEARCHBOX, EN_CHANGE): ShowModeStatus(); break;
    default:
        if (HIWORD(wParam) == LBN_SELCHANGE)
            OnListSelectionChange();
        break;
    }
    PrefixSearch();
}

// A shell that starts again has lost every icon: Jumplet's goes back whether the window is
// shown or hidden. A hidden window is hidden once more; a shown one is left as it is.
static LRESULT OnTaskbarCreated(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    AddTrayIcon();
    if (IsWindowVisible(window))
        return DefWindowProcA(window, message, wParam, lParam);
    HideMainWindow();
    return 0;
}

// Windows lets a process take the front only under conditions that a low-level hook does
// not meet; the last input provider may. A relative mouse move by nothing makes Jumplet
// that, and moves nothing.
static void EarnTheFront()
{
    INPUT nothing;
    ZeroMemory(&nothing, sizeof(nothing));
    nothing.type = INPUT_MOUSE;
    nothing.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &nothing, sizeof(nothing));
}

// Alt, with a key that no program has between its press and release, so that no menu opens
// when it comes up: Windows documents a press of Alt as lifting its lock on the front.
static void PressAltAlone()
{
    const WORD keys[] = {VK_MENU, UNASSIGNED_KEY, UNASSIGNED_KEY, VK_MENU};
    INPUT inputs[ALT_ALONE_EVENTS];
    ZeroMemory(inputs, sizeof(inputs));
    for (int i = 0; i < ALT_ALONE_EVENTS; i++) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i < ALT_ALONE_EVENTS / 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(ALT_ALONE_EVENTS, inputs, sizeof(INPUT));
}

// Windows may refuse the front all the same, saying nothing; the window that is in front
// tells. Alt is pressed once, and the front asked for again.
static void TakeTheFront()
{
    SetForegroundWindow(MainWindow);
    if (GetForegroundWindow() == MainWindow)
        return;
    PressAltAlone();
    SetForegroundWindow(MainWindow);
}

// A second start asks for the window; it comes up ready for typing, as from the tray,
// but keeps the text of the search line.
static void OnShowRequest()
{
    ShowMainWindow();
    TakeTheFront();
    SetFocus(SearchBox);
}

// The chosen key: the window comes up in front, its search line empty and ready.
static void BringUpMainWindow()
{
    ShowMainWindow();
    UpdateWindow(MainWindow);
    EarnTheFront();
    TakeTheFront();
    UpdateWindow(MainWindow);
    // Emptied before it takes the keys, so that nothing typed at once is lost with the old text.
    SetWindowTextA(SearchBox, "");
    SetFocus(SearchBox);
}

static void OnHookKey(WPARAM action)
{
    switch (action) {
    case HOOK_BRING_UP: BringUpMainWindow(); break;
    case HOOK_UP:       MoveMainListSelection(true); break;
    case HOOK_DOWN:     MoveMainListSelection(false); break;
    }
}

// Another instance's options chose another key; a hand edit of the file counts from the
// next start.
static void OnHotkeyChanged(WPARAM index)
{
    ChosenHotkey = (int)index;
    SetHotkeyCode(HotkeyCodeOf(ChosenHotkey));
}

// A tray program is seldom quit: the end of the Windows session is its Quit. Windows ends
// the process after a logoff's message; an installer's Restart Manager (ENDSESSION_CLOSEAPP)
// leaves the session running and waits for the program to end by itself.
static void OnEndSession(WPARAM ending, LPARAM how)
{
    if (!ending)
        return;
    if (how & ENDSESSION_CLOSEAPP)
        QuitApplication();
    else
        SaveOptions();
}

// Moved to a monitor of another scale, or the scale changed: the suggested rectangle, the
// controls laid out again, fonts and icons made again.
static void OnDpiChanged(HWND window, WPARAM dpis, LPARAM suggestedRect)
{
    int dpi = TakeNewScale(window, dpis, suggestedRect);
    LayOutMainControls(dpi);
    SetMainFonts(dpi, TRUE);
    FollowTrayScale();
}

// Typing goes to the search line whenever the window comes up. A hidden window made
// active (the tray menu's owner) keeps the keys itself: a line nobody sees would take
// them, and Enter or Space would run what they spelled.
static void OnSetFocus(HWND window)
{
    if (IsWindowVisible(window))
        SetFocus(SearchBox);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TaskbarCreatedMessage)
        return OnTaskbarCreated(window, message, wParam, lParam);
    if (message == ShowRequestMessage) {
        OnShowRequest();
        return 0;
    }
    if (message == HotkeyChangedMessage) {
        OnHotkeyChanged(wParam);
        return 0;
    }
    if (message == HookTestMessage)
        return AnswerHookTest(wParam);
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_PAINT:
        PaintLogo(window, 23, 14);
        return 0;
    case WM_COMMAND:
        OnCommand(wParam);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            OnClose();
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        // A hidden window comes back with an empty line, which a note no longer fits.
        if (!wParam)
            ShowModeStatus();
        break;
    case WM_DROPFILES:
        OnMainWindowDrop((HDROP)wParam);
        break;
    case TrayCallbackMessage:
        OnTrayCallback(lParam);
        break;
    case HookKeyMessage:
        OnHookKey(wParam);
        return 0;
    case HookFailedMessage:
        TellHookFailed();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam, lParam);
        return 0;
    case WM_DISPLAYCHANGE:
    case WM_SETTINGCHANGE:
        FollowTrayScale();
        break;
    case WM_TIMER:
        if (wParam == IDT_TRAY_RETRY)
            RetryTrayIcon();
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(window);
        return 0;
    case WM_NEXTDLGCTL:
        MoveToNextControl(window, wParam, lParam);
        return 0;
    case WM_CLOSE:
        // Not the close box (SC_CLOSE hides): another program asks Jumplet to end. Left to
        // DefWindowProcA, the window would go and the process would live on, holding the
        // instance mutex with no window for the next start to find.
        QuitApplication();
        return 0;
    case WM_ENDSESSION:
        OnEndSession(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
