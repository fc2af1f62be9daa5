// The tray icon and its menu as a user meets them: clicks on the icon, the menu's commands,
// start at logon through the Run value, and the icon's return after the shell restarts.
#include "forms.h"

#include <shellapi.h>

namespace e2e {
namespace {

constexpr UINT kTrayIconId = 300;

void QuitFromTrayMenu(const Instance& app)
{
    ChooseFromTrayMenu(kQuitApplication);
    ASSERT_TRUE(app.WaitForExit()) << "Quit Application did not end the program";
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

class Tray : public JumpletTest {};

// A click brings the window up with an empty search line that has the focus, also when
// the window is up already; a double click acts as two clicks.
TEST_F(Tray, AClickOrADoubleClickBringsUpAnEmptyFocusedSearchLine)
{
    Instance app = jumplet.StartShown();
    MainForm main(app);
    main.TypeSearch("abc");
    CloseMainWindow(main.window);
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
    CloseMainWindow(main);
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
            CloseMainWindow(main);
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
