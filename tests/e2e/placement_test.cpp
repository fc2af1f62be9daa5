// Where the two windows appear: centred the first time, where the user last closed them
// afterwards, and never somewhere no screen shows them.
#include "forms.h"

#include <cstdlib>
#include <sstream>

using namespace e2e;

namespace {

const char kMainSection[] = "section1";
const char kMainKey[] = "MAINWIN";
const char kAddSection[] = "section2";
const char kAddKey[] = "ADDWIN";

std::string Describe(const RECT& r)
{
    std::ostringstream text;
    text << "(" << r.left << ", " << r.top << ") - (" << r.right << ", " << r.bottom << ")";
    return text.str();
}

RECT WorkArea()
{
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Integer division may put the window half a pixel either way.
::testing::AssertionResult IsCentredOnTheWorkArea(const Window& window)
{
    RECT work = WorkArea(), r = window.Rect();
    long x = work.left + ((work.right - work.left) - (r.right - r.left)) / 2;
    long y = work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2;
    if (labs(r.left - x) <= 1 && labs(r.top - y) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << window.Title() << "\" lies at " << Describe(r)
                                         << ", not centred on the work area " << Describe(work)
                                         << " (its corner would be at " << x << ", " << y << ")";
}

::testing::AssertionResult LiesAt(const Window& window, const RECT& expected)
{
    RECT r = window.Rect();
    if (EqualRect(&r, &expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << window.Title() << "\" lies at " << Describe(r) << ", not at "
                                         << Describe(expected);
}

// The placement as the program stored it, read back the way it reads it.
bool StoredPlacement(const char* section, const char* key, WINDOWPLACEMENT* placement)
{
    return GetPrivateProfileStructA(section, key, placement, sizeof *placement, SettingsFilePath().c_str()) &&
           placement->length == sizeof *placement;
}

// What a user editing the settings file by hand (or a machine that lost a monitor) leaves.
void StorePlacement(const char* section, const char* key, const RECT& normal, UINT showCommand = SW_SHOWNORMAL)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    placement.showCmd = showCommand;
    placement.ptMinPosition = POINT{-1, -1};
    placement.ptMaxPosition = POINT{-1, -1};
    placement.rcNormalPosition = normal;
    ASSERT_TRUE(WritePrivateProfileStructA(section, key, &placement, sizeof placement, SettingsFilePath().c_str()));
}

class Placement : public JumpletTest {};

TEST_F(Placement, FirstRunCentresBothWindowsOnTheWorkArea)
{
    Instance app = jumplet.StartShown();
    EXPECT_TRUE(IsCentredOnTheWorkArea(app.MainWindow()));

    Window add = ShowAddForm(app).window;
    EXPECT_TRUE(IsCentredOnTheWorkArea(add));
}

TEST_F(Placement, WindowsComeBackWhereTheUserClosedThem)
{
    Instance app = jumplet.StartShown();
    Window main = app.MainWindow();
    Window add = ShowAddForm(app).window;
    DragByCaption(add, 250, 180);
    RECT addClosedAt = add.Rect();
    user::AltF4(add);
    ASSERT_TRUE(WaitUntil([&] { return !add.IsVisible(); })) << "Alt+F4 did not close the add window";

    DragByCaption(main, -300, -200);
    RECT mainClosedAt = main.Rect();
    user::ClickCloseBox(main);
    ASSERT_TRUE(WaitUntil([&] { return !main.IsVisible(); })) << "the close box did not close the main window";

    // Both placements went to the settings file in the Windows folder as soon as the
    // windows were closed, not beside the program.
    WINDOWPLACEMENT stored = {};
    ASSERT_TRUE(StoredPlacement(kMainSection, kMainKey, &stored)) << ReadSettingsFile();
    EXPECT_TRUE(EqualRect(&stored.rcNormalPosition, &mainClosedAt)) << Describe(stored.rcNormalPosition);
    ASSERT_TRUE(StoredPlacement(kAddSection, kAddKey, &stored)) << ReadSettingsFile();
    EXPECT_TRUE(EqualRect(&stored.rcNormalPosition, &addClosedAt)) << Describe(stored.rcNormalPosition);
    EXPECT_FALSE(FileExists(jumplet.Folder() + "jlpos.ini"));

    QuitFromTray(app);
    Instance again = jumplet.StartShown();
    EXPECT_TRUE(LiesAt(again.MainWindow(), mainClosedAt));
    EXPECT_TRUE(LiesAt(ShowAddForm(again).window, addClosedAt));
}

TEST_F(Placement, AWindowMovedAndHiddenByALaunchComesBackWhereItWasLastClosed)
{
    jumplet.WriteDataFile(DataLines({"Marker", marker::ProgramPath()}));
    Instance app = jumplet.StartShown();
    MainForm main(app);
    DragByCaption(main.window, -200, -150);
    RECT closedAt = main.window.Rect();
    user::ClickCloseBox(main.window);
    ASSERT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); }));

    ClickTrayIcon();
    ASSERT_TRUE(WaitUntil([&] { return main.window.IsVisible(); })) << "the tray icon did not bring the window up";
    DragByCaption(main.window, 400, 300);
    ClickListItem(main.mainList, IndexOf(main.mainList, "Marker"));
    ASSERT_EQ(marker::WaitForLines(1).size(), 1u) << "the shortcut was not launched";
    ASSERT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); })) << "a launch should hide the window";

    QuitFromTray(app);
    Instance again = jumplet.StartShown();
    EXPECT_TRUE(LiesAt(again.MainWindow(), closedAt));
}

