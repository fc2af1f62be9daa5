// Where the two windows appear: centred the first time, where the user last closed them
// afterwards, and never somewhere no screen shows them.
#include "fixtures.h"

#include <cstdlib>
#include <map>
#include <sstream>
#include <utility>

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

// Where the window lies against where it should: there, or for an empty rectangle centred
// on the work area, where integer division may put it half a pixel either way.
::testing::AssertionResult LiesAt(const Window& window, RECT expected)
{
    RECT r = window.Rect(), work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    bool centred = IsRectEmpty(&expected);
    if (centred) {
        long x = work.left + ((work.right - work.left) - (r.right - r.left)) / 2;
        long y = work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2;
        expected = RECT{x, y, x + r.right - r.left, y + r.bottom - r.top};
    }
    if (centred ? labs(r.left - expected.left) <= 1 && labs(r.top - expected.top) <= 1 : EqualRect(&r, &expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << window.Title() << "\" lies at " << Describe(r) << ", not at "
                                         << Describe(expected) << (centred ? ", centred on the work area " : "")
                                         << (centred ? Describe(work) : "");
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

// What a careless hand edit leaves: a wrong checksum in the main window's value, a
// character that is not hexadecimal in the add window's.
void SpoilStoredPlacements()
{
    StorePlacement(kMainSection, kMainKey, RECT{10, 10, 300, 365});
    StorePlacement(kAddSection, kAddKey, RECT{20, 20, 260, 230});
    std::string text = ReadSettingsFile();
    std::string mainValue = ReadSetting(kMainSection, kMainKey);
    std::string addValue = ReadSetting(kAddSection, kAddKey);
    ASSERT_GE(mainValue.size(), 7u);
    std::string badChecksum = mainValue;
    badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';
    std::string notHex = addValue;
    notHex[6] = 'Z';
    text.replace(text.find(mainValue), mainValue.size(), badChecksum);
    text.replace(text.find(addValue), addValue.size(), notHex);
    WriteSettingsFile(text);
    WINDOWPLACEMENT probe = {};
    ASSERT_FALSE(StoredPlacement(kMainSection, kMainKey, &probe)) << text;
    ASSERT_FALSE(StoredPlacement(kAddSection, kAddKey, &probe)) << text;
}

// The display scale a program started from now on gets, as the user's setting holds it;
// back to 96 when the object goes.
struct DisplayScale {
    void Set(DWORD dpi)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, (const BYTE*)&dpi, sizeof dpi);
        RegCloseKey(key);
    }
    ~DisplayScale() { Set(96); }
};

// The window's size, then each control's place in its client area, in the order the window
// holds them. A combo box's height is the system's (the font's), so only where it starts
// counts; each must still end inside the window. A list ends where its rectangle does.
std::vector<RECT> LayoutOf(const Window& window)
{
    RECT client;
    GetClientRect(window.Handle(), &client);
    RECT outer = window.Rect();
    std::vector<RECT> rects = {RECT{0, 0, outer.right - outer.left, outer.bottom - outer.top}};
    POINT origin = ClientOrigin(window);
    for (const Window& child : ChildrenOf(window)) {
        RECT r = child.Rect();
        OffsetRect(&r, -origin.x, -origin.y);
        EXPECT_TRUE(r.right <= client.right && r.bottom <= client.bottom) << Describe(r) << " is cut off";
        if (child.ClassName() == "ComboBox")
            r.bottom = r.top;
        rects.push_back(r);
    }
    return rects;
}

::testing::AssertionResult ScaledFrom(const std::vector<RECT>& at96, const std::vector<RECT>& now, int dpi)
{
    if (now.size() != at96.size())
        return ::testing::AssertionFailure() << now.size() << " controls, not " << at96.size();
    for (size_t i = 0; i < now.size(); i++) {
        const RECT& b = at96[i];
        RECT scaled = {MulDiv(b.left, dpi, 96), MulDiv(b.top, dpi, 96), MulDiv(b.right, dpi, 96), MulDiv(b.bottom, dpi, 96)};
        if (labs(now[i].left - scaled.left) > 1 || labs(now[i].top - scaled.top) > 1 ||
            labs(now[i].right - scaled.right) > 1 || labs(now[i].bottom - scaled.bottom) > 1)
            return ::testing::AssertionFailure() << (i == 0 ? "the window's size" : "control " + std::to_string(i))
                                                 << " lies at " << Describe(now[i]) << ", not " << Describe(scaled);
    }
    return ::testing::AssertionSuccess();
}

class Placement : public JumpletTest {};

// At every display scale both windows are their 96-DPI layout scaled, so no control comes
// over another; so is a window told that its monitor's scale changed.
TEST_F(Placement, EveryDisplayScaleKeepsTheLayoutInProportion)
{
    DisplayScale scale;
    std::map<int, std::vector<RECT>> layouts[2];  // main and add window, by DPI
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("LogPixels " + std::to_string(dpi));
        scale.Set(dpi);
        Instance app = jumplet.StartShown();
        const Window windows[2] = {app.MainWindow(), ShowAddForm(app).window};
        for (int w = 0; w < 2; w++) {
            layouts[w][dpi] = LayoutOf(windows[w]);
            EXPECT_TRUE(ScaledFrom(layouts[w][96], layouts[w][dpi], dpi)) << windows[w].Title();
        }
        jumplet.EndAll();
    }

    scale.Set(96);
    Instance app = jumplet.StartShown();
    Window main = app.MainWindow();
    RECT suggested = main.Rect();
    suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, 144, 96);
    suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, 144, 96);
    void* remote = VirtualAllocEx(app.ProcessHandle(), nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(remote && WriteProcessMemory(app.ProcessHandle(), remote, &suggested, sizeof suggested, nullptr));
    const UINT dpiChanged = 0x02E0;  // WM_DPICHANGED, newer than the headers this driver is built for
    SendMessageA(main.Handle(), dpiChanged, MAKEWPARAM(144, 144), (LPARAM)remote);
    EXPECT_TRUE(ScaledFrom(layouts[0][96], LayoutOf(main), 144)) << "after WM_DPICHANGED";
}

