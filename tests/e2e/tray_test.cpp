// The tray icon and its menu as a user meets them: clicks on the icon, the menu's commands,
// start at logon through the Run value, and the icon's return after the shell restarts.
#include "forms.h"

#include <shellapi.h>

namespace e2e {
namespace {

// The menu's items from the top; an open menu cannot be read from another process, so
// they are reached with Down.
enum TrayItem { kInvokeAtStartup, kAddNewShortcut, kMoreOptions, kQuitApplication, kTrayItems };

constexpr UINT kTrayIconId = 300;
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::vector<Window> TrayIcons()
{
    std::vector<Window> icons;
    for (const Window& tray : TopLevelWindows("__winex11_standalone_tray"))
        for (const Window& icon : ChildrenOf(tray))
            if (icon.IsVisible())
                icons.push_back(icon);
    return icons;
}

Window OpenPopupMenu()
{
    for (const Window& menu : TopLevelWindows("#32768"))
        if (menu.IsVisible())
            return menu;
    return Window();
}

// The menu opens on pressing the right button on the icon. A second press within the
// double-click time is a double click, which opens nothing, so presses are spaced.
Window OpenTrayMenu()
{
    static DWORD lastPress = GetTickCount() - 10000;
    Window icon, menu;
    EXPECT_TRUE(WaitUntil([&] { return (bool)(icon = NewestTrayIcon()); })) << "no tray icon";
    DWORD since = GetTickCount() - lastPress;
    if (since <= GetDoubleClickTime())
        Sleep(GetDoubleClickTime() - since + 100);
    user::RightClick(icon.Centre());
    lastPress = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return (bool)(menu = OpenPopupMenu()); })) << "the tray menu did not open";
    return menu;
}

void WaitForMenuToClose()
{
    ASSERT_TRUE(WaitUntil([] { return !OpenPopupMenu(); })) << "the tray menu did not close";
}

void ChooseFromTrayMenu(TrayItem item)
{
    if (!OpenTrayMenu())
        return;
    for (int i = 0; i <= item; i++)
        user::PressKey(VK_DOWN);
    user::PressKey(VK_RETURN);
    WaitForMenuToClose();
}

void QuitFromTrayMenu(const Instance& app)
{
    ChooseFromTrayMenu(kQuitApplication);
    ASSERT_TRUE(app.WaitForExit()) << "Quit Application did not end the program";
}

// Dark pixels in the check-mark column of a menu item, read off the screen.
int DarkPixelsInCheckColumn(const Window& menu, int item)
{
    RECT r = menu.Rect();
    int itemHeight = (r.bottom - r.top - 4) / kTrayItems;
    int dark = 0;
    HDC screen = GetDC(nullptr);
    for (int y = r.top + 2 + item * itemHeight; y < r.top + 2 + (item + 1) * itemHeight; y++) {
        for (int x = r.left + 2; x < r.left + 18; x++) {
            COLORREF c = GetPixel(screen, x, y);
            if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
                dark++;
        }
    }
    ReleaseDC(nullptr, screen);
    return dark;
}

// Whether "Invoke At Startup" shows its check mark, as the user sees it: its check column
// against that of "Add New Shortcut", which never has one. The mouse is moved off the
// menu so that no item is highlighted.
bool AutoStartItemShowsCheck()
{
    Window menu = OpenTrayMenu();
    if (!menu)
        return false;
    user::MoveMouseTo(POINT{900, 900});
    LetItSettle(300);
    bool checked = DarkPixelsInCheckColumn(menu, kInvokeAtStartup) > DarkPixelsInCheckColumn(menu, kAddNewShortcut);
    user::PressKey(VK_ESCAPE);
    WaitForMenuToClose();
    return checked;
}

DWORD RunValueType()
{
    HKEY key;
    DWORD type = REG_NONE;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, "Jumplet", nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
    }
    return type;
}

void WriteRunValue(const std::string& data)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Jumplet", 0, REG_SZ, (const BYTE*)data.c_str(), (DWORD)data.size() + 1);
    RegCloseKey(key);
}

