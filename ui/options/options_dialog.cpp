// The More Options dialog. It keeps no state of its own beyond its controls: it reads the
// options when it opens and writes through the settings, auto-start and restart code.
// Its procedure answers FALSE to every message, WM_INITDIALOG included, so no control is
// given the focus on opening.
#include "ui/options/options_dialog.h"
#include <commctrl.h>
#include "base/late_library.h"
#include "base/program.h"
#include "base/site.h"
#include "res/resource.h"
#include "settings/auto_start.h"
#include "settings/hotkey_choices.h"
#include "settings/settings.h"
#include "ui/options/restart.h"
#include "ui/shared/fonts.h"
#include "ui/shared/image_button.h"
#include "ui/shared/window_state.h"

#define ShareMessage                                                                      \
    "Hey Friends ! Checkout Jumplet Software - an amazing shortcut tool for your Windows " \
    "PC at " SITE_ADDRESS

static const char AboutText[] =
    "Jumplet is a shortcut tool that helps\r\nyou to launch your favourite file, folder\r\n"
    "and websites faster.\r\n";
static const char HotkeyOffText[] =
    "The Keyboard Shortcut Feature is now disabled.\r\nYou can enable it again from here.";
static const char RestartQuestion[] =
    "Keyboard Shortcut Feature is disabled.\nApplication needs to be restarted to\n"
    "enable this feature again.\nPress YES to restart, NO to cancel.";

enum { SHARE_BUTTON_COUNT = 4, LOGO_X = 15, LOGO_Y = 10 };

struct ShareButton {
    int controlId;
    WORD normal;
    WORD hover;
    WORD pressed;
    const char* tip;
    // Handed to the shell as it stands: the share sites take the text unencoded.
    const char* address;
};

// In the order of OpenShareLink's numbers.
static const ShareButton ShareButtons[SHARE_BUTTON_COUNT] = {
    {IDC_OPT_FB, IDB_SHARE_FB, IDB_SHARE_FB_HOVER, IDB_SHARE_FB, "Share On Facebook",
     FACEBOOK_ADDRESS},
    {IDC_OPT_TW, IDB_SHARE_TW, IDB_SHARE_TW_HOVER, IDB_SHARE_TW, "Share On Twitter",
     TWITTER_SHARE_ADDRESS "Visit " SITE_ADDRESS "&text=" ShareMessage "&count=horiztonal"},
    {IDC_OPT_GP, IDB_SHARE_GP, IDB_SHARE_GP_HOVER, IDB_SHARE_GP, "Share On Google+",
     GOOGLEPLUS_ADDRESS},
    {IDC_OPT_KV, IDB_VISIT, IDB_VISIT_HOVER, IDB_VISIT, "Visit " SITE_HOST, HOME_PAGE_ADDRESS},
};

// Attached anew at each opening; their bitmaps and the font are given back once the dialog
// has gone, so that opening it again and again costs nothing for good.
static ImageButton ShareImageButtons[SHARE_BUTTON_COUNT];
static HFONT AboutFont;
// While the dialog is open: the four records above belong to it and cannot serve a second.
static HWND OptionsDialog;
// A Run key that refuses changes is told once per opening, not at every click.
static bool AutoStartFailureTold;

bool AddTooltip(HWND dialog, const char* text, int controlId, bool balloon)
{
    typedef BOOL(WINAPI * InitControls)(const INITCOMMONCONTROLSEX*);
    InitControls initControls = (InitControls)(void*)LateFunction("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES};
    if (initControls != NULL)
        initControls(&classes);
    DWORD style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | (balloon ? TTS_BALLOON : 0);
    HWND tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, style, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, NULL,
                                   AppInstance, NULL);
    SendMessageA(tooltip, TTM_ACTIVATE, TRUE, 0);
    TOOLINFOA tool;
    ZeroMemory(&tool, sizeof(tool));
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = (UINT_PTR)GetDlgItem(dialog, controlId);
    tool.hinst = AppInstance;
    tool.lpszText = (char*)text;
    return SendMessageA(tooltip, TTM_ADDTOOLA, 0, (LPARAM)&tool) != FALSE;
}

void OpenShareLink(int which)
{
    if (which < 1 || which > SHARE_BUTTON_COUNT)
        return;
    ShellExecuteA(NULL, "open", ShareButtons[which - 1].address, NULL, NULL, SW_SHOWNORMAL);
}

static void OpenHelp()
{
    HINSTANCE opened = ShellExecuteA(NULL, "open", HelpFilePath, NULL, NULL, SW_SHOWMAXIMIZED);
    if ((INT_PTR)opened <= 32)
        ShellExecuteA(NULL, "open", ONLINE_HELP_ADDRESS, NULL, NULL, SW_SHOWNORMAL);
}

static void AttachShareButtons(HWND dialog)
{
    for (int i = 0; i < SHARE_BUTTON_COUNT; i++) {
        const ShareButton& share = ShareButtons[i];
        AttachImageButton(&ShareImageButtons[i], dialog, share.controlId, share.normal,
                          share.hover, share.pressed);
    }
}

static void ResetShareButtons()
{
    for (ImageButton& button : ShareImageButtons)
        ResetImageButton(&button);
}

static void AddTooltips(HWND dialog)
{
    for (const ShareButton& share : ShareButtons)
        AddTooltip(dialog, share.tip, share.controlId, false);
    AddTooltip(dialog, "Invoke at startup ?", IDC_OPT_AUTOSTART, false);
}

// A stored index outside the table leaves the list without a selection.
static void FillHotkeyList(HWND dialog)
{
    for (const HotkeyChoice& choice : HotkeyChoices)
        SendDlgItemMessageA(dialog, IDC_OPT_HOTKEY, CB_ADDSTRING, 0, (LPARAM)choice.text);
    SendDlgItemMessageA(dialog, IDC_OPT_HOTKEY, CB_SETCURSEL, ChosenHotkey, 0);
}

