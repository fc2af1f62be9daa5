// The More Options dialog as a user meets it: its controls and pictures, the options it
// shows and changes, the hotkey with its restart, help and the share links, and what many
// openings cost the program.
#include "fixtures.h"

#include <winternl.h>

#include <iterator>

namespace e2e {
namespace {

constexpr const char* kOptionsTitle = "More Options";

// The dialog's controls, and the bitmaps of the picture buttons.
enum OptionsControl {
    kHelpButton = 1,
    kAboutText = 102,
    kFacebookButton = 103,
    kAutoStartBox = 1000,
    kHotkeyList = 1001,
    kTwitterButton = 1002,
    kGooglePlusButton = 1003,
    kVisitButton = 1004,
    kSoundBox = 1005,
};
// The pictures as the resource files hold them.
constexpr const char* kLogo = "logo.bmp";
constexpr const char* kFacebook = "share_fb.bmp";
constexpr const char* kFacebookHover = "share_fb_hover.bmp";
constexpr const char* kTwitter = "share_tw.bmp";
constexpr const char* kTwitterHover = "share_tw_hover.bmp";
constexpr const char* kGooglePlus = "share_gp.bmp";
constexpr const char* kGooglePlusHover = "share_gp_hover.bmp";
constexpr const char* kVisit = "visit_site.bmp";
constexpr const char* kVisitHover = "visit_site_hover.bmp";

const char* const kHotkeys[] = {"Page Down Key", "Home Key", "End Key", "Page Up Key", "F7 Key", "F8 Key",
                                "F9 Key",        "F10 Key",  "F11 Key", "F12 Key",     "None (Disable)"};

constexpr const char* kSite = "http://jumplet.example.org";
constexpr const char* kHotkeyOffText =
    "The Keyboard Shortcut Feature is now disabled.\r\nYou can enable it again from here.";
constexpr const char* kRestartQuestion =
    "Keyboard Shortcut Feature is disabled.\nApplication needs to be restarted to\nenable this feature again.\n"
    "Press YES to restart, NO to cancel.";
// Longer than the five seconds without a message after which Wine passes over a hook.
constexpr int kKeyboardRestMs = 6000;

// ---- Pixels ------------------------------------------------------------------------------

using Pixels = std::vector<DWORD>;  // 0xRRGGBB, row by row from the top

struct Image {
    SIZE size = {0, 0};
    Pixels pixels;
};

Image PixelsOf(HBITMAP bitmap)
{
    Image picture;
    BITMAP header = {};
    if (!GetObjectA(bitmap, sizeof header, &header))
        return picture;
    picture.size = SIZE{header.bmWidth, header.bmHeight};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = header.bmWidth;
    info.bmiHeader.biHeight = -header.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    picture.pixels.resize(header.bmWidth * header.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, header.bmHeight, picture.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (DWORD& pixel : picture.pixels)
        pixel &= 0xFFFFFF;
    return picture;
}

// What the screen shows in a rectangle (screen coordinates).
Image ScreenPixels(RECT r)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP copy = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
    HGDIOBJ previous = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, previous);
    Image shown = PixelsOf(copy);
    DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shown;
}

// A bitmap as the project's resource folder holds it, not as the program carries it: a
// program built with its pictures mixed up must not pass.
Image Bitmap(const char* file)
{
    std::string path = Environment("JUMPLET_RES") + "\\" + file;
    HBITMAP bitmap = (HBITMAP)LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    Image picture = PixelsOf(bitmap);
    EXPECT_GT(picture.size.cx, 0) << "no bitmap " << path << "; run the suite through tests/e2e/run.sh";
    DeleteObject(bitmap);
    return picture;
}

// Whether a window shows the picture, but for where a tooltip of its program lies over it.
bool Shows(const Window& window, const Image& picture)
{
    RECT r = window.Rect();
    Image shown = ScreenPixels(r);
    if (shown.size.cx != picture.size.cx || shown.size.cy != picture.size.cy)
        return false;
    std::vector<RECT> tips;
    for (const Window& tip : TopLevelWindows("tooltips_class32", "", window.ProcessId()))
        if (IsWindowVisible(tip.Handle()))
            tips.push_back(tip.Rect());
    for (LONG y = 0; y < shown.size.cy; y++) {
        for (LONG x = 0; x < shown.size.cx; x++) {
            POINT at = {r.left + x, r.top + y};
            bool covered = std::any_of(tips.begin(), tips.end(), [&](const RECT& tip) { return PtInRect(&tip, at); });
            size_t i = (size_t)(y * shown.size.cx + x);
            if (!covered && shown.pixels[i] != picture.pixels[i])
                return false;
        }
    }
    return true;
}

// ---- Counting GDI objects ------------------------------------------------------------

// Wine answers GetGuiResources with 0. Its GDI keeps, as Windows does, a table of the
// process's objects that the PEB points to (GdiSharedHandleTable, at 0x94 in a 32-bit PEB,
// 0xF8 in a 64-bit one): entries of 24 bytes in either, of which a live one has a non-zero
// type byte at offset 14. The table is read from the process's memory (the driver is built
// for the same processor as the program); the count is trusted only once it has seen the
// driver's own objects come and go.
constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kGdiEntrySize = 24;
constexpr size_t kGdiTypeOffset = 14;
#ifdef _WIN64
constexpr size_t kPebGdiTableOffset = 0xF8;
#else
constexpr size_t kPebGdiTableOffset = 0x94;
#endif

int GdiTableCount(HANDLE process)
{
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    auto query = (QueryProcess)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic = {};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    void* table = nullptr;
    if (!ReadProcessMemory(process, (char*)basic.PebBaseAddress + kPebGdiTableOffset, &table, sizeof table, nullptr) ||
        table == nullptr)
        return -1;
    std::vector<unsigned char> entries(kGdiTableEntries * kGdiEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr))
        return -1;
    int live = 0;
    for (size_t i = 0; i < kGdiTableEntries; i++)
        live += entries[i * kGdiEntrySize + kGdiTypeOffset] != 0;
    return live;
}