// Denies everyone the right to change the values under the Run key, as an administrator's
// policy might, until destroyed.
class RunKeyLocked {
public:
    RunKeyLocked()
    {
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, READ_CONTROL | WRITE_DAC, &key_), ERROR_SUCCESS);
        DWORD size = sizeof original_;
        EXPECT_EQ(RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_, &size), ERROR_SUCCESS);
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone_);
        ACL* acl = (ACL*)acl_;
        InitializeAcl(acl, sizeof acl_, ACL_REVISION);
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE, everyone_);
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, everyone_);
        SECURITY_DESCRIPTOR locked;
        InitializeSecurityDescriptor(&locked, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&locked, TRUE, acl, FALSE);
        EXPECT_EQ(RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &locked), ERROR_SUCCESS);
        HKEY probe;
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &probe), ERROR_SUCCESS)
            << "the Run key is still open for changes";
    }

    ~RunKeyLocked()
    {
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, (PSECURITY_DESCRIPTOR)original_);
        RegCloseKey(key_);
        FreeSid(everyone_);
    }

    RunKeyLocked(const RunKeyLocked&) = delete;
    RunKeyLocked& operator=(const RunKeyLocked&) = delete;

private:
    HKEY key_ = nullptr;
    PSID everyone_ = nullptr;
    alignas(8) char original_[1024] = {};
    alignas(8) char acl_[256] = {};
};

class Tray : public JumpletTest {
protected:
    static void Close(const Window& main)
    {
        user::BringToFront(main);
        user::AltF4();
        ASSERT_TRUE(WaitUntil([&] { return !main.IsVisible(); })) << "the main window did not close";
    }
};

// A click brings the window up with an empty search line that has the focus, also when
// the window is up already; a double click acts as two clicks.
TEST_F(Tray, AClickOrADoubleClickBringsUpAnEmptyFocusedSearchLine)
{
    Instance app = jumplet.StartShown();
    MainForm main(app);
    main.TypeSearch("abc");
    Close(main.window);
    ClickTrayIcon();
    ASSERT_TRUE(WaitUntil([&] { return main.window.IsVisible(); }));
    EXPECT_EQ(main.searchBox.Text(), "");
    EXPECT_TRUE(WaitUntil([&] { return main.searchBox.HasFocus(); }));

    SetWindowTextA(main.searchBox.Handle(), "xy");
    user::Click(main.mainList);  // the focus leaves the search line; the empty list opens nothing
    ASSERT_TRUE(WaitUntil([&] { return !main.searchBox.HasFocus(); }));
    user::DoubleClick(NewestTrayIcon().Centre());
    EXPECT_TRUE(WaitUntil([&] { return main.searchBox.Text().empty() && main.searchBox.HasFocus(); }));
    EXPECT_TRUE(main.window.IsVisible());
    EXPECT_FALSE(OpenPopupMenu());
    EXPECT_FALSE(app.AddWindow().IsVisible());
}

TEST_F(Tray, TheMenuRunsItsCommandsAndNothingWhenDismissed)
{
    Instance app = jumplet.StartShown();
    Window main = app.MainWindow();
    Close(main);
    ASSERT_TRUE(OpenTrayMenu());
    user::Click(POINT{900, 900});  // outside the menu
    WaitForMenuToClose();
    LetItSettle();
    EXPECT_FALSE(main.IsVisible());
    EXPECT_FALSE(app.AddWindow().IsVisible());
    EXPECT_FALSE(RunValueExists());
    EXPECT_FALSE(app.HasEnded());

    ChooseFromTrayMenu(kAddNewShortcut);
    EXPECT_TRUE(WaitUntil([&] { return app.AddWindow().IsVisible(); }));

    // Quit takes the icon away and ends the program (what it saves, the settings tests see).
    size_t icons = TrayIcons().size();
    QuitFromTrayMenu(app);
    EXPECT_EQ(app.ExitCode(), 0u);
    EXPECT_EQ(TrayIcons().size(), icons - 1);
}

