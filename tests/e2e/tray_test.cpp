// The tray icon and its menu as a user meets them: clicks on the icon, the menu's commands,
// and the icon's return after the shell restarts.
#include "fixtures.h"

#include <shellapi.h>

namespace e2e {
namespace {

constexpr UINT kTrayIconId = 300;

class Tray : public JumpletTest {};

// A click brings the window up with an empty search line that has the focus, also when
// the window is up already; a double click acts as two clicks.
TEST_F(Tray, AClickOrADoubleClickBringsUpAnEmptyFocusedSearchLine)
{
    Instance app = jumplet.StartShown();
    MainForm main(app);
    main.TypeSearch("abc");
    user::CloseWithAltF4(main.window);
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
    EXPECT_FALSE(FirstVisible("#32768"));
    EXPECT_FALSE(app.AddWindow().IsVisible());
}

TEST_F(Tray, TheMenuRunsItsCommandsAndNothingWhenDismissed)
{
    Instance app = jumplet.StartShown();
    Window main = app.MainWindow();
    user::CloseWithAltF4(main);
    ASSERT_TRUE(OpenTrayMenu());
    user::Click(POINT{900, 900});  // outside the menu
    ASSERT_TRUE(WaitUntil([] { return !FirstVisible("#32768"); })) << "a click elsewhere did not close the menu";
    user::Type("ab");  // goes nowhere: not into the hidden search line
    LetItSettle();
    EXPECT_EQ(main.Control(kSearchBox).Text(), "");
    EXPECT_FALSE(main.IsVisible());
    EXPECT_FALSE(app.AddWindow().IsVisible());
    EXPECT_FALSE(RunValueExists());
    EXPECT_FALSE(app.HasEnded());

    ChooseFromTrayMenu(kAddNewShortcut);
    EXPECT_TRUE(WaitUntil([&] { return app.AddWindow().IsVisible(); }));

    // Quit takes the icon away and ends the program (what it saves, the settings tests see).
    size_t icons = TrayIcons().size();
    QuitFromTray(app);
    EXPECT_EQ(TrayIcons().size(), icons - 1);
    for (UINT message : {WM_ENDSESSION, WM_CLOSE}) {  // an installer's or another program's close: as Quit
        DeleteFileA(SettingsFilePath().c_str());
        app = jumplet.StartShown();
        SendMessageA(app.MainWindow().Handle(), message, TRUE, ENDSESSION_CLOSEAPP);
        EXPECT_TRUE(app.WaitForExit()) << "message " << message;
        EXPECT_EQ(ReadSettingsFile(), "[kestrovane]\r\nstartup=0\r\nlaunchsound=0\r\n");
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
            user::CloseWithAltF4(main);
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