bool GdiTableCountWorks()
{
    HANDLE self = GetCurrentProcess();
    int before = GdiTableCount(self);
    HBITMAP made[10];
    for (HBITMAP& bitmap : made)
        bitmap = CreateBitmap(4, 4, 1, 1, nullptr);
    int during = GdiTableCount(self);
    for (HBITMAP bitmap : made)
        DeleteObject(bitmap);
    return before >= 0 && during == before + 10 && GdiTableCount(self) == before;
}

// The process's GDI objects, or -1 when neither way can count them.
int GdiObjects(const Instance& app)
{
    DWORD reported = GetGuiResources(app.ProcessHandle(), GR_GDIOBJECTS);
    if (reported != 0)
        return (int)reported;
    static const bool tableWorks = GdiTableCountWorks();
    return tableWorks ? GdiTableCount(app.ProcessHandle()) : -1;
}

// ---- The dialog ----------------------------------------------------------------------

DWORD StyleOf(const Window& window) { return (DWORD)GetWindowLongW(window.Handle(), GWL_STYLE); }
Window OptionsDialogOf(const Instance& app) { return FirstVisible("#32770", kOptionsTitle, app.ProcessId()); }
bool IsChecked(const Window& box) { return box.Send(BM_GETCHECK) == BST_CHECKED; }

Window WaitForOptionsDialog(const Instance& app)
{
    Window dialog;
    EXPECT_TRUE(WaitUntil([&] { return (bool)(dialog = OptionsDialogOf(app)); })) << "the options dialog did not open";
    return dialog;
}

// Through the main window's "Option" button.
Window OpenOptions(const Instance& app)
{
    Window main = app.MainWindow();
    user::BringToFront(main);
    user::Click(main.Control(kOptionButton));
    return WaitForOptionsDialog(app);
}

void ExpectClosed(const Instance& app, const char* how)
{
    EXPECT_TRUE(WaitUntil([&] { return !OptionsDialogOf(app); })) << how << " did not close the dialog";
}

// The main window is always on top as well and lies under the dialog; on a busy machine a
// late activation can lift it over the dialog for a moment. Click when the control shows.
void ClickInDialog(const Window& dialog, int id)
{
    Window control = dialog.Control(id);
    EXPECT_TRUE(WaitUntil([&] {
        user::BringToFront(dialog);
        return user::ShowsAt(control, control.Centre());
    })) << "the dialog is not in front at control " << id;
    user::Click(control);
}

// The message boxes of the program, its options dialog (a dialog too) left out.
std::vector<std::string> BoxCaptions(const Instance& app)
{
    std::vector<std::string> captions;
    for (const MsgBox& box : app.MessageBoxes())
        if (box.Caption() != kOptionsTitle)
            captions.push_back(box.Caption());
    return captions;
}

// The box that the choice of a key brings up, answered.
void Answer(const Instance& app, const char* caption, const char* text, int button)
{
    MsgBox box = app.WaitForMessageBox(caption);
    ASSERT_TRUE(box) << "no \"" << caption << "\" box";
    EXPECT_EQ(box.Message(), text);
    box.Press(button);
    ASSERT_TRUE(WaitUntil([&] { return !box.Exists(); }));
}

std::string RunData(const Jumplet& jumplet)
{
    return "\"" + jumplet.ExePath() + "\" -m";
}

class Options : public JumpletTest {};

