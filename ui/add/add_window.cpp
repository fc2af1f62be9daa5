// The add form: a name, a type, and the target the type calls for.
#include "ui/add/add_window.h"
#include <commdlg.h>
#include <shlobj.h>
#include "base/ansi_path.h"
#include "base/late_library.h"
#include "base/program.h"
#include "res/resource.h"
#include "settings/settings.h"
#include "store/data_text.h"
#include "store/store.h"
#include "ui/add/drop.h"
#include "ui/shared/fonts.h"
#include "ui/shared/lists.h"
#include "ui/shared/placement.h"
#include "ui/shared/scaling.h"
#include "ui/shared/window_state.h"

static char FolderPathBuffer[PATH_BUFFER];

enum { TYPE_FILE, TYPE_FOLDER, TYPE_WEB_ADDRESS, TYPE_MESSAGE, TYPE_COUNT };
static const char* const TypeNames[TYPE_COUNT] = {"File", "Folder", "Web address", "Message"};

static HWND NameLabel, TypeLabel, OnClickGroup, OkButton;
// The control that had the keyboard last, given it back when the window is active again.
static HWND LastFocus;
static HFONT FormFont;

// The controls as written for 96 DPI, in the order they are made.
struct FormControlPlan {
    const char* className;
    const char* text;
    DWORD style;
    PixelRect rect;
    int id;
    HWND* handle;
};

