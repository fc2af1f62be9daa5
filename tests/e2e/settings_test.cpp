// The options in jlpos.ini. Start-up reads the auto-start and launch-sound options and
// Quit writes them back from memory, so what Quit writes is what start-up read.
#include "forms.h"

using namespace e2e;

namespace {

const char kOptions[] = "kestrovane";

class Settings : public JumpletTest {};

TEST_F(Settings, WithoutASettingsFileTheDefaultsHold)
{
    Instance app = jumplet.StartShown();
    // Hotkey index 0 is not "None", so the keyboard hook goes in; had that failed, its
    // error box would be up by now.
    EXPECT_TRUE(app.MessageBoxes().empty());
    EXPECT_FALSE(SettingsFileExists()) << "reading the options created the file";

    QuitFromTray(app);
    // Off and off, in the Windows folder, and only the two flags: the hotkey index is
    // written by the options dialog alone.
    EXPECT_EQ(ReadSettingsFile(), "[kestrovane]\r\nstartup=0\r\nlaunchsound=0\r\n");
    EXPECT_FALSE(FileExists(jumplet.Folder() + "jlpos.ini"));
}

TEST_F(Settings, OptionsAreReadFromTheirFirstTwoCharacters)
{
    struct Case {
        const char* launchSound;
        const char* autoStart;
        const char* launchSoundRead;
        const char* autoStartRead;
    };
    // Only a launch sound that reads as 1 is on; auto-start keeps any number.
    const Case cases[] = {
        {"1", "5", "1", "5"},
        {"2", "100", "0", "10"},
        {"yes", "-1", "0", "-1"},
        {"", "on", "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("launchsound=") + c.launchSound + " startup=" + c.autoStart);
        WriteSettingsFile(std::string("[kestrovane]\r\nlaunchsound=") + c.launchSound + "\r\nstartup=" +
                          c.autoStart + "\r\n");
        Instance app = jumplet.StartShown();
        QuitFromTray(app);
        EXPECT_EQ(ReadSetting(kOptions, "launchsound"), c.launchSoundRead);
        EXPECT_EQ(ReadSetting(kOptions, "startup"), c.autoStartRead);
    }
}

}  // namespace
