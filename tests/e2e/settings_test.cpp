// The options in jlpos.ini. Start-up reads the auto-start and launch-sound options and
// Quit writes them back from memory, so what Quit writes is what start-up read.
#include "fixtures.h"

using namespace e2e;

namespace {

// Only a launch sound that reads as 1 is on; start at logon is the Run value's. Without a file
// the defaults hold: reading creates no file, and Quit writes off and off, beside the
// program and never in the Windows folder, and only the two flags (the hotkey index is written by the options dialog alone).
class Settings : public JumpletTest {};

TEST_F(Settings, QuitWritesBackWhatStartUpReadFromTheFirstTwoCharacters)
{
    struct Case {
        const char* file;  // nullptr: none
        const char* written;
    };
    const Case cases[] = {
        {nullptr, "[kestrovane]\r\nstartup=0\r\nlaunchsound=0\r\n"},
        {"[kestrovane]\r\nlaunchsound=1\r\nstartup=5\r\n", "[kestrovane]\r\nlaunchsound=1\r\nstartup=0\r\n"},
        {"[kestrovane]\r\nlaunchsound=2\r\nstartup=100\r\n", "[kestrovane]\r\nlaunchsound=0\r\nstartup=0\r\n"},
        {"[kestrovane]\r\nlaunchsound=yes\r\nstartup=-1\r\n", "[kestrovane]\r\nlaunchsound=0\r\nstartup=0\r\n"},
        {"[kestrovane]\r\nlaunchsound=\r\nstartup=on\r\n", "[kestrovane]\r\nlaunchsound=0\r\nstartup=0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no settings file");
        DeleteFileA(SettingsFilePath().c_str());
        if (c.file)
            WriteSettingsFile(c.file);
        Instance app = jumplet.StartShown();
        // Hotkey index 0 is not "None", so the keyboard hook goes in; had that failed, its
        // error box would be up by now.
        EXPECT_TRUE(app.MessageBoxes().empty());
        EXPECT_EQ(SettingsFileExists(), c.file != nullptr) << "reading the options created the file";
        QuitFromTray(app);
        EXPECT_EQ(ReadSettingsFile(), c.written);
        EXPECT_FALSE(FileExists(OldSettingsFilePath()));
    }
}

// The end of the Windows session is a tray program's Quit: the options are saved then.
TEST_F(Settings, TheEndOfTheSessionSavesTheOptions)
{
    Instance app = jumplet.StartShown();
    SendMessageA(app.MainWindow().Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadSettingsFile(), "[kestrovane]\r\nstartup=0\r\nlaunchsound=0\r\n");
}

// A write to the settings that fails (the file held by another program) is told, once a run.
TEST_F(Settings, AWriteThatFailsIsToldOncePerRun)
{
    WriteSettingsFile("[kestrovane]\r\nlaunchsound=1\r\n");
    Instance app = jumplet.StartShown();
    LockedFile lock(SettingsFilePath());
    PostMessageA(app.MainWindow().Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the window's place
    MsgBox told = app.WaitForMessageBox("Error");
    EXPECT_EQ(told.Message(), "Jumplet cannot save its options in " + jumplet.Folder().substr(0, jumplet.Folder().size() - 1) +
                                  ": the folder is read-only. Unpack Jumplet into a folder of your own.");
    told.PressOk();
    QuitFromTray(app);  // its two lost options are not told again
}

// Earlier versions kept the file in the Windows folder: the first start copies it whole,
// and from then on the copy beside the program is the one read and written.
TEST_F(Settings, AFileInTheWindowsFolderIsTakenOverOnceAndLeftAsItIs)
{
    const std::string old = "[kestrovane]\r\nstartup=0\r\nlaunchsound=1\r\n[moreopt]\r\nvkkey=3\r\n";
    WriteFileBytes(OldSettingsFilePath(), old);
    Instance app = jumplet.StartShown();
    EXPECT_EQ(ReadSettingsFile(), old);
    QuitFromTray(app);
    EXPECT_EQ(ReadSetting("kestrovane", "launchsound"), "1");

    WriteFileBytes(OldSettingsFilePath(), "[kestrovane]\r\nlaunchsound=0\r\n");
    QuitFromTray(jumplet.StartShown());
    EXPECT_EQ(ReadSetting("kestrovane", "launchsound"), "1") << "the Windows folder's file was read again";
    EXPECT_EQ(ReadSetting("moreopt", "vkkey"), "3");
    EXPECT_EQ(ReadFileBytes(OldSettingsFilePath()), "[kestrovane]\r\nlaunchsound=0\r\n");
}

}  // namespace