static const FormControlPlan FormControls[] = {
    {"static", "Name", 0, {5, 18, 120, 18}, 0, &NameLabel},
    {"static", "Type", 0, {5, 55, 120, 18}, 0, &TypeLabel},
    {"button", "On Click ..", BS_GROUPBOX, {10, 100, 210, 70}, 0, &OnClickGroup},
    {"EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, {22, 130, 140, 21}, 0, &TargetEdit},
    {"EDIT", "", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, {55, 15, 155, 21}, 0, &NameEdit},
    {"combobox", NULL, CBS_DROPDOWN | WS_TABSTOP, {55, 56, 155, 110}, 0, &TypeCombo},
    {"button", "OK", WS_TABSTOP, {170, 128, 40, 25}, IDC_ADD_OK, &OkButton},
};

// Tab goes from the name to the type, the target and OK, as the form reads; the controls
// are made in another order, so the keyboard's order is set apart from it.
static void SetTabOrder()
{
    SetWindowPos(NameEdit, OnClickGroup, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(TypeCombo, NameEdit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

static void CreateFormControls(HWND window, int dpi)
{
    for (const FormControlPlan& control : FormControls) {
        PixelRect rect = ScaledRect(control.rect, dpi);
        *control.handle = CreateWindowExA(0, control.className, control.text, WS_CHILD | WS_VISIBLE | control.style,
                                          rect.x, rect.y, rect.width, rect.height, window, (HMENU)(INT_PTR)control.id,
                                          AppInstance, NULL);
    }
    // The form takes as much as a name can hold and no more, whatever the box's width, so
    // what it shows is what is stored.
    SendMessageA(NameEdit, EM_LIMITTEXT, NAME_SIZE - 1, 0);
    SetTabOrder();
}

static void LayOutFormControls(int dpi)
{
    for (const FormControlPlan& control : FormControls) {
        PixelRect rect = ScaledRect(control.rect, dpi);
        MoveWindow(*control.handle, rect.x, rect.y, rect.width, rect.height, TRUE);
    }
}

// The window makes its font for itself, at its own scale; the one it replaces is given back.
static void SetFormFont(int dpi, BOOL redraw)
{
    HFONT old = FormFont;
    FormFont = CreateScaledFont("verdana", 11, 400, dpi);
    for (const FormControlPlan& control : FormControls)
        SendMessageA(*control.handle, WM_SETFONT, (WPARAM)FormFont, redraw);
    ReleaseFont(old);
}

static LRESULT OnCreate(HWND window)
{
    SetUpPlacement(&AddPlacement, window, SettingsFilePath, "ADDWIN", 2);
    int dpi = WindowDpi(window);
    CreateFormControls(window, dpi);
    SetFormFont(dpi, FALSE);
    AddItemWindow = window;
    EnableWindow(TargetEdit, FALSE);
    for (const char* typeName : TypeNames)
        SendMessageA(TypeCombo, CB_ADDSTRING, 0, (LPARAM)typeName);
    return 0;
}

// The dialogs hand over the path in Unicode, so that one the data file cannot hold is
// seen and refused instead of being stored as a near miss. Empty when refused.
static void TakeChosenPath(HWND owner, const WCHAR* chosen, char* path)
{
    PathConversion conversion = AnsiPathFromWide(chosen, path, PATH_BUFFER);
    if (conversion != PATH_CONVERTED)
        RefusePath(owner, conversion);
}

// The common dialogs' library brings the printing libraries with it.
typedef BOOL(WINAPI* OpenFileDialog)(OPENFILENAMEW*);

static BOOL ShowOpenFileDialog(OPENFILENAMEW* dialog)
{
    OpenFileDialog show = (OpenFileDialog)(void*)LateFunction("comdlg32.dll", "GetOpenFileNameW");
    return show != NULL && show(dialog);
}

// The full path chosen in an open-file dialog into file, or empty text when the user
// cancels.
static void BrowseForFile(HWND owner, const WCHAR* filter, const WCHAR* defaultExtension,
                          char* file)
{
    file[0] = '\0';
    WCHAR chosen[PATH_BUFFER] = L"";
    OPENFILENAMEW dialog;
    ZeroMemory(&dialog, sizeof(dialog));
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = PATH_BUFFER;
    // The program's current folder stays where it started: launched programs start there,
    // and a folder that is some process's current one cannot be deleted or renamed.
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    dialog.lpstrDefExt = defaultExtension;
    if (ShowOpenFileDialog(&dialog))
        TakeChosenPath(owner, chosen, file);
}

// Nonzero when a folder was chosen and its path is in path.
static int BrowseForFolder(HWND owner, char* path, const WCHAR* title)
{
    path[0] = '\0';
    WCHAR chosen[PATH_BUFFER] = L"";
    BROWSEINFOW browse;
    ZeroMemory(&browse, sizeof(browse));
    browse.hwndOwner = owner;
    browse.pszDisplayName = chosen;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST list = SHBrowseForFolderW(&browse);
    if (list == NULL)
        return 0;
    int converted = SHGetPathFromIDListW(list, chosen);
    CoTaskMemFree(list);
    if (converted)
        TakeChosenPath(owner, chosen, path);
    return path[0] != '\0';
}

// A message's stored line holds its prefix too, so it can take fewer characters.
static void LimitTarget(int characters)
{
    SendMessageA(TargetEdit, EM_LIMITTEXT, characters, 0);
}

static void ChooseFile()
{
    MessageTypeFlag = 0;
    LimitTarget(TARGET_SIZE - 1);
    EnableWindow(TargetEdit, FALSE);
    SetWindowTextA(TypeCombo, "File");
    SetWindowTextA(TargetEdit, "");
    static const WCHAR filter[] = L"All Files (*.*)\0*.*\0";
    char file[PATH_BUFFER];
    BrowseForFile(AddItemWindow, filter, L"*.*", file);
    PutFormText(TargetEdit, file);
}

static void ChooseFolder()
{
    MessageTypeFlag = 0;
    LimitTarget(TARGET_SIZE - 1);
    EnableWindow(TargetEdit, FALSE);
    SetWindowTextA(TypeCombo, "Folder");
    SetWindowTextA(TargetEdit, "");
    if (BrowseForFolder(AddItemWindow, FolderPathBuffer, L"Please Select a Folder.."))
        PutFormText(TargetEdit, FolderPathBuffer);
}

static void ChooseWebAddress()
{
    MessageTypeFlag = 0;
    LimitTarget(TARGET_SIZE - 1);
    EnableWindow(TargetEdit, TRUE);
    SetFocus(TargetEdit);
    PutFormText(TargetEdit, "www.");
}

static void ChooseMessage()
{
    MessageTypeFlag = 1;
    LimitTarget(MESSAGE_TEXT_MAX);
    SetWindowTextA(TargetEdit, "");
    EnableWindow(TargetEdit, TRUE);
    SetFocus(TargetEdit);
}

// Text typed into the box selects nothing, and is no choice.
static void OnTypeChosen()
{
    int chosen = (int)SendMessageA(TypeCombo, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR)
        return;
    SetFocus(TargetEdit);
    switch (chosen) {
    case TYPE_FILE:        ChooseFile(); break;
    case TYPE_FOLDER:      ChooseFolder(); break;
    case TYPE_WEB_ADDRESS: ChooseWebAddress(); break;
    case TYPE_MESSAGE:     ChooseMessage(); break;
    }
}

static const char* RefusalText(NewShortcutCheck check)
{
    switch (check) {
    case NEW_SHORTCUT_NO_NAME:
        return "Please specify a Name for shortcut.";
    case NEW_SHORTCUT_NO_TARGET:
        return "Please Select 'Type' of shortcut from combo-box.\r\n"
               "Make sure On-click box is not empty.";
    case NEW_SHORTCUT_MESSAGE_TOO_LONG:
        return "A message can hold at most 249 characters.\r\nPlease shorten it.";
    case NEW_SHORTCUT_TARGET_TOO_LONG:
        return "A target can hold at most 259 characters.";
    case NEW_SHORTCUT_BAD_CHARACTER:
        return "A name or target cannot hold a line break.";
    case NEW_SHORTCUT_TABLE_FULL:
        return "Jumplet holds at most 256 shortcuts.\r\n"
               "Please delete some before adding new ones.";
    case NEW_SHORTCUT_OK:
        break;
    }
    return "";
}

// The OK button: the form goes to the data file, and the lists show it at once. A refused
// or failed add keeps the form as it is, so nothing typed is lost.
static void AddShortcut()
{
    // Read whole and cut here between two characters, as the system's own cut at the
    // field's 30 bytes might leave half of one.
    char name[PATH_BUFFER] = "";
    GetWindowTextA(NameEdit, name, PATH_BUFFER);
    name[WholeCharacters(name, strlen(name), NAME_SIZE - 1, SystemLeadByte)] = '\0';
    // One byte more than a target holds, so that a longer text is seen and refused
    // instead of being stored cut.
    char target[TARGET_SIZE + 1] = "";
    GetWindowTextA(TargetEdit, target, TARGET_SIZE + 1);
    bool saved = false;
    NewShortcutCheck check = AppendShortcut(name, target, MessageTypeFlag == 1, &saved);
    if (check != NEW_SHORTCUT_OK) {
        MessageBoxA(AddItemWindow, RefusalText(check), "Error", MB_ICONINFORMATION);
        return;
    }
    if (!saved) {
        MessageBoxA(AddItemWindow, SaveFailedText, "Error", MB_ICONWARNING);
        return;
    }
    if (DeleteMode != 0)
        LeaveDeleteMode();
    ReloadListsAfterChange(AddItemWindow);
    SetWindowTextA(TargetEdit, "");
    SetWindowTextA(NameEdit, "");
    if (LaunchSoundEnabled)
        PlayEventSound(LaunchSoundPath);
}

static void OnClose(HWND window)
{
    SavePlacement(&AddPlacement);
    ShowWindow(window, SW_HIDE);
}

// The type is acted on when the user has made the choice: the open list closed on it (a
// click, Enter), or the box left with another type in it (Tab), never at each arrow key that
// passes through "File" or "Folder" on the way. The box's notices come in another order on
// each system, so the choice is taken once they are all in: by a message posted to the form.
enum { TYPE_CHOICE_MESSAGE = WM_APP + 20 };
// The selection changed since the type was last acted on.
static bool TypeChanged;
// The open list was last closed by a choice, not given up with Escape or a click elsewhere.
static bool ListClosedOnChoice;

// A focus gone to another program leaves the choice for the user's return.
static void OnTypeChoiceDue()
{
    HWND focus = GetFocus();
    if (!TypeChanged || focus == NULL || !IsChild(AddItemWindow, focus))
        return;
    TypeChanged = false;
    OnTypeChosen();
}

static void OnTypeNotification(WORD notification)
{
    switch (notification) {
    case CBN_SELCHANGE:    TypeChanged = true; break;
    case CBN_DROPDOWN:     ListClosedOnChoice = false; break;
    case CBN_SELENDOK:     ListClosedOnChoice = true; break;
    case CBN_SELENDCANCEL: ListClosedOnChoice = false; break;
    case CBN_CLOSEUP:
        if (ListClosedOnChoice)
            PostMessageA(AddItemWindow, TYPE_CHOICE_MESSAGE, 0, 0);
        break;
    case CBN_KILLFOCUS:    PostMessageA(AddItemWindow, TYPE_CHOICE_MESSAGE, 0, 0); break;
    }
}

// Enter and Escape come from the message loop's dialog keys as IDOK and IDCANCEL: Enter
// presses OK, Escape closes the form as its close box does. Enter in a box that shows a
// type not yet acted on takes that type instead, and adds nothing.
static void OnCommand(HWND window, WPARAM wParam, LPARAM lParam)
{
    if ((HWND)lParam == TypeCombo)
        OnTypeNotification(HIWORD(wParam));
    if (wParam == IDOK && TypeChanged)
        OnTypeChoiceDue();
    else if (wParam == IDC_ADD_OK || wParam == IDOK)
        AddShortcut();
    if (wParam == IDCANCEL)
        OnClose(window);
}

// As a dialog does: going inactive, the window remembers which control had the keyboard;
// coming back, that control has it again (the name at first), never the window itself.
static void OnActivate(WPARAM state)
{
    HWND focus = GetFocus();
    if (LOWORD(state) == WA_INACTIVE) {
        if (focus != NULL && IsChild(AddItemWindow, focus))
            LastFocus = focus;
        return;
    }
    SetFocus(LastFocus != NULL && IsWindowEnabled(LastFocus) ? LastFocus : NameEdit);
}

static void OnDpiChanged(HWND window, WPARAM dpis, LPARAM suggestedRect)
{
    int dpi = TakeNewScale(window, dpis, suggestedRect);
    LayOutFormControls(dpi);
    SetFormFont(dpi, TRUE);
}

LRESULT CALLBACK AddWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        break;
    case WM_COMMAND:
        OnCommand(window, wParam, lParam);
        break;
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_NEXTDLGCTL:
        MoveToNextControl(window, wParam, lParam);
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, wParam, lParam);
        return 0;
    case TYPE_CHOICE_MESSAGE:
        OnTypeChoiceDue();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            OnClose(window);
            return 0;
        }
        break;
    case WM_CLOSE:
        // From another program: the form hides as for its close box; destroyed, it would
        // leave a handle to nothing behind.
        OnClose(window);
        return 0;
    case WM_DROPFILES:
        OnAddWindowDrop((HDROP)wParam);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