TEST_F(Options, OpensAsItsTemplateSaysWithTheDefaults)
{
    Instance app = jumplet.StartShown();
    Window dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog.IsForeground());
    // Every top-level window gets WS_CLIPSIBLINGS from the system.
    EXPECT_EQ(StyleOf(dialog) & ~WS_CLIPSIBLINGS, 0x90C808CCu);
    EXPECT_TRUE(GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Dialog units become pixels through the font's base units, whole numbers that the
    // client area, 249 x 186 units, gives away.
    RECT client;
    GetClientRect(dialog.Handle(), &client);
    int baseX = 0, baseY = 0;
    for (int unit = 1; unit < 40; unit++) {
        if (MulDiv(249, unit, 4) == client.right)
            baseX = unit;
        if (MulDiv(186, unit, 8) == client.bottom)
            baseY = unit;
    }
    ASSERT_TRUE(baseX && baseY) << "a client area of " << client.right << " x " << client.bottom
                                << " is no whole number of base units";

    struct Control {
        int id;
        const char* className;
        DWORD style;
        RECT units;  // left, top, width, height
        const char* picture;  // the picture button's normal bitmap, which gives its size
    };
    const Control controls[] = {
        {-1, "Static", 0x50000000, {21, 62, 36, 8}, nullptr},
        {kAutoStartBox, "Button", 0x50010003, {58, 60, 16, 13}, nullptr},
        {-1, "Static", 0x50000000, {74, 62, 82, 8}, nullptr},
        {kSoundBox, "Button", 0x50010003, {156, 60, 12, 13}, nullptr},
        {kHotkeyList, "ComboBox", 0x50010202, {97, 80, 72, 14}, nullptr},
        {-1, "Static", 0x50000000, {21, 82, 76, 8}, nullptr},
        {kHelpButton, "Button", 0x50010001, {143, 102, 29, 17}, nullptr},
        {kFacebookButton, "Button", 0x50010000, {205, 30, 14, 14}, kFacebook},
        {kTwitterButton, "Button", 0x50010000, {205, 65, 17, 14}, kTwitter},
        {kGooglePlusButton, "Button", 0x50010000, {205, 100, 15, 14}, kGooglePlus},
        {kVisitButton, "Button", 0x50010000, {205, 138, 14, 14}, kVisit},
        {-1, "Button", 0x50000007, {11, 44, 170, 87}, nullptr},
        {kAboutText, "Edit", 0x50000884, {10, 139, 175, 38}, nullptr},
        {-1, "Button", 0x50000007, {193, 9, 46, 167}, nullptr},
    };
    const char* const texts[] = {"Auto-Start", "", "Play Sound at Launch ?", "", "Page Down Key", "Select a Shortcut key",
                                 "Help", "FB", "TW", "GP", "KV", "", "Jumplet is a shortcut tool that helps\r\nyou to "
                                 "launch your favourite file, folder\r\nand websites faster.\r\n", "Share"};
    std::vector<Window> children = ChildrenOf(dialog);
    ASSERT_EQ(children.size(), std::size(controls));
    POINT origin = ClientOrigin(dialog);
    // Texts are measured in the font Windows gives this template, the shell font at 8 pt.
    HDC screen = GetDC(nullptr);
    HFONT shellFont = CreateFontA(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                  DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg 2");
    HGDIOBJ oldFont = SelectObject(screen, shellFont);
    auto textWidth = [&](const std::string& text) {
        SIZE size = {};
        GetTextExtentPoint32A(screen, text.c_str(), (int)text.size(), &size);
        return (int)size.cx;
    };
    for (size_t i = 0; i < children.size(); i++) {
        const Control& expected = controls[i];
        const Window& child = children[i];
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.id));
        EXPECT_EQ(GetDlgCtrlID(child.Handle()), expected.id);
        EXPECT_EQ(child.ClassName(), expected.className);
        EXPECT_EQ(child.Text(), texts[i]);
        EXPECT_EQ(StyleOf(child), expected.style);
        RECT r = child.Rect();
        OffsetRect(&r, -origin.x, -origin.y);
        EXPECT_EQ(r.left, MulDiv(expected.units.left, baseX, 4));
        EXPECT_EQ(r.top, MulDiv(expected.units.top, baseY, 8));
        SIZE size = {MulDiv(expected.units.right, baseX, 4), MulDiv(expected.units.bottom, baseY, 8)};
        if (expected.picture) {
            Image normal = Bitmap(expected.picture);
            size = normal.size;
            EXPECT_TRUE(Shows(child, normal)) << "not its normal picture";
        }
        EXPECT_EQ(r.right - r.left, size.cx);
        if (expected.className == std::string("Static")) {
            EXPECT_LE(textWidth(texts[i]), r.right - r.left) << "the label is cut";
        }
        // A combo box's height in the template is that of its open list, which Wine
        // lengthens to six items at least; closed, it is as high as its font makes it.
        if (expected.id != kHotkeyList) {
            EXPECT_EQ(r.bottom - r.top, size.cy);
        }
    }
    RECT keyField = {};
    GetClientRect(FindWindowExA(dialog.Control(kHotkeyList).Handle(), nullptr, "Edit", nullptr), &keyField);
    for (const char* key : kHotkeys) {
        EXPECT_LE(textWidth(key), keyField.right) << key << " is cut in the key list";
    }
    SelectObject(screen, oldFont);
    DeleteObject(shellFont);
    ReleaseDC(nullptr, screen);
    RECT visit = dialog.Control(kVisitButton).Rect();
    EXPECT_EQ(visit.right - visit.left, 36);
    EXPECT_EQ(visit.bottom - visit.top, 45);

    // No settings file: both boxes off and the first key chosen.
    EXPECT_FALSE(IsChecked(dialog.Control(kAutoStartBox)));
    EXPECT_FALSE(IsChecked(dialog.Control(kSoundBox)));
    Window hotkeys = dialog.Control(kHotkeyList);
    EXPECT_EQ(hotkeys.ComboItems(), std::vector<std::string>(std::begin(kHotkeys), std::end(kHotkeys)));
    EXPECT_EQ(hotkeys.ComboSelection(), 0);

    // The lettering darkens the dialog's face where it is dark, at (15, 10).
    Image logo = Bitmap(kLogo);
    RECT logoRect = {origin.x + 15, origin.y + 10, origin.x + 15 + logo.size.cx, origin.y + 10 + logo.size.cy};
    DWORD face = ScreenPixels(RECT{origin.x + 2, origin.y + 2, origin.x + 3, origin.y + 3}).pixels[0];
    for (DWORD& pixel : logo.pixels)
        pixel &= face;
    EXPECT_TRUE(ScreenPixels(logoRect).pixels == logo.pixels) << "the lettering is not where it belongs";

    SaveScreenshotOf("options-dialog", dialog);

    // Asked again from the tray while it is open, the same dialog comes to the front.
    HWND first = dialog.Handle();
    ChooseFromTrayMenu(kMoreOptions);
    EXPECT_TRUE(WaitUntil([&] { return dialog.IsForeground(); }));
    LetItSettle();
    EXPECT_EQ(TopLevelWindows("#32770", kOptionsTitle, app.ProcessId()).size(), 1u);
    EXPECT_EQ(OptionsDialogOf(app).Handle(), first);
    EXPECT_TRUE(BoxCaptions(app).empty());
}