// Twice restores the registry and the check mark; on, the Run value starts the program
// hidden from a folder with blanks, and the next start shows the check mark from the
// settings file.
TEST_F(Tray, InvokeAtStartupWritesARunValueThatStartsTheProgram)
{
    Jumplet spaced("Jumplet with blanks", "C:\\e2e\\Program Files");
    Instance app = spaced.StartShown();
    const std::string expected = "\"" + spaced.ExePath() + "\" -m";
    EXPECT_FALSE(AutoStartItemShowsCheck());

    ChooseFromTrayMenu(kInvokeAtStartup);
    ASSERT_TRUE(WaitUntil([] { return RunValueExists(); })) << "no Run value";
    EXPECT_EQ(ReadRunValue(), expected);
    EXPECT_EQ(RunValueType(), (DWORD)REG_SZ);
    EXPECT_TRUE(AutoStartItemShowsCheck());

    ChooseFromTrayMenu(kInvokeAtStartup);
    EXPECT_TRUE(WaitUntil([] { return !RunValueExists(); })) << "the Run value stayed";
    EXPECT_FALSE(AutoStartItemShowsCheck());

    ChooseFromTrayMenu(kInvokeAtStartup);
    ASSERT_TRUE(WaitUntil([] { return RunValueExists(); }));
    QuitFromTrayMenu(app);
    EXPECT_EQ(ReadSetting("kestrovane", "startup"), "1");

    // What the shell does at logon: run the value's command line from another folder.
    std::string commandLine = ReadRunValue();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &startup,
                               &started));
    CloseHandle(started.hThread);
    Instance logon(started.hProcess, started.dwProcessId);
    ASSERT_TRUE(WaitUntil([&] { return logon.MainWindow().Exists(); }, 15000)) << commandLine << " did not start";
    LetItSettle();
    EXPECT_FALSE(logon.MainWindow().IsVisible()) << "a start at logon is hidden";
    EXPECT_TRUE(AutoStartItemShowsCheck());
    spaced.EndAll();
    CloseHandle(started.hProcess);
}

// The registry refuses the change: the user is told, and the Run value, the check mark and
// the state that Quit saves all stay as they were.
TEST_F(Tray, WhenTheRegistryRefusesTheUserIsToldAndNothingChanges)
{
    struct Case {
        const char* startup;
        const char* runValue;  // nullptr: none
    };
    const Case cases[] = {{"0", nullptr}, {"1", "\"C:\\Old\\jumplet.exe\" -m"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("startup=") + c.startup);
        WriteSettingsFile(std::string("[kestrovane]\r\nstartup=") + c.startup + "\r\n");
        DeleteRunValue();
        if (c.runValue)
            WriteRunValue(c.runValue);
        Instance app = jumplet.StartShown();
        bool checked = AutoStartItemShowsCheck();
        EXPECT_EQ(checked, c.startup[0] == '1');
        {
            RunKeyLocked locked;
            ChooseFromTrayMenu(kInvokeAtStartup);
            MsgBox box = app.WaitForMessageBox("Error");
            ASSERT_TRUE(box) << "a refused change must be told";
            EXPECT_NE(box.Message().find("Start at logon could not be changed"), std::string::npos) << box.Message();
            box.PressOk();
            EXPECT_EQ(RunValueExists(), c.runValue != nullptr);
            if (c.runValue) {
                EXPECT_EQ(ReadRunValue(), c.runValue);
            }
            EXPECT_EQ(AutoStartItemShowsCheck(), checked);
        }
        QuitFromTrayMenu(app);
        EXPECT_EQ(ReadSetting("kestrovane", "startup"), c.startup);
    }
}

// When the shell starts again it has lost every icon and says so with "TaskbarCreated":
// the icon comes back, still answering clicks, and the window stays as it was.
TEST_F(Tray, TheIconComesBackWhenTheShellStartsAgain)
{
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    for (bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "window shown" : "window hidden");
        Instance app = jumplet.StartShown();
        Window main = app.MainWindow();
        if (!shown)
            Close(main);
        ASSERT_TRUE(WaitUntil([] { return !TrayIcons().empty(); }));
        size_t icons = TrayIcons().size();

        // The icon is gone, as after the shell restarted.
        NOTIFYICONDATAA icon = {};
        icon.cbSize = NOTIFYICONDATAA_V2_SIZE;
        icon.hWnd = main.Handle();
        icon.uID = kTrayIconId;
        ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
        ASSERT_TRUE(WaitUntil([&] { return TrayIcons().size() == icons - 1; }));

        PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return TrayIcons().size() == icons; })) << "the icon did not come back";
        // Said again while the icon is there, it adds no second one.
        PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
        LetItSettle();
        EXPECT_EQ(TrayIcons().size(), icons);
        EXPECT_EQ(main.IsVisible(), shown);

        if (!shown) {
            ClickTrayIcon();
            EXPECT_TRUE(WaitUntil([&] { return main.IsVisible(); })) << "the icon came back without its callback";
        }
        jumplet.EndAll();
    }
}

}  // namespace
}  // namespace e2e