// Checked by the same test as the tray's check mark, so that the two always agree.
static void ShowAutoStartState(HWND dialog)
{
    CheckDlgButton(dialog, IDC_OPT_AUTOSTART, AutoStartEnabled != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void ShowAutoStartInOptions()
{
    if (OptionsDialog != NULL)
        ShowAutoStartState(OptionsDialog);
}

// The system scales the dialog itself, its own font and its controls, to a new monitor's
// scale; the font given to the about text is the dialog's to make again.
static void SetAboutFont(HWND dialog, int dpi, BOOL redraw)
{
    HFONT old = AboutFont;
    AboutFont = CreateScaledFont("verdana", 9, 400, dpi);
    SendDlgItemMessageA(dialog, IDC_OPT_ABOUT, WM_SETFONT, (WPARAM)AboutFont, redraw);
    if (old != NULL)
        DeleteObject(old);
}

static void OnInitDialog(HWND dialog)
{
    OptionsDialog = dialog;
    AutoStartFailureTold = false;
    if (LogoBitmap == NULL)
        LogoBitmap = LoadBitmapA(AppInstance, MAKEINTRESOURCEA(IDB_LOGO));
    SetWindowTextA(dialog, OPTIONS_DIALOG_TITLE);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog);
    SetDlgItemTextA(dialog, IDC_OPT_ABOUT, AboutText);
    SetAboutFont(dialog, WindowDpi(dialog), FALSE);
    AttachShareButtons(dialog);
    FillHotkeyList(dialog);
    AddTooltips(dialog);
    ShowAutoStartState(dialog);
    CheckDlgButton(dialog, IDC_OPT_SOUND, LaunchSoundEnabled ? BST_CHECKED : BST_UNCHECKED);
}

// Only a click on the box itself (or Space on it) writes the Run value: security tools
// watch that key and warn at each write. When the registry refuses, the box goes back to
// the state that holds.
static void FollowAutoStartBox(HWND dialog)
{
    bool wanted = IsDlgButtonChecked(dialog, IDC_OPT_AUTOSTART) == BST_CHECKED;
    bool done = ChangeAutoStart(wanted);
    ShowAutoStartState(dialog);
    if (done || AutoStartFailureTold)
        return;
    AutoStartFailureTold = true;
    TellAutoStartFailed(dialog);
}

// Saved at once, as the key is: a crash or a kill must not lose it.
static void FollowSoundBox(HWND dialog)
{
    LaunchSoundEnabled = IsDlgButtonChecked(dialog, IDC_OPT_SOUND) == BST_CHECKED;
    LaunchSoundSetting(true);
}

// The new key is stored and works at once, in every running instance: each takes it from
// the broadcast. Only a hook that was never installed needs a start to take it.
static void OnHotkeyChosen(HWND dialog)
{
    int index = (int)SendDlgItemMessageA(dialog, IDC_OPT_HOTKEY, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    ChosenHotkey = index;
    HotkeySetting(index, true);
    PostMessageA(HWND_BROADCAST, HotkeyChangedMessage, index, 0);
    if (index == HOTKEY_NONE_INDEX)
        MessageBoxA(dialog, HotkeyOffText, "Message", MB_ICONINFORMATION);
    if (HotkeyMissing &&
        MessageBoxA(dialog, RestartQuestion, "Confirm", MB_ICONQUESTION | MB_YESNO) == IDYES)
        RestartProgram();
}

static void OnCommand(HWND dialog, WPARAM wParam)
{
    if (LOWORD(wParam) == IDC_OPT_AUTOSTART && HIWORD(wParam) == BN_CLICKED)
        FollowAutoStartBox(dialog);
    if (LOWORD(wParam) == IDC_OPT_SOUND && HIWORD(wParam) == BN_CLICKED)
        FollowSoundBox(dialog);
    if (HIWORD(wParam) == CBN_SELCHANGE && LOWORD(wParam) == IDC_OPT_HOTKEY)
        OnHotkeyChosen(dialog);
    // Enter is the Help button's, the default; Escape (IDCANCEL) does nothing.
    switch (LOWORD(wParam)) {
    case IDC_OPT_HELP: OpenHelp(); break;
    case IDC_OPT_FB:   OpenShareLink(1); break;
    case IDC_OPT_TW:   OpenShareLink(2); break;
    case IDC_OPT_GP:   OpenShareLink(3); break;
    case IDC_OPT_KV:   OpenShareLink(4); break;
    }
}

static INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(dialog); break;
    case WM_COMMAND:    OnCommand(dialog, wParam); break;
    case WM_PAINT:      PaintLogo(dialog, LOGO_X, LOGO_Y); break;
    case WM_MOUSEMOVE:  ResetShareButtons(); break;
    case WM_DPICHANGED: SetAboutFont(dialog, HIWORD(wParam), TRUE); break;
    case WM_CLOSE:
    case WM_DESTROY:    EndDialog(dialog, 0); break;
    }
    return FALSE;
}

static void ReleaseDialogResources()
{
    for (ImageButton& button : ShareImageButtons)
        ReleaseImageButton(&button);
    if (AboutFont != NULL)
        DeleteObject(AboutFont);
    AboutFont = NULL;
}

void OpenOptionsDialog()
{
    if (OptionsDialog != NULL) {
        SetForegroundWindow(OptionsDialog);
        return;
    }
    DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_OPTIONS), NULL, OptionsDialogProc, 0);
    OptionsDialog = NULL;
    ReleaseDialogResources();
}