// The boxes show what the settings file holds, but the Auto-Start box and the tray's check
// mark what the Run value says; a command elsewhere in the dialog leaves the value alone.
TEST_F(Options, ShowTheStoredOptionsAndAgreeWithTheTray)
{
    struct Case {
        const char* startup;
        const char* launchSound;
        const char* hotkey;
        bool autoStart;
        bool sound;
        int selection;
    };
    const Case cases[] = {
        {"1", "1", "4", false, true, 4},
        {"5", "0", "10", true, false, 10},
        {"0", "1", "11", false, true, -1},  // a key past the table: no selection
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("startup=") + c.startup + " launchsound=" + c.launchSound + " vkkey=" + c.hotkey);
        WriteSettingsFile(std::string("[kestrovane]\r\nstartup=") + c.startup + "\r\nlaunchsound=" + c.launchSound +
                          "\r\n[moreopt]\r\nvkkey=" + c.hotkey + "\r\n");
        DeleteRunValue();
        if (c.autoStart)
            WriteRunValue(RunData(jumplet));
        Instance app = jumplet.StartShown();
        Window dialog = OpenOptions(app);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(IsChecked(dialog.Control(kAutoStartBox)), c.autoStart);
        EXPECT_EQ(IsChecked(dialog.Control(kSoundBox)), c.sound);
        EXPECT_EQ(dialog.Control(kHotkeyList).ComboSelection(), c.selection);
        EXPECT_EQ(AutoStartItemShowsCheck(), c.autoStart);

        ClickInDialog(dialog, kHelpButton);
        ASSERT_EQ(Opened(1).size(), 1u);
        EXPECT_EQ(RunValueExists(), c.autoStart);
        if (c.autoStart) {
            EXPECT_EQ(ReadRunValue(), RunData(jumplet));
        }
        EXPECT_EQ(AutoStartItemShowsCheck(), c.autoStart);

        // The tray's item while the dialog is open: the dialog's box follows at once.
        ChooseFromTrayMenu(kInvokeAtStartup);
        EXPECT_TRUE(WaitUntil([&] { return IsChecked(dialog.Control(kAutoStartBox)) != c.autoStart; }));
        EXPECT_EQ(RunValueExists(), !c.autoStart);
        QuitFromTray(app);
        EXPECT_EQ(ReadSetting("kestrovane", "startup"), c.autoStart ? "0" : "1");
        EXPECT_EQ(ReadSetting("kestrovane", "launchsound"), c.launchSound);
        marker::ClearLog();
    }
}