// Centred on the work area the first time, and whenever the stored place is spoilt or lies
// where no screen shows it; moved inside it where a screen shows only part of it; a stored size or a minimised or maximised state (a hand edit,
// another program's value) only lends its position: the windows have one size and one
// state. Either way both windows stay on top.
TEST_F(Placement, WhereTheWindowsFirstComeUp)
{
    const RECT centred = {0, 0, 0, 0};  // an empty place: centred
    const UINT kSpoilt = 99;  // no show command: the stored values are spoilt instead
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* what;
        RECT main, add;      // stored; empty: nothing stored
        UINT showCommand;
        RECT mainAt, addAt;  // centred, or there
    } const cases[] = {
        {"nothing stored", centred, centred, SW_SHOWNORMAL, centred, centred},
        {"spoilt values", centred, centred, kSpoilt, centred, centred},
        // Far right of the only monitor (one no longer attached), and left of it, where the
        // coordinates turn negative.
        {"off the screen", {5000, 200, 5290, 555}, {-700, 100, -460, 310}, SW_SHOWNORMAL, centred, centred},
        // Shown only in part (closed on a larger screen): moved wholly into the work area.
        {"partly off the screen", {work.right - 74, 300, work.right + 216, 655},
         {300, work.bottom - 100, 540, work.bottom + 110}, SW_SHOWNORMAL, {work.right - 290, 300, work.right, 655},
         {300, work.bottom - 210, 540, work.bottom}},
        {"no size", {300, 200, 300, 200}, {300, 200, 300, 200}, SW_SHOWNORMAL, {300, 200, 590, 555}, {300, 200, 540, 410}},
        {"minimised, too large", {300, 200, 1200, 900}, {300, 200, 1200, 900}, SW_SHOWMINIMIZED, {300, 200, 590, 555},
         {300, 200, 540, 410}},
        {"maximised, too small", {300, 200, 310, 210}, {300, 200, 310, 210}, SW_SHOWMAXIMIZED, {300, 200, 590, 555},
         {300, 200, 540, 410}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(SettingsFilePath().c_str());
        if (c.main.right) {
            StorePlacement(kMainSection, kMainKey, c.main, c.showCommand);
            StorePlacement(kAddSection, kAddKey, c.add, c.showCommand);
        } else if (c.showCommand == kSpoilt) {
            SpoilStoredPlacements();
        }
        Instance app = jumplet.StartShown();
        const std::pair<Window, RECT> windows[] = {{app.MainWindow(), c.mainAt}, {ShowAddForm(app).window, c.addAt}};
        for (const auto& w : windows) {
            EXPECT_TRUE(LiesAt(w.first, w.second));
            EXPECT_FALSE(IsIconic(w.first.Handle()) || IsZoomed(w.first.Handle()));
            EXPECT_TRUE(w.first.IsTopmost()) << "\"" << w.first.Title() << "\" is not on top";
        }
        jumplet.EndAll();
    }
}

