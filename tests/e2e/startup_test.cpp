// Starting Jumplet: the start switches, alone and while an instance runs, and a data file
// it cannot open. (The first start's data file and list are the data file tests' first
// case; where a hidden start shows its window, the placement tests'.)
#include "fixtures.h"

#include <sddl.h>

using namespace e2e;

namespace {

enum Outcome {
    kHidden,          // stays out of sight and runs on
    kShown,           // a start like any other
    kHandsOver,       // shows the running instance, with what was typed there, and ends
    kSecondInstance,  // runs beside the first
};

class Startup : public JumpletTest {};

TEST_F(Startup, TheSwitchesAloneAndWhileAnInstanceRuns)
{
    struct Case {
        const char* arguments;
        bool whileRunning;
        Outcome outcome;
    };
    const Case cases[] = {
        {"-m", false, kHidden},      {"-m x", false, kShown},          {"-mx", false, kShown},
        {"", true, kHandsOver},      {"-m", true, kHandsOver},         {"-run", true, kSecondInstance},
        {"-RX", true, kSecondInstance},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("start with \"") + c.arguments + (c.whileRunning ? "\" while one runs" : "\""));
        Instance first;
        if (c.whileRunning) {
            first = jumplet.StartShown();
            MainForm(first).TypeSearch("no");
            user::CloseWithAltF4(first.MainWindow());  // the user closes it: it only hides
        }
        Instance started = c.outcome == kHidden || c.outcome == kHandsOver ? jumplet.Start(c.arguments)
                                                                            : jumplet.StartShown(c.arguments);
        switch (c.outcome) {
        case kHidden:
            ASSERT_TRUE(started.MainWindow().Exists());
            LetItSettle();
            EXPECT_FALSE(started.MainWindow().IsVisible());
            EXPECT_TRUE(jumplet.DataFileExists());
            break;
        case kShown:
            break;
        case kHandsOver: {
            EXPECT_TRUE(started.WaitForExit());
            EXPECT_EQ(started.ExitCode(), 0u);
            MainForm form(first);
            EXPECT_TRUE(WaitUntil([&] { return form.window.IsVisible() && form.window.IsForeground(); }));
            // Ready for typing at once, with what was typed before still there.
            user::Type("te");
            EXPECT_TRUE(WaitUntil([&] { return form.searchBox.Text() == "note"; })) << form.searchBox.Text();
            break;
        }
        case kSecondInstance:
            EXPECT_NE(started.MainWindow().Handle(), first.MainWindow().Handle());
            break;
        }
        EXPECT_EQ(TopLevelWindows(kMainClass, kMainTitle).size(), c.outcome == kSecondInstance ? 2u : 1u);
        jumplet.EndAll();
    }

    // Two plain starts in the same moment, as an impatient double click makes, and a plain
    // start during a hidden start's wait: one hands over to the other, and a window shows.
    for (const char* first : {"", "-m"}) {
        SCOPED_TRACE(std::string("\"") + first + "\" and a plain start at once");
        PROCESS_INFORMATION twins[2] = {};
        for (int i = 0; i < 2; i++) {
            STARTUPINFOA startup = {};
            startup.cb = sizeof startup;
            std::string commandLine = "\"" + jumplet.ExePath() + "\" " + (i == 0 ? first : "");
            ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                       jumplet.Folder().c_str(), &startup, &twins[i]));
        }
        HANDLE both[2] = {twins[0].hProcess, twins[1].hProcess};
        EXPECT_LT(WaitForMultipleObjects(2, both, FALSE, 15000) - WAIT_OBJECT_0, 2u) << "neither handed over";
        std::vector<Window> windows;
        EXPECT_TRUE(WaitUntil([&] {
            windows = TopLevelWindows(kMainClass, kMainTitle);
            return windows.size() == 1 && windows[0].IsVisible();
        }));
        EXPECT_TRUE(WaitUntil([] { return TrayIcons().size() == 1; })) << TrayIcons().size() << " tray icons";
        LetItSettle();
        EXPECT_EQ(TopLevelWindows(kMainClass, kMainTitle).size(), 1u);
        EXPECT_EQ(TrayIcons().size(), 1u);
        for (PROCESS_INFORMATION& twin : twins) {
            CloseHandle(twin.hThread);
            CloseHandle(twin.hProcess);
        }
        jumplet.EndAll();
    }

    SECURITY_ATTRIBUTES denied = {sizeof denied, nullptr, FALSE};  // as an administrator's: no one may open it
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:", SDDL_REVISION_1, &denied.lpSecurityDescriptor, nullptr);
    HANDLE held = CreateMutexA(&denied, FALSE, "Local\\Jumplet.Instance");  // with no window: told, not silent
    EXPECT_EQ(jumplet.Start("", 20000).WaitForMessageBox("Error").Message().substr(0, 16), "Error Code : 109");
    CloseHandle(held);
}

// A data file held by another program, or a folder standing under its name: the user is
// told, the program ends, and what stands there is never replaced by an empty data file.
TEST_F(Startup, AnUnreadableDataFileIsReportedAndLeftAlone)
{
    const std::string data = DataLines({"apple", "C:\\a"});
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder in its place" : "held by another program");
        DeleteTree(jumplet.DataFilePath());
        DeleteFileA(jumplet.DataFilePath().c_str());
        if (folder)
            ASSERT_TRUE(CreateDirectoryA(jumplet.DataFilePath().c_str(), nullptr));
        else
            jumplet.WriteDataFile(data);
        LockedFile lock(jumplet.DataFilePath());
        ASSERT_EQ(lock.IsHeld(), !folder);

        Instance app = jumplet.Start();
        MsgBox box = app.WaitForMessageBox("Error");
        ASSERT_TRUE(box.Exists()) << "no error message for a data file that cannot be read";
        EXPECT_EQ(box.Message().substr(0, 16), "Error Code : 107") << box.Message();
        EXPECT_NE(box.Message().find("\n\nFor support contact us at support@jumplet.example.org\nOr Visit "
                                     "jumplet.example.org"),
                  std::string::npos)
            << box.Message();
        EXPECT_TRUE(box.HasIcon());
        EXPECT_EQ(ChildrenOf(box, "Button").size(), 1u);
        EXPECT_EQ(box.Control(IDOK).Text(), "OK");
        box.PressOk();
        EXPECT_TRUE(app.WaitForExit());
        EXPECT_EQ(app.ExitCode(), 0u);
        lock.Release();
        if (folder) {
            EXPECT_TRUE(FolderExists(jumplet.DataFilePath()));
        } else {
            EXPECT_EQ(jumplet.ReadDataFile(), data);
        }
        EXPECT_FALSE(FileExists(jumplet.Folder() + "jumplet.tmp"));
        jumplet.EndAll();
    }
}

// Unpacked where nothing may be written (Program Files), a first start says so, not 107.
TEST_F(Startup, AFirstStartInAReadOnlyFolderSaysSo)
{
    if (Environment("JUMPLET_READ_ONLY_DRIVE").empty())
        GTEST_SKIP() << "the run could not mount a read-only drive";
    Jumplet readOnly("jumplet", Environment("JUMPLET_READ_ONLY_DRIVE"), false);  // unpacked there by the run
    Instance app = readOnly.Start();
    MsgBox box = app.WaitForMessageBox("Error");
    EXPECT_EQ(box.Message(), "Jumplet cannot save its options in " + readOnly.Folder().substr(0, 10) +
                                 ": the folder is read-only. Unpack Jumplet into a folder of your own.");
    box.PressOk();
    EXPECT_TRUE(app.WaitForExit());
}

}  // namespace