// Start at logon, by the tray's "Invoke At Startup" and by the dialog's Auto-Start box:
// the Run value and the tray's check mark change at once, choosing it twice restores them,
// and it is saved at once. The value starts the program hidden from a folder with blanks, and
// the next start shows the check mark. In the dialog only a click on the box writes the
// value, and the launch sound too is saved at once: a kill loses neither.
TEST_F(Options, StartAtLogonByTheTrayAndByTheDialog)
{
    Jumplet spaced("Jumplet with blanks", "C:\\e2e\\Program Files");
    for (bool byDialog : {false, true}) {
        SCOPED_TRACE(byDialog ? "by the dialog" : "by the tray");
        DeleteFileA(SettingsFilePath().c_str());
        DeleteRunValue();
        marker::ClearLog();
        Instance app = spaced.StartShown();
        Window dialog = byDialog ? OpenOptions(app) : Window();
        auto choose = [&] { byDialog ? ClickInDialog(dialog, kAutoStartBox) : ChooseFromTrayMenu(kInvokeAtStartup); };
        EXPECT_FALSE(AutoStartItemShowsCheck());
        choose();
        ASSERT_TRUE(WaitUntil([] { return RunValueExists(); })) << "no Run value";
        DWORD type = REG_NONE;
        EXPECT_EQ(ReadRunValue(&type), RunData(spaced));
        EXPECT_EQ(type, (DWORD)REG_SZ);
        EXPECT_TRUE(AutoStartItemShowsCheck());
        if (byDialog) {
            DeleteRunValue();  // as a clean-up tool might
            ClickInDialog(dialog, kVisitButton);
            EXPECT_EQ(Opened(1), std::vector<std::string>{std::string(kSite) + "/"});
            for (int i = 0; i < 3; i++)
                user::PressKey(VK_TAB);
            LetItSettle();
            EXPECT_FALSE(RunValueExists()) << "a click or Tab elsewhere in the dialog wrote the Run value";
        }

        choose();
        EXPECT_TRUE(WaitUntil([] { return !RunValueExists(); })) << "the Run value stayed";
        EXPECT_FALSE(AutoStartItemShowsCheck());
        choose();
        ASSERT_TRUE(WaitUntil([] { return RunValueExists(); }));
        if (byDialog) {
            ClickInDialog(dialog, kSoundBox);
            EXPECT_TRUE(WaitUntil([&] { return IsChecked(dialog.Control(kSoundBox)); }));
        }
        spaced.EndAll();
        EXPECT_EQ(ReadSetting("kestrovane", "startup"), "1");
        EXPECT_EQ(ReadSetting("kestrovane", "launchsound"), byDialog ? "1" : "");
    }

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
    EXPECT_FALSE(logon.HasEnded());
    spaced.EndAll();
    CloseHandle(started.hProcess);
}

// A Run key that refuses changes. Chosen in the tray menu, the change is told, and the Run
// value, the check mark and the state that Quit saves all stay as they were; a command in
// the dialog, whose box shows what the key already holds, is no failure. A change in the
// dialog is told once per opening, and the box goes back to the state that holds.
TEST_F(Options, ARefusingRunKeyIsToldOncePerOpening)
{
    for (bool on : {true, false}) {
        SCOPED_TRACE(on ? "on, with its Run value" : "off, without one");
        WriteSettingsFile(on ? "[kestrovane]\r\nstartup=1\r\n" : "[kestrovane]\r\nstartup=0\r\n");
        DeleteRunValue();
        if (on)
            WriteRunValue(RunData(jumplet));
        Instance app = jumplet.StartShown();
        EXPECT_EQ(AutoStartItemShowsCheck(), on);
        {
            RunKeyLocked locked;
            ChooseFromTrayMenu(kInvokeAtStartup);
            MsgBox box = app.WaitForMessageBox("Error");
            ASSERT_TRUE(box) << "a refused change must be told";
            EXPECT_NE(box.Message().find("Start at logon could not be changed"), std::string::npos) << box.Message();
            box.PressOk();
            EXPECT_EQ(ReadRunValue(), on ? RunData(jumplet) : "");
            EXPECT_EQ(AutoStartItemShowsCheck(), on);

            Window dialog = OpenOptions(app);
            ASSERT_TRUE(dialog);
            ClickInDialog(dialog, kSoundBox);
            ASSERT_TRUE(WaitUntil([&] { return IsChecked(dialog.Control(kSoundBox)); }));
            LetItSettle();
            EXPECT_TRUE(BoxCaptions(app).empty());
            EXPECT_EQ(IsChecked(dialog.Control(kAutoStartBox)), on);
            EXPECT_EQ(RunValueExists(), on);
        }
        QuitFromTray(app);
        EXPECT_EQ(ReadSetting("kestrovane", "startup"), on ? "1" : "0");
    }

    Instance app = jumplet.StartShown();
    RunKeyLocked locked;
    for (int opening = 0; opening < 2; opening++) {
        SCOPED_TRACE("opening " + std::to_string(opening + 1));
        Window dialog = OpenOptions(app);
        ASSERT_TRUE(dialog);
        Window box = dialog.Control(kAutoStartBox);
        ClickInDialog(dialog, kAutoStartBox);
        MsgBox told = app.WaitForMessageBox("Error");
        ASSERT_TRUE(told) << "a refused change must be told";
        EXPECT_NE(told.Message().find("Start at logon could not be changed"), std::string::npos) << told.Message();
        EXPECT_FALSE(IsChecked(box));
        told.PressOk();
        ASSERT_TRUE(WaitUntil([&] { return !told.Exists(); }));

        for (int id : {kAutoStartBox, kSoundBox, kAutoStartBox}) {
            ClickInDialog(dialog, id);
            LetItSettle();
            EXPECT_TRUE(BoxCaptions(app).empty()) << "told again after a click on " << id;
            EXPECT_FALSE(IsChecked(box));
        }
        EXPECT_FALSE(RunValueExists());
        EXPECT_FALSE(AutoStartItemShowsCheck());
        user::ClickCloseBox(dialog);
        ExpectClosed(app, "the close box");
    }
}