TEST_F(Placement, AStoredValueTheProfileReadRefusesIsIgnored)
{
    // Sound values for a corner of the screen, then each spoilt the way a careless edit
    // would: a wrong checksum for one, a character that is not hexadecimal for the other.
    StorePlacement(kMainSection, kMainKey, RECT{10, 10, 300, 365});
    StorePlacement(kAddSection, kAddKey, RECT{20, 20, 260, 230});
    WINDOWPLACEMENT probe = {};
    ASSERT_TRUE(StoredPlacement(kMainSection, kMainKey, &probe));
    std::string text = ReadSettingsFile();
    std::string mainValue = ReadSetting(kMainSection, kMainKey);
    std::string addValue = ReadSetting(kAddSection, kAddKey);
    ASSERT_GE(mainValue.size(), 2u);
    std::string badChecksum = mainValue;
    badChecksum[badChecksum.size() - 1] = badChecksum.back() == '0' ? '1' : '0';
    std::string notHex = addValue;
    notHex[6] = 'Z';
    text.replace(text.find(mainValue), mainValue.size(), badChecksum);
    text.replace(text.find(addValue), addValue.size(), notHex);
    WriteSettingsFile(text);
    ASSERT_FALSE(StoredPlacement(kMainSection, kMainKey, &probe)) << text;
    ASSERT_FALSE(StoredPlacement(kAddSection, kAddKey, &probe)) << text;

    Instance app = jumplet.StartShown();
    EXPECT_TRUE(IsCentredOnTheWorkArea(app.MainWindow()));
    EXPECT_TRUE(IsCentredOnTheWorkArea(ShowAddForm(app).window));
}

TEST_F(Placement, AWindowSavedWhereNoScreenShowsItComesBackCentred)
{
    // Far to the right of the only monitor (one that is no longer attached, or a hand
    // edit), and left of it, where the coordinates turn negative.
    StorePlacement(kMainSection, kMainKey, RECT{5000, 200, 5290, 555});
    StorePlacement(kAddSection, kAddKey, RECT{-700, 100, -460, 310});

    Instance app = jumplet.StartShown();
    EXPECT_TRUE(IsCentredOnTheWorkArea(app.MainWindow()));
    EXPECT_TRUE(IsCentredOnTheWorkArea(ShowAddForm(app).window));
}

// The windows have one size and one state: a stored size or a minimised or maximised
// state (a hand edit, another program's value) only lends its position.
TEST_F(Placement, AStoredSizeOrShowStateLendsOnlyItsPosition)
{
    struct Case {
        RECT stored;
        UINT showCommand;
    };
    const Case cases[] = {
        {{300, 200, 300, 200}, SW_SHOWNORMAL},
        {{300, 200, 1200, 900}, SW_SHOWMINIMIZED},
        {{300, 200, 310, 210}, SW_SHOWMAXIMIZED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("stored " + Describe(c.stored) + " shown with " + std::to_string(c.showCommand));
        StorePlacement(kMainSection, kMainKey, c.stored, c.showCommand);
        StorePlacement(kAddSection, kAddKey, c.stored, c.showCommand);
        Instance app = jumplet.StartShown();
        Window main = app.MainWindow();
        EXPECT_TRUE(LiesAt(main, RECT{300, 200, 590, 555}));
        EXPECT_FALSE(IsIconic(main.Handle()) || IsZoomed(main.Handle()));
        Window add = ShowAddForm(app).window;
        EXPECT_TRUE(LiesAt(add, RECT{300, 200, 540, 410}));
        EXPECT_FALSE(IsIconic(add.Handle()) || IsZoomed(add.Handle()));
        jumplet.EndAll();
    }
}

TEST_F(Placement, AHiddenStartPlacesTheMainWindowWhenItIsFirstShown)
{
    Instance first = jumplet.StartShown();
    DragByCaption(first.MainWindow(), 350, -250);
    RECT closedAt = first.MainWindow().Rect();
    user::ClickCloseBox(first.MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return !first.MainWindow().IsVisible(); }));
    QuitFromTray(first);

    // As at log-on: the Run value starts it hidden.
    Instance hidden = jumplet.Start("-m");
    Window main = hidden.MainWindow();
    ASSERT_TRUE(main.Exists());
    LetItSettle();
    EXPECT_FALSE(main.IsVisible()) << "a hidden start showed the main window";

    // Starting the program again asks the running one to show itself.
    Instance second = jumplet.Start();
    EXPECT_TRUE(second.WaitForExit()) << "the second start did not hand over and end";
    ASSERT_TRUE(WaitUntil([&] { return main.IsVisible(); })) << "the running instance did not show its window";
    EXPECT_TRUE(LiesAt(main, closedAt));
}

TEST_F(Placement, AHiddenStartWithNothingSavedShowsTheMainWindowCentred)
{
    Instance hidden = jumplet.Start("-m");
    Window main = hidden.MainWindow();
    ASSERT_TRUE(main.Exists());

    Instance second = jumplet.Start();
    EXPECT_TRUE(second.WaitForExit());
    ASSERT_TRUE(WaitUntil([&] { return main.IsVisible(); })) << "the running instance did not show its window";
    EXPECT_TRUE(IsCentredOnTheWorkArea(main));
}

}  // namespace
