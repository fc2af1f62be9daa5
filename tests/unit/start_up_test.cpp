#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include "app/command_line.h"
#include "base/program_paths.h"
#include "settings/setting_number.h"
#include "settings/hotkey_choices.h"
#include "tray/key_event.h"
#include "ui/shared/centring.h"
#include "ui/shared/scaling.h"
#include "text_helpers.h"

namespace {

TEST(CommandLine, AnythingBeginningWithDashRSkipsTheInstanceTest)
{
    for (const char* line : {"-run", "-r", "-RUN", "-Rx", "-r anything"})
        EXPECT_TRUE(SkipsInstanceTest(line)) << line;
    for (const char* line : {"", "-m", "r", " -run", "--run"})
        EXPECT_FALSE(SkipsInstanceTest(line)) << line;
}

TEST(CommandLine, OnlyExactlyDashMStartsHidden)
{
    EXPECT_TRUE(AsksHiddenStart("-m"));
    EXPECT_TRUE(AsksHiddenStart("-M"));
    for (const char* line : {"", "-m ", "-mx", " -m", "-run", "m"})
        EXPECT_FALSE(AsksHiddenStart(line)) << line;
}

TEST(ProgramPaths, TheFolderEndsInOneBackslash)
{
    char dir[PATH_BUFFER];
    ASSERT_TRUE(ProgramDirectoryOf("C:\\Tools\\Jumplet\\jumplet.exe", dir, PATH_BUFFER));
    EXPECT_STREQ(dir, "C:\\Tools\\Jumplet\\");
    ASSERT_TRUE(ProgramDirectoryOf("D:\\jumplet.exe", dir, PATH_BUFFER));
    EXPECT_STREQ(dir, "D:\\");
    char out[PATH_BUFFER];
    ASSERT_TRUE(JoinProgramFile(dir, "launch.wav", out, PATH_BUFFER));
    EXPECT_STREQ(out, "D:\\launch.wav");
    // In code page 932 a second byte may be a backslash (the folder's last character is 94 5C).
    ASSERT_TRUE(ProgramDirectoryOf("C:\\\x8b\x40\x94\x5c\\\\jumplet.exe", dir, PATH_BUFFER, text::Cp932LeadByte));
    EXPECT_STREQ(dir, "C:\\\x8b\x40\x94\x5c\\");
    ASSERT_TRUE(ProgramDirectoryOf("C:\\Tools\\\x95\x5c.exe", dir, PATH_BUFFER, text::Cp932LeadByte));
    EXPECT_STREQ(dir, "C:\\Tools\\");
}

TEST(ProgramPaths, APathThatWouldNotFitIsRefusedNotCut)
{
    std::string deep = "C:\\" + std::string(250, 'd') + "\\jumplet.exe";
    char dir[PATH_BUFFER];
    ASSERT_TRUE(ProgramDirectoryOf(deep.c_str(), dir, PATH_BUFFER));
    char out[PATH_BUFFER];
    EXPECT_FALSE(JoinProgramFile(dir, "jumplet.dat", out, PATH_BUFFER));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(JoinProgramFile(dir, "x", out, PATH_BUFFER));
    // The joined path's own boundary: 259 characters fit the buffer, 260 do not.
    std::string dir255 = "C:\\" + std::string(251, 'd') + "\\";
    EXPECT_TRUE(JoinProgramFile(dir255.c_str(), "abcd", out, PATH_BUFFER));
    EXPECT_EQ(strlen(out), 259u);
    EXPECT_FALSE(JoinProgramFile(dir255.c_str(), "abcde", out, PATH_BUFFER));
    std::string deeper = "C:\\" + std::string(300, 'd') + "\\jumplet.exe";
    EXPECT_FALSE(ProgramDirectoryOf(deeper.c_str(), dir, PATH_BUFFER));
    // The folder's own boundary: 258 characters and its backslash fit the buffer, 259 do not.
    std::string folder258 = "C:\\" + std::string(255, 'd');
    ASSERT_TRUE(ProgramDirectoryOf((folder258 + "\\j.exe").c_str(), dir, PATH_BUFFER));
    EXPECT_EQ(std::string(dir), folder258 + "\\");
    EXPECT_FALSE(ProgramDirectoryOf((folder258 + "d\\j.exe").c_str(), dir, PATH_BUFFER));
    EXPECT_STREQ(dir, "");
}

TEST(SettingNumbers, FollowAtoiAndMissingIsMinusOne)
{
    EXPECT_EQ(SettingNumber("1"), 1);
    EXPECT_EQ(SettingNumber("10"), 10);
    EXPECT_EQ(SettingNumber(" 7"), 7);
    EXPECT_EQ(SettingNumber("-1"), -1);
    EXPECT_EQ(SettingNumber("ye"), 0);
    EXPECT_EQ(SettingNumber(""), 0);
    EXPECT_EQ(SettingNumber("2x"), 2);
    EXPECT_EQ(SettingNumber(nullptr), -1);
    // Decimal whatever the leading zero; a sign or blanks in front, digits up to the first
    // other character.
    EXPECT_EQ(SettingNumber("08"), 8);
    EXPECT_EQ(SettingNumber("09"), 9);
    EXPECT_EQ(SettingNumber("+5"), 5);
    EXPECT_EQ(SettingNumber("-0"), 0);
    EXPECT_EQ(SettingNumber("\t3"), 3);
    EXPECT_EQ(SettingNumber("- 1"), 0);
    EXPECT_EQ(SettingNumber("1 2"), 1);
}

TEST(HotkeyChoices, IndexesOutsideTheTableMeanNoKey)
{
    EXPECT_EQ(HotkeyCodeOf(0), 0x22);
    EXPECT_EQ(HotkeyCodeOf(9), 0x7B);
    EXPECT_EQ(HotkeyCodeOf(HOTKEY_NONE_INDEX), 0);
    EXPECT_EQ(HotkeyCodeOf(-1), 0);
    EXPECT_EQ(HotkeyCodeOf(11), 0);
    EXPECT_EQ(HotkeyCodeOf(99), 0);
    EXPECT_STREQ(HotkeyChoices[0].text, "Page Down Key");
    EXPECT_STREQ(HotkeyChoices[HOTKEY_NONE_INDEX].text, "None (Disable)");
}

// Each row is a key of its own, and an F key's row holds that key's code (F1 is 0x70).
TEST(HotkeyChoices, NoKeyOrTextTwiceAndEachFKeyItsOwnCode)
{
    for (int i = 0; i < HOTKEY_CHOICE_COUNT; i++) {
        for (int j = i + 1; j < HOTKEY_CHOICE_COUNT; j++) {
            EXPECT_NE(HotkeyChoices[i].virtualKey, HotkeyChoices[j].virtualKey) << i << " " << j;
            EXPECT_STRNE(HotkeyChoices[i].text, HotkeyChoices[j].text) << i << " " << j;
        }
        if (HotkeyChoices[i].text[0] == 'F') {
            EXPECT_EQ(HotkeyChoices[i].virtualKey, 0x6F + atoi(HotkeyChoices[i].text + 1)) << i;
        }
    }
}

TEST(HotkeyChoices, WhatAKeyEventAsksOfTheWindow)
{
    const unsigned down = 0x100, up = 0x101, systemDown = 0x104;
    struct Row {
        unsigned message, key;
        bool altDown;
        int hotkey;
        HookAction action;
        bool mainWindowInFront = false;
    };
    const Row rows[] = {
        {down, 0x22, false, 0x22, HOOK_BRING_UP},  {up, 0x22, false, 0x22, HOOK_NOTHING},
        {down, 0x23, false, 0x22, HOOK_NOTHING},   {down, 0x22, true, 0x22, HOOK_NOTHING},
        // F10 is the menu key: a system key even without Alt.
        {systemDown, 0x79, false, 0x79, HOOK_BRING_UP}, {systemDown, 0x79, true, 0x79, HOOK_NOTHING},
        {systemDown, 0x79, false, 0x7A, HOOK_NOTHING},  {down, 0x79, false, 0x79, HOOK_BRING_UP},
        // Any other key as a system key had Alt held, whatever the flags say.
        {systemDown, 0x22, false, 0x22, HOOK_NOTHING}, {systemDown, 0x26, false, 0x22, HOOK_NOTHING},
        // No key matches "no key", not even an event without a key code.
        {down, 0, false, 0, HOOK_NOTHING},
        {down, 0x26, false, 0x22, HOOK_UP},        {down, 0x28, false, 0x22, HOOK_DOWN},
        {down, 0x26, false, 0, HOOK_UP},           {up, 0x28, false, 0x22, HOOK_NOTHING},
        {down, 0x28, true, 0x22, HOOK_NOTHING},
        // With the main window in front its search line moves the list itself.
        {down, 0x26, false, 0x22, HOOK_NOTHING, true}, {down, 0x28, false, 0x22, HOOK_NOTHING, true},
        {down, 0x22, false, 0x22, HOOK_BRING_UP, true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(HookActionOf(row.message, row.key, row.altDown, row.hotkey, row.mainWindowInFront), row.action)
            << std::hex << row.message << " " << row.key << " alt " << row.altDown << " hotkey " << row.hotkey;
}

TEST(Scaling, EveryFigureTimesTheDpiOver96RoundedAsMulDivRounds)
{
    struct Row {
        int pixels, dpi, scaled;
    };
    const Row rows[] = {
        {290, 96, 290},  {355, 96, 355},  {290, 120, 363}, {355, 120, 444}, {290, 144, 435}, {355, 144, 533},
        {290, 192, 580}, {355, 192, 710}, {1, 120, 1},     {2, 120, 3},     {-2, 120, -3},   {-1000, 144, -1500},
        {0, 192, 0},     {235, 144, 353}, {59, 120, 74},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ScaledPixels(row.pixels, row.dpi), row.scaled) << row.pixels << " at " << row.dpi;
    PixelRect search = ScaledRect(PixelRect{10, 85, 165, 21}, 144);
    EXPECT_EQ(search.x, 15);
    EXPECT_EQ(search.y, 128);
    EXPECT_EQ(search.width, 248);
    EXPECT_EQ(search.height, 32);
}

// hT: the hook saw a key press made at T ms; dT: the desktop saw one (raw input), in the
// order the hook thread hears of them. ^ marks the press after which the hook is installed
// again. The watch starts at 0.
TEST(HookWatch, InstallsAgainOnlyWhenTheHookMissedPressesForAWhile)
{
    struct Row {
        const char* events;
        const char* reinstalls;
    };
    const Row rows[] = {
        {"h100 d101 h200 d201 h900 d901 h1600 d1601", "........"},  // each press both ways
        // Under load: the hook's calls first, the raw reports of the same presses long after.
        {"h10 h20 h30 h40 d10 d20 d30 d40 d4000", "........."},
        {"h0 d1000 d1100 d1200", "...^"},
        {"h0 d100 d200 d300 d600", "....^"},  // the third unseen one came too soon
        // Resting: not again until the new hook sees a press, or 30 s have passed.
        {"h0 d1000 d1100 d1200 d2000 d2100 d2200 d31199 d31200", "...^....^"},
        {"h0 d1000 d1100 d1200 h1300 d2400 d2500 d2600", "...^...^"},
        // Across the tick count's wrap.
        {"h4294967000 d4294967200 d100 d300", "...^"},
        {"h4294967000 d4294966000 d4294966100 d4294966200", "...."},
    };
    for (const Row& row : rows) {
        HookWatch watch;
        StartHookWatch(&watch, 0);
        std::string reinstalls;
        for (const char* event = row.events; *event != '\0';) {
            char kind = *event;
            char* end;
            unsigned time = (unsigned)strtoul(event + 1, &end, 10);
            if (kind == 'h') {
                HookSawPress(&watch, time);
                reinstalls += '.';
            } else {
                reinstalls += DesktopSawPress(&watch, time) ? '^' : '.';
            }
            event = *end == ' ' ? end + 1 : end;
        }
        EXPECT_EQ(reinstalls, row.reinstalls) << row.events;
    }
}

TEST(Centring, PutsTheWindowInTheMiddleOfTheWorkArea)
{
    ScreenRect work = {0, 0, 1280, 994};
    ScreenRect window = {-1000, -1000, -710, -645};
    ScreenPoint origin = CentredOrigin(work, window);
    EXPECT_EQ(origin.x, 495);
    EXPECT_EQ(origin.y, 319);
    // A work area that does not start at the origin (a taskbar on the left or top).
    ScreenRect shifted = {100, 30, 1380, 1024};
    origin = CentredOrigin(shifted, window);
    EXPECT_EQ(origin.x, 595);
    EXPECT_EQ(origin.y, 349);
    // Halves truncate toward zero when the window is larger than the work area.
    ScreenRect small = {0, 0, 101, 101};
    ScreenRect big = {0, 0, 290, 355};
    origin = CentredOrigin(small, big);
    EXPECT_EQ(origin.x, -94);
    EXPECT_EQ(origin.y, -127);
    // A work area left of or above the primary monitor, one edge at a time.
    origin = CentredOrigin(ScreenRect{-1280, 0, 0, 994}, window);
    EXPECT_EQ(origin.x, -785);
    EXPECT_EQ(origin.y, 319);
    origin = CentredOrigin(ScreenRect{0, -1024, 1280, 0}, window);
    EXPECT_EQ(origin.x, 495);
    EXPECT_EQ(origin.y, -690);
    // Only the left and the top edge count, each on its own.
    EXPECT_TRUE(HasNegativeOrigin(window));
    EXPECT_TRUE(HasNegativeOrigin(ScreenRect{-1, 5, 289, 360}));
    EXPECT_TRUE(HasNegativeOrigin(ScreenRect{5, -1, 295, 354}));
    EXPECT_FALSE(HasNegativeOrigin(ScreenRect{0, 0, 290, 355}));
    EXPECT_FALSE(HasNegativeOrigin(big));
    // Past either end of the coordinates' range the origin stays at that end.
    origin = CentredOrigin(ScreenRect{-10, INT32_MAX - 1, -10, INT32_MAX}, ScreenRect{INT32_MIN, 0, INT32_MAX, -1000});
    EXPECT_EQ(origin.x, INT32_MIN);
    EXPECT_EQ(origin.y, INT32_MAX);
}

TEST(Centring, AWindowPartlyOffItsMonitorIsMovedWhollyInside)
{
    struct Row {
        ScreenRect work, window;
        int32_t x, y;
    };
    const Row rows[] = {
        {{0, 0, 1024, 738}, {950, 100, 1240, 455}, 734, 100},    // closed on a wider screen
        {{0, 0, 800, 570}, {300, 400, 540, 610}, 300, 360},      // the add window's OK button below
        {{0, 0, 1024, 738}, {100, 100, 390, 455}, 100, 100},     // wholly inside already
        {{-1280, 0, 0, 994}, {-100, 50, 190, 405}, -290, 50},    // a monitor to the left
        {{0, 30, 1024, 768}, {10, 5, 300, 360}, 10, 30},         // under a taskbar at the top
        {{0, 0, 200, 150}, {50, 50, 340, 405}, 0, 0},            // larger than the area
    };
    for (const Row& row : rows) {
        ScreenPoint origin = FittedOrigin(row.work, row.window);
        EXPECT_EQ(origin.x, row.x) << row.window.left << "," << row.window.top;
        EXPECT_EQ(origin.y, row.y) << row.window.left << "," << row.window.top;
    }
}

}  // namespace