// Each window comes back where the user last closed it, not where a launch hid it; both
// places go to the settings file beside the program as soon as the windows close, and
// nothing to the Windows folder.
TEST_F(Placement, WindowsComeBackWhereTheUserClosedThem)
{
    jumplet.WriteDataFile(DataLines({"Marker", marker::ProgramPath()}));
    Instance app = jumplet.StartShown();
    MainForm main(app);
    Window add = ShowAddForm(app).window;
    user::DragByCaption(add, 250, 180);
    RECT addClosedAt = add.Rect();
    user::CloseWithAltF4(add);

    user::DragByCaption(main.window, -300, -200);
    RECT mainClosedAt = main.window.Rect();
    user::ClickCloseBox(main.window);
    ASSERT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); })) << "the close box did not close the main window";
    WINDOWPLACEMENT stored = {};
    ASSERT_TRUE(StoredPlacement(kMainSection, kMainKey, &stored)) << ReadSettingsFile();
    EXPECT_TRUE(EqualRect(&stored.rcNormalPosition, &mainClosedAt)) << Describe(stored.rcNormalPosition);
    ASSERT_TRUE(StoredPlacement(kAddSection, kAddKey, &stored)) << ReadSettingsFile();
    EXPECT_TRUE(EqualRect(&stored.rcNormalPosition, &addClosedAt)) << Describe(stored.rcNormalPosition);
    EXPECT_FALSE(FileExists(OldSettingsFilePath()));

    ClickTrayIcon();
    ASSERT_TRUE(WaitUntil([&] { return main.window.IsVisible(); })) << "the tray icon did not bring the window up";
    user::DragByCaption(main.window, 400, 300);
    user::ClickListItem(main.mainList, IndexOf(main.mainList, "Marker"));
    ASSERT_EQ(marker::WaitForLines(1).size(), 1u) << "the shortcut was not launched";
    ASSERT_TRUE(WaitUntil([&] { return !main.window.IsVisible(); })) << "a launch should hide the window";

    QuitFromTray(app);
    Instance again = jumplet.StartShown();
    EXPECT_TRUE(LiesAt(again.MainWindow(), mainClosedAt));
    EXPECT_TRUE(LiesAt(ShowAddForm(again).window, addClosedAt));
}

// Started hidden, as at log-on, the main window is placed when a second start asks the
// running one to show itself: centred with nothing saved, else where the user closed it.
TEST_F(Placement, AHiddenStartPlacesTheMainWindowWhenItIsFirstShown)
{
    for (bool saved : {false, true}) {
        SCOPED_TRACE(saved ? "closed somewhere before" : "nothing saved");
        RECT closedAt = {};
        if (saved) {
            Instance first = jumplet.StartShown();
            user::DragByCaption(first.MainWindow(), 350, -250);
            closedAt = first.MainWindow().Rect();
            user::ClickCloseBox(first.MainWindow());
            ASSERT_TRUE(WaitUntil([&] { return !first.MainWindow().IsVisible(); }));
            QuitFromTray(first);
        }
        Instance hidden = jumplet.Start("-m");
        Window main = hidden.MainWindow();
        ASSERT_TRUE(main.Exists());
        LetItSettle();
        EXPECT_FALSE(main.IsVisible()) << "a hidden start showed the main window";

        Instance second = jumplet.Start();
        EXPECT_TRUE(second.WaitForExit()) << "the second start did not hand over and end";
        ASSERT_TRUE(WaitUntil([&] { return main.IsVisible(); })) << "the running instance did not show its window";
        EXPECT_TRUE(LiesAt(main, closedAt));
        EXPECT_TRUE(main.IsTopmost());
        jumplet.EndAll();
    }
}

}  // namespace