// With the hook installed a new key works at the next key, after a rest of the keyboard
// too; "None" only says what it does.
TEST_F(Options, AKeyChosenWhileTheHookRunsWorksAtOnce)
{
    Instance app = jumplet.StartShown();
    Window main = app.MainWindow();
    Window dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    user::ChooseFromDropDown(dialog.Control(kHotkeyList), 4);
    EXPECT_TRUE(WaitUntil([] { return ReadSetting("moreopt", "vkkey") == "4"; }));
    LetItSettle();
    EXPECT_TRUE(BoxCaptions(app).empty());
    user::CloseWithAltF4(dialog);
    ExpectClosed(app, "Alt+F4");
    user::CloseWithAltF4(main);
    LetItSettle(kKeyboardRestMs);
    user::PressKey(VK_F7);
    EXPECT_TRUE(WaitUntil([&] { return main.IsVisible(); })) << "F7 did not bring the window up";

    dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog.Control(kHotkeyList).ComboSelection(), 4);
    user::ChooseFromDropDown(dialog.Control(kHotkeyList), 10);
    Answer(app, "Message", kHotkeyOffText, IDOK);
    LetItSettle();
    EXPECT_TRUE(BoxCaptions(app).empty()) << "a restart was offered with the hook in place";
    EXPECT_EQ(ReadSetting("moreopt", "vkkey"), "10");
}

// Started with "None", the program has no hook: every choice is stored and offers a
// restart; No keeps this instance, and the next start installs the hook.
TEST_F(Options, WithoutTheHookAChoiceOffersARestart)
{
    WriteSettingsFile("[moreopt]\r\nvkkey=10\r\n");
    Instance app = jumplet.StartShown();
    Window dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    user::ChooseFromDropDown(dialog.Control(kHotkeyList), 1);
    Answer(app, "Confirm", kRestartQuestion, IDNO);
    EXPECT_EQ(ReadSetting("moreopt", "vkkey"), "1");

    user::ChooseFromDropDown(dialog.Control(kHotkeyList), 10);
    Answer(app, "Message", kHotkeyOffText, IDOK);
    Answer(app, "Confirm", kRestartQuestion, IDNO);
    EXPECT_EQ(ReadSetting("moreopt", "vkkey"), "10");

    user::ChooseFromDropDown(dialog.Control(kHotkeyList), 5);
    Answer(app, "Confirm", kRestartQuestion, IDNO);
    EXPECT_EQ(ReadSetting("moreopt", "vkkey"), "5");
    EXPECT_FALSE(app.HasEnded());
    EXPECT_TRUE(dialog.IsVisible());

    QuitFromTray(app);
    Instance next = jumplet.StartShown();
    user::CloseWithAltF4(next.MainWindow());
    user::PressKey(VK_F8);
    EXPECT_TRUE(WaitUntil([&] { return next.MainWindow().IsVisible(); })) << "F8 did not bring the window up";
}

