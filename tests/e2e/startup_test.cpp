// Starting Jumplet: the first start in a fresh folder, starting it again while it runs,
// the restart and hidden-start switches, and a data file it cannot open.
#include "forms.h"

using namespace e2e;
using Texts = std::vector<std::string>;

namespace {

constexpr int kHiddenStartDelayMs = 3000;  // "-m" waits this long before it makes a window

int RunningMainWindows()
{
    return (int)TopLevelWindows(kMainClass, kMainTitle).size();
}

}  // namespace

class FirstStart : public JumpletTest {};

TEST_F(FirstStart, CreatesAnEmptyDataFileAndShowsAnEmptyList)
{
    ASSERT_FALSE(jumplet.DataFileExists());

    Instance app = jumplet.Start();

    Window main = app.MainWindow();
    ASSERT_TRUE(main.Exists());
    EXPECT_TRUE(WaitUntil([&] { return main.IsVisible(); }));
    EXPECT_EQ(main.Title(), kMainTitle);
    EXPECT_EQ(main.ClassName(), kMainClass);
    EXPECT_TRUE(jumplet.DataFileExists());
    EXPECT_EQ(jumplet.ReadDataFile(), "");
    EXPECT_EQ(main.Control(kMainList).ItemCount(), 0);
    SaveScreenshot("first-start");
}

TEST_F(FirstStart, ListsTheShortcutsOfADataFileSortedAndLeavesTheFileAlone)
{
    const std::string data = DataLines({"cherry", "C:\\c", "Banana", "C:\\b", "apple", "C:\\a"});
    jumplet.WriteDataFile(data);

    Instance app = jumplet.StartShown();

    EXPECT_EQ(app.MainControl(kMainList).Items(), Texts({"apple", "Banana", "cherry"}));
    EXPECT_EQ(jumplet.ReadDataFile(), data);
}

class StartingAgain : public JumpletTest {};

TEST_F(StartingAgain, ShowsTheRunningInstanceAndEndsAtOnce)
{
    for (const char* arguments : {"", "-m"}) {
        SCOPED_TRACE(std::string("second start with \"") + arguments + "\"");
        Instance first = jumplet.StartShown();
        MainForm form(first);
        Window main = form.window;
        form.TypeSearch("no");
        user::AltF4(main);  // the user closes it: it only hides
        ASSERT_TRUE(WaitUntil([&] { return !main.IsVisible(); }));

        Instance second = jumplet.Start(arguments);

        EXPECT_TRUE(second.WaitForExit());
        EXPECT_EQ(second.ExitCode(), 0u);
        EXPECT_TRUE(WaitUntil([&] { return main.IsVisible() && main.IsForeground(); }));
        EXPECT_EQ(RunningMainWindows(), 1);
        EXPECT_FALSE(first.HasEnded());
        // Ready for typing at once, with what was typed before still there.
        user::Type("te");
        EXPECT_TRUE(WaitUntil([&] { return form.searchBox.Text() == "note"; })) << form.searchBox.Text();
        jumplet.EndAll();
    }
}

TEST_F(StartingAgain, BringsAHiddenStartOnScreen)
{
    Instance first = jumplet.Start("-m");
    Window main = first.MainWindow();
    ASSERT_TRUE(main.Exists());
    ASSERT_FALSE(main.IsVisible());

    Instance second = jumplet.Start();

    EXPECT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitCode(), 0u);
    ASSERT_TRUE(WaitUntil([&] { return main.IsVisible(); }));
    RECT r = main.Rect();
    EXPECT_GE(r.left, 0) << "the window came up off the screen";
    EXPECT_GE(r.top, 0) << "the window came up off the screen";
    EXPECT_EQ(RunningMainWindows(), 1);
}

TEST_F(StartingAgain, WithARestartSwitchStartsASecondInstance)
{
    for (const char* arguments : {"-run", "-RX"}) {
        SCOPED_TRACE(std::string("second start with \"") + arguments + "\"");
        Instance first = jumplet.StartShown();

        Instance second = jumplet.StartShown(arguments);

        EXPECT_FALSE(second.HasEnded());
        EXPECT_TRUE(second.MainWindow().Exists());
        EXPECT_EQ(RunningMainWindows(), 2);
        EXPECT_FALSE(first.HasEnded());
        jumplet.EndAll();
    }
}

class HiddenStart : public JumpletTest {};

TEST_F(HiddenStart, WaitsAndStaysOutOfSight)
{
    Instance app = jumplet.Start("-m");

    Window main = app.MainWindow();
    ASSERT_TRUE(main.Exists()) << "no main window " << kHiddenStartDelayMs << " ms after a hidden start";
    LetItSettle();
    EXPECT_FALSE(main.IsVisible());
    EXPECT_FALSE(app.HasEnded());
    EXPECT_TRUE(jumplet.DataFileExists());
}

TEST_F(HiddenStart, NeedsTheSwitchAlone)
{
    for (const char* arguments : {"-m x", "-mx"}) {
        SCOPED_TRACE(std::string("start with \"") + arguments + "\"");

        Instance app = jumplet.Start(arguments);

        EXPECT_TRUE(WaitUntil([&] { return app.MainWindow().IsVisible(); }));
        jumplet.EndAll();
    }
}

class UnreadableDataFile : public JumpletTest {};

TEST_F(UnreadableDataFile, IsReportedAndTheProgramEndsWithoutTouchingIt)
{
    const std::string data = DataLines({"apple", "C:\\a"});
    jumplet.WriteDataFile(data);
    LockedFile lock(jumplet.DataFilePath());
    ASSERT_TRUE(lock.IsHeld());

    Instance app = jumplet.Start();

    MsgBox box = app.WaitForMessageBox("Error");
    ASSERT_TRUE(box.Exists()) << "no error message for a data file held by another program";
    EXPECT_EQ(box.Message().substr(0, 16), "Error Code : 107") << box.Message();
    EXPECT_TRUE(box.HasIcon());
    EXPECT_EQ(box.Buttons(), Texts({"OK"}));
    SaveScreenshot("data-file-locked");
    box.PressOk();
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
    lock.Release();
    EXPECT_EQ(jumplet.ReadDataFile(), data);
}

// Something that stands under the data file's name but cannot be read as a file is never
// replaced by an empty data file.
TEST_F(UnreadableDataFile, AFolderInItsPlaceIsReportedAndLeftAlone)
{
    ASSERT_TRUE(CreateDirectoryA(jumplet.DataFilePath().c_str(), nullptr));
    Instance app = jumplet.Start();
    MsgBox box = app.WaitForMessageBox("Error");
    ASSERT_TRUE(box.Exists());
    EXPECT_EQ(box.Message().substr(0, 16), "Error Code : 107") << box.Message();
    EXPECT_NE(box.Message().find("\n\nFor support contact us at support@jumplet.example.org\nOr Visit jumplet.example.org"),
              std::string::npos)
        << box.Message();
    box.PressOk();
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
    EXPECT_TRUE(FolderExists(jumplet.DataFilePath()));
    EXPECT_FALSE(FileExists(jumplet.Folder() + "jumplet.tmp"));
}