// Yes saves the options, starts a new instance, which has the hook, and ends this one:
// one program, one tray icon. When the program's file has gone away meanwhile, the restart
// says so, and the program, its tray icon and the dialog stay.
TEST_F(Options, YesRestartsTheProgramWithTheHookOrSaysWhyNot)
{
    for (bool fileGone : {false, true}) {
        SCOPED_TRACE(fileGone ? "the program's file renamed away" : "a restart");
        DeleteFileA(SettingsFilePath().c_str());
        WriteSettingsFile("[moreopt]\r\nvkkey=10\r\n");
        Instance app = jumplet.StartShown();
        ASSERT_TRUE(WaitUntil([] { return !TrayIcons().empty(); }));
        size_t icons = TrayIcons().size();
        if (fileGone) {
            ASSERT_TRUE(MoveFileA(jumplet.ExePath().c_str(), (jumplet.Folder() + "renamed.exe").c_str()));
        }
        Window dialog = OpenOptions(app);
        ASSERT_TRUE(dialog);
        ClickInDialog(dialog, kSoundBox);
        ASSERT_TRUE(WaitUntil([&] { return IsChecked(dialog.Control(kSoundBox)); })) << "the click was lost";
        user::ChooseFromDropDown(dialog.Control(kHotkeyList), 2);
        Answer(app, "Confirm", kRestartQuestion, IDYES);
        if (fileGone) {
            Answer(app, "Message",
                   "Failed To Restart Program Automatically.\nPlease Quit this program from tray menu and restart it "
                   "again.",
                   IDOK);
        } else {
            ASSERT_TRUE(app.WaitForExit()) << "the old instance did not end";
            EXPECT_EQ(app.ExitCode(), 0u);
        }
        Window main;
        ASSERT_TRUE(WaitUntil([&] {
            std::vector<Window> mains = TopLevelWindows(kMainClass, kMainTitle);
            return mains.size() == 1 && (main = mains[0]).IsVisible();
        })) << "not one program with its window up";
        EXPECT_EQ(main.ProcessId() == app.ProcessId(), fileGone);
        EXPECT_TRUE(WaitUntil([&] { return TrayIcons().size() == icons; })) << "not one tray icon";
        EXPECT_EQ(dialog.IsVisible(), fileGone);
        EXPECT_EQ(ReadSetting("kestrovane", "launchsound"), "1") << "the options were not saved first";
        EXPECT_EQ(ReadSetting("moreopt", "vkkey"), "2");
        if (!fileGone) {
            user::CloseWithAltF4(main);
            LetItSettle(kKeyboardRestMs);
            user::PressKey(VK_END);
            EXPECT_TRUE(WaitUntil([&] { return main.IsVisible(); })) << "End did not bring the new window up";
        }
        jumplet.EndAll();
    }
}

// Enter is Help, Escape nothing; the four links and the online help go through the shell;
// the system menu's Close closes the dialog.
TEST_F(Options, HelpLinksAndTheKeys)
{
    Instance app = jumplet.StartShown();
    Window dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    user::PressKey(VK_RETURN);
    EXPECT_EQ(Opened(1), std::vector<std::string>{jumplet.Folder() + "help.html"});
    user::PressKey(VK_ESCAPE);
    LetItSettle();
    EXPECT_TRUE(dialog.IsVisible()) << "Escape closed the dialog";
    // Tab goes round every control as the dialog reads, the key list's field included.
    const Window stops[] = {dialog.Control(kAutoStartBox), dialog.Control(kSoundBox),
                            ChildrenOf(dialog.Control(kHotkeyList), "Edit").at(0), dialog.Control(kHelpButton),
                            dialog.Control(kFacebookButton), dialog.Control(kTwitterButton),
                            dialog.Control(kGooglePlusButton), dialog.Control(kVisitButton)};
    for (int i = 0; i < 16 && !stops[0].HasFocus(); i++)
        user::PressKey(VK_TAB);
    for (size_t i = 1; i <= std::size(stops); i++) {
        user::PressKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return stops[i % std::size(stops)].HasFocus(); })) << "Tab number " << i;
    }

    const std::string site = kSite;
    const std::vector<std::string> links = {
        site + "/facebook",
        site + "/twitter/share?url=Visit " + site +
            "&text=Hey Friends ! Checkout Jumplet Software - an amazing shortcut tool for your Windows PC at " + site +
            "&count=horiztonal",
        site + "/gp/",
        site + "/",
    };
    const int buttons[] = {kFacebookButton, kTwitterButton, kGooglePlusButton, kVisitButton};
    for (size_t i = 0; i < links.size(); i++) {
        marker::ClearLog();
        ClickInDialog(dialog, buttons[i]);
        EXPECT_EQ(Opened(1), std::vector<std::string>{links[i]});
    }

    marker::ClearLog();
    ASSERT_TRUE(DeleteFileA((jumplet.Folder() + "help.html").c_str()));
    ClickInDialog(dialog, kHelpButton);
    EXPECT_EQ(Opened(1), std::vector<std::string>{site + "/jumplet/help.html"});
    EXPECT_EQ(marker::Lines().size(), 1u);

    // The close box and Alt+F4 close it in the other tests.
    user::PressKeys({VK_MENU, VK_SPACE});
    ASSERT_TRUE(WaitUntil([] { return (bool)FirstVisible("#32768"); })) << "no system menu";
    user::PressKey('C');
    ExpectClosed(app, "the system menu's Close");
    EXPECT_TRUE(app.MainWindow().IsVisible());
}

// Each picture button shows its hover picture and tooltip under the pointer and its normal
// picture once the pointer moves over the dialog; a press shows the pressed picture (the
// normal one) until a move after the release, and opens the link.
TEST_F(Options, PictureButtonsFollowThePointer)
{
    Instance app = jumplet.StartShown();
    Window dialog = OpenOptions(app);
    ASSERT_TRUE(dialog);
    POINT origin = ClientOrigin(dialog);
    const POINT background = {origin.x + 6, origin.y + 120};
    struct Button {
        int id;
        const char* normal;
        const char* hover;
        const char* tip;
    };
    const Button buttons[] = {
        {kFacebookButton, kFacebook, kFacebookHover, "Share On Facebook"},
        {kTwitterButton, kTwitter, kTwitterHover, "Share On Twitter"},
        {kGooglePlusButton, kGooglePlus, kGooglePlusHover, "Share On Google+"},
        {kVisitButton, kVisit, kVisitHover, "Visit jumplet.example.org"},
        {kAutoStartBox, nullptr, nullptr, "Invoke at startup ?"},
    };
    auto tipShown = [&] {
        Window tip = FirstVisible("tooltips_class32", "", app.ProcessId());
        return tip ? tip.Text() : std::string();
    };
    for (const Button& b : buttons) {
        SCOPED_TRACE("control " + std::to_string(b.id));
        Window button = dialog.Control(b.id);
        user::MoveMouseTo(button.Centre());
        EXPECT_TRUE(WaitUntil([&] { return tipShown() == b.tip; })) << "tip: " << tipShown();
        if (!b.normal)
            continue;
        Image normal = Bitmap(b.normal);
        Image hover = Bitmap(b.hover);
        EXPECT_TRUE(WaitUntil([&] { return Shows(button, hover); }, 3000)) << "no hover picture";
        user::MoveMouseTo(background);
        EXPECT_TRUE(WaitUntil([&] { return Shows(button, normal); }, 3000)) << "no normal picture";
    }

    Window facebook = dialog.Control(kFacebookButton);
    Image normal = Bitmap(kFacebook);
    Image hover = Bitmap(kFacebookHover);
    POINT centre = facebook.Centre();
    user::MoveMouseTo(centre);
    ASSERT_TRUE(WaitUntil([&] { return Shows(facebook, hover); }, 3000));
    user::Mouse(MOUSEEVENTF_LEFTDOWN, centre);
    EXPECT_TRUE(WaitUntil([&] { return Shows(facebook, normal); }, 3000)) << "a press shows the pressed picture";
    user::Mouse(MOUSEEVENTF_MOVE, POINT{centre.x + 4, centre.y + 4});
    LetItSettle(300);
    EXPECT_TRUE(Shows(facebook, normal)) << "a move with the button held showed the hover picture";
    user::Mouse(MOUSEEVENTF_LEFTUP, POINT{centre.x + 4, centre.y + 4});
    EXPECT_EQ(Opened(1), std::vector<std::string>{std::string(kSite) + "/facebook"});
    user::MoveMouseTo(centre);
    EXPECT_TRUE(WaitUntil([&] { return Shows(facebook, hover); }, 3000)) << "no hover picture after the release";
}

// The twelve bitmaps and the font of an opening are given back when the dialog closes.
// Opened through posted commands, so that hundreds of openings take seconds, not minutes.
TEST_F(Options, HundredsOfOpeningsLeaveTheGdiObjectCountFlat)
{
    constexpr int kOpenings = 300;
    Instance app = jumplet.StartShown();
    Window main = app.MainWindow();
    auto openAndClose = [&] {
        PostMessageW(main.Handle(), WM_COMMAND, kOptionButton, 0);
        Window dialog = WaitForOptionsDialog(app);
        PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        return WaitUntil([&] { return !dialog.Exists(); });
    };
    // The first openings leave what the system keeps for good once made (classes, cached
    // brushes and fonts, some of them made a little later); from then on an opening must
    // cost nothing: a leak of even one object each time would add one per opening.
    for (int i = 0; i < 3; i++)
        ASSERT_TRUE(openAndClose());
    int before = GdiObjects(app);
    ASSERT_GT(before, 0) << "the GDI objects of the program cannot be counted here";
    for (int i = 0; i < kOpenings; i++)
        ASSERT_TRUE(openAndClose()) << "opening " << i;
    int after = -1;
    EXPECT_TRUE(WaitUntil([&] { return (after = GdiObjects(app)) - before < kOpenings; }))
        << before << " GDI objects before " << kOpenings << " openings, " << after << " after";
    printf("GDI objects: %d before %d openings, %d after\n", before, kOpenings, after);
}

}  // namespace
}  // namespace e2e
