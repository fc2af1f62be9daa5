// The program's own windows as a user sees them: the search line, the lists, the add form.
// Built on the harness; every action goes in as real input.
#pragma once

#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace e2e {

// The top-left corner of a window's client area on the screen.
inline POINT ClientOrigin(const Window& window)
{
    POINT origin = {0, 0};
    ClientToScreen(window.Handle(), &origin);
    return origin;
}

// Clicks the row of a list box that shows item index (scrolled into view by the list).
inline void ClickListItem(const Window& list, int index)
{
    DWORD_PTR height = 0, top = 0;
    SendMessageTimeoutW(list.Handle(), LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, 5000, &height);
    SendMessageTimeoutW(list.Handle(), LB_GETTOPINDEX, 0, 0, SMTO_NORMAL, 5000, &top);
    POINT origin = ClientOrigin(list);
    user::Click(POINT{origin.x + 20, origin.y + (LONG)((index - (int)top) * (int)height + (int)height / 2)});
}

// Opens a drop-down list with a click on its arrow and clicks the entry, as a user does.
inline void ChooseFromDropDown(const Window& combo, int index)
{
    user::BringToFront(combo);
    RECT r = combo.Rect();
    user::Click(POINT{r.right - 8, r.top + 10});
    Window dropped;
    ASSERT_TRUE(WaitUntil([&] {
        for (const Window& list : TopLevelWindows("ComboLBox", "", combo.ProcessId())) {
            if (list.IsVisible()) {
                dropped = list;
                return true;
            }
        }
        return false;
    })) << "the list did not open";
    ClickListItem(dropped, index);
}

// Index of a name in a list, -1 when it is not there.
inline int IndexOf(const Window& list, const std::string& name)
{
    std::vector<std::string> items = list.Items();
    for (size_t i = 0; i < items.size(); i++) {
        if (items[i] == name)
            return (int)i;
    }
    return -1;
}

// The main window's controls.
struct MainForm {
    explicit MainForm(const Instance& instance)
        : window(instance.MainWindow()),
          searchBox(window.Control(kSearchBox)),
          mainList(window.Control(kMainList)),
          deleteList(window.Control(kDeleteList)),
          runButton(window.Control(kRunButton)),
          addButton(window.Control(kAddButton)),
          deleteButton(window.Control(kDeleteButton)),
          statusLine(window.Control(kStatusLine))
    {
    }

    // Clicks into the search line and types, as a user starting a search does.
    void TypeSearch(const std::string& text) const
    {
        user::BringToFront(window);
        user::Click(searchBox);
        user::Type(text);
    }

    Window window, searchBox, mainList, deleteList, runButton, addButton, deleteButton, statusLine;
};

// The add window's form. Its controls have no ids, so they are told apart by class and
// place: the name field lies above the target field.
struct AddForm {
    explicit AddForm(const Window& addWindow) : window(addWindow)
    {
        std::vector<Window> edits;
        for (const Window& child : ChildrenOf(addWindow)) {
            std::string cls = child.ClassName();
            if (_stricmp(cls.c_str(), "Edit") == 0)
                edits.push_back(child);
            else if (_stricmp(cls.c_str(), "ComboBox") == 0)
                typeCombo = child;
            else if (_stricmp(cls.c_str(), "Button") == 0 && child.Text() == "OK")
                okButton = child;
        }
        if (edits.size() == 2) {
            bool firstIsHigher = edits[0].Rect().top < edits[1].Rect().top;
            nameEdit = firstIsHigher ? edits[0] : edits[1];
            targetEdit = firstIsHigher ? edits[1] : edits[0];
        }
    }

    // The text the type box shows (its edit part), whichever way it was set.
    std::string TypeText() const { return typeCombo.Text(); }

    void ChooseType(const std::string& type) const
    {
        static const char* const kTypes[] = {"File", "Folder", "Web address", "Message"};
        int index = -1;
        for (int i = 0; i < 4; i++) {
            if (type == kTypes[i])
                index = i;
        }
        ASSERT_GE(index, 0) << "no type " << type;
        ChooseFromDropDown(typeCombo, index);
    }

    // Clicks into a field and types after whatever it holds.
    static void TypeInto(const Window& field, const std::string& text)
    {
        user::BringToFront(field);
        user::Click(field);
        user::PressKey(VK_END);
        user::Type(text);
    }

    void PressOk() const
    {
        user::BringToFront(window);
        user::Click(okButton);
    }

    Window window, nameEdit, targetEdit, typeCombo, okButton;
};

}  // namespace e2e

// ---- Moving windows and the tray icon -------------------------------------------------

namespace e2e {

// One mouse event at a screen point: a move, or a button going down or up there.
inline void SendMouse(DWORD flags, POINT at)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

// Presses the left button on a window's caption, moves the mouse in small steps and lets
// go, as a user moves a window. The caption is found by asking the window itself, since
// Wine or a window manager may draw it.
inline void DragByCaption(const Window& window, int dx, int dy)
{
    RECT r = window.Rect();
    POINT grab = {r.left + 40, -1};
    for (int y = r.top; y < r.top + 40 && grab.y < 0; y++) {
        DWORD_PTR hit = HTNOWHERE;
        SendMessageTimeoutW(window.Handle(), WM_NCHITTEST, 0, MAKELPARAM(grab.x, y), SMTO_NORMAL, 5000, &hit);
        if (hit == HTCAPTION)
            grab.y = y + 4;
    }
    ASSERT_GE(grab.y, 0) << "no caption found on \"" << window.Title() << "\"";
    user::BringToFront(window);
    auto mouse = [](DWORD flags, POINT at) {
        SendMouse(flags, at);
        Sleep(30);
    };
    mouse(MOUSEEVENTF_MOVE, grab);
    mouse(MOUSEEVENTF_LEFTDOWN, grab);
    const int steps = 10;
    for (int i = 1; i <= steps; i++)
        mouse(MOUSEEVENTF_MOVE, POINT{grab.x + dx * i / steps, grab.y + dy * i / steps});
    mouse(MOUSEEVENTF_LEFTUP, POINT{grab.x + dx, grab.y + dy});
    RECT expected = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    ASSERT_TRUE(WaitUntil([&] { RECT now = window.Rect(); return EqualRect(&expected, &now) != 0; }, 3000))
        << "\"" << window.Title() << "\" did not follow the mouse";
}

// Alt+F4 on the main window, which only hides it.
inline void CloseMainWindow(const Window& main)
{
    user::AltF4(main);
    ASSERT_TRUE(WaitUntil([&] { return !main.IsVisible(); })) << "the main window did not close";
}

// With no tray in the X server, Wine shows the icons in a window of its own. Icons of
// programs that were ended without removing theirs can linger there, to the left of newer
// ones: the newest icon is the rightmost.
inline Window NewestTrayIcon()
{
    Window newest;
    for (const Window& icon : TrayIcons())
        if (!newest || icon.Rect().left > newest.Rect().left)
            newest = icon;
    return newest;
}

// A left click on the tray icon brings the main window up.
inline void ClickTrayIcon()
{
    Window icon;
    ASSERT_TRUE(WaitUntil([&] { return (bool)(icon = NewestTrayIcon()); })) << "no tray icon";
    user::Click(icon);
}

inline Window OpenPopupMenu()
{
    for (const Window& menu : TopLevelWindows("#32768"))
        if (menu.IsVisible())
            return menu;
    return Window();
}

// The menu opens on pressing the right button on the icon. A second press within the
// double-click time is a double click, which opens nothing, so presses are spaced. Without
// a window manager, X reports a window's activation late on a busy machine; when that news
// comes in after the menu opened, it activates that window again and the menu closes. The
// press is then made again, as a user would: the menu has to open, but may take two.
inline Window OpenTrayMenu()
{
    static DWORD lastPress = GetTickCount() - 10000;
    Window icon, menu;
    for (int attempt = 0; attempt < 2 && !menu; attempt++) {
        EXPECT_TRUE(WaitUntil([&] { return (bool)(icon = NewestTrayIcon()); })) << "no tray icon";
        DWORD since = GetTickCount() - lastPress;
        if (since <= GetDoubleClickTime())
            Sleep(GetDoubleClickTime() - since + 100);
        user::RightClick(icon.Centre());
        lastPress = GetTickCount();
        WaitUntil([&] { return (bool)(menu = OpenPopupMenu()); }, 5000);
    }
    EXPECT_TRUE(menu) << "the tray menu did not open";
    return menu;
}

// An open menu cannot be read from another process, so its items are chosen with keys.
// The late activation that can close the menu as it opens can also close it a moment
// later, and the keys then go to the window in front: each key is pressed only while the
// menu is open, and if it closed on the way the menu is opened again and the keys start over.
inline void ChooseInTrayMenu(const std::vector<WORD>& keys)
{
    for (int attempt = 1; attempt <= 2; attempt++) {
        if (!OpenTrayMenu())
            return;
        bool open = true;
        for (WORD key : keys) {
            open = (bool)OpenPopupMenu();
            if (!open)
                break;
            user::PressKey(key);
        }
        if (open)
            return;
        std::fprintf(stderr, "the tray menu closed before its keys were pressed; opened again\n");
    }
    ADD_FAILURE() << "the tray menu closed twice before its keys were pressed";
}

// "Quit Application" is the last item of the tray menu.
inline void QuitFromTray(const Instance& app)
{
    ChooseInTrayMenu({VK_UP, VK_RETURN});
    ASSERT_TRUE(app.WaitForExit()) << "Quit Application did not end the program";
}

}  // namespace e2e

// ---- The add form from the main window, and screenshots of one window -----------------

namespace e2e {

// Clicks the main window's Add button and returns the form it shows.
inline AddForm ShowAddForm(const Instance& app)
{
    MainForm main(app);
    user::BringToFront(main.window);
    user::Click(main.addButton);
    EXPECT_TRUE(WaitUntil([&] { return app.AddWindow().IsVisible(); })) << "the Add button did not show the form";
    return AddForm(app.AddWindow());
}

// Saves the whole screen (when JUMPLET_SCREENSHOTS is set) and prints where the window
// lies in it, ready for: convert NAME.png -crop WxH+X+Y +repage docs/NAME.png
inline void SaveScreenshotOf(const std::string& name, const Window& window)
{
    if (!SaveScreenshot(name))
        return;
    RECT r = window.Rect();
    printf("screenshot %s: \"%s\" at %ldx%ld+%ld+%ld\n", name.c_str(), window.Title().c_str(), r.right - r.left,
           r.bottom - r.top, r.left, r.top);
}

}  // namespace e2e

// ---- What the shell opened, the tray menu and the Run key -----------------------------

namespace e2e {

// What the shell was asked to open, from the marker's log (quotes stripped).
inline std::vector<std::string> Opened(size_t expected)
{
    std::vector<std::string> opened;
    for (const std::string& line : marker::WaitForLines(expected)) {
        std::string arguments = marker::ArgumentsOf(line);
        arguments.erase(std::remove(arguments.begin(), arguments.end(), '"'), arguments.end());
        opened.push_back(arguments);
    }
    return opened;
}

// The menu's items from the top; an open menu cannot be read from another process, so
// they are reached with Down.
enum TrayItem { kInvokeAtStartup, kAddNewShortcut, kMoreOptions, kQuitApplication, kTrayItems };

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

inline void WaitForMenuToClose()
{
    ASSERT_TRUE(WaitUntil([] { return !OpenPopupMenu(); })) << "the tray menu did not close";
}

inline void ChooseFromTrayMenu(TrayItem item)
{
    std::vector<WORD> keys(item + 1, VK_DOWN);
    keys.push_back(VK_RETURN);
    ChooseInTrayMenu(keys);
    WaitForMenuToClose();
}

// The dark and light pixels of a menu item between two columns (from the menu's left
// edge), read off the screen.
struct ItemPixels {
    int dark = 0, light = 0, all = 0;
};

inline ItemPixels PixelsOfItem(const Window& menu, int item, int fromColumn, int toColumn)
{
    RECT r = menu.Rect();
    int itemHeight = (r.bottom - r.top - 4) / kTrayItems;
    ItemPixels pixels;
    HDC screen = GetDC(nullptr);
    for (int y = r.top + 2 + item * itemHeight; y < r.top + 2 + (item + 1) * itemHeight; y++) {
        for (int x = r.left + fromColumn; x < r.left + toColumn && x < r.right; x++) {
            COLORREF c = GetPixel(screen, x, y);
            int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
            pixels.all++;
            pixels.dark += c != CLR_INVALID && sum < 300;
            pixels.light += c != CLR_INVALID && sum > 450;
        }
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Whether every item of the menu shows its text dark on a mostly light ground: painted,
// and none highlighted. The text starts after the check column.
inline bool MenuLooksPainted(const Window& menu, int textStart)
{
    const int textEnd = menu.Rect().right - menu.Rect().left - 4;
    for (int item = 0; item < kTrayItems; item++) {
        ItemPixels text = PixelsOfItem(menu, item, textStart, textEnd);
        if (text.dark == 0 || 2 * text.light < text.all)
            return false;
    }
    return true;
}

// Whether "Invoke At Startup" shows its check mark, as the user sees it: its check column
// against that of "Add New Shortcut", which never has one. The pixels are read once every
// item shows as painted and not highlighted, its text dark on a mostly light ground: a busy
// machine paints late, what lay under the menu can be dark, and the item under the pointer
// as the menu opens is highlighted until the pointer, moved away, is noticed. A menu that
// a late activation closed before it was read is opened again. With a name, the screen is
// saved as it shows.
inline bool AutoStartItemShowsCheck(const std::string& screenshot = "")
{
    const int kCheckColumns = 18;
    for (int attempt = 1; attempt <= 2; attempt++) {
        Window menu = OpenTrayMenu();
        if (!menu)
            return false;
        user::MoveMouseTo(POINT{900, 900});
        if (!WaitUntil([&] { return MenuLooksPainted(menu, kCheckColumns); }, 3000))
            std::fprintf(stderr, "the tray menu did not show painted in 3 s; read as it is\n");
        if (!screenshot.empty())
            SaveScreenshotOf(screenshot, menu);
        bool checked = PixelsOfItem(menu, kInvokeAtStartup, 2, kCheckColumns).dark >
                       PixelsOfItem(menu, kAddNewShortcut, 2, kCheckColumns).dark;
        if (menu.IsVisible()) {
            user::PressKey(VK_ESCAPE);
            WaitForMenuToClose();
            return checked;
        }
        std::fprintf(stderr, "the tray menu closed before it was read; opened again\n");
    }
    ADD_FAILURE() << "the tray menu closed twice before it was read";
    return false;
}

inline void WriteRunValue(const std::string& data)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExA(key, "Jumplet", 0, REG_SZ, (const BYTE*)data.c_str(), (DWORD)data.size() + 1);
    RegCloseKey(key);
}

// Denies everyone the right to change the values under the Run key, as an administrator's
// policy might, until destroyed.
class RunKeyLocked {
public:
    RunKeyLocked()
    {
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, READ_CONTROL | WRITE_DAC, &key_), ERROR_SUCCESS);
        DWORD size = sizeof original_;
        EXPECT_EQ(RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, original_, &size), ERROR_SUCCESS);
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone_);
        ACL* acl = (ACL*)acl_;
        InitializeAcl(acl, sizeof acl_, ACL_REVISION);
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE, everyone_);
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, everyone_);
        SECURITY_DESCRIPTOR locked;
        InitializeSecurityDescriptor(&locked, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&locked, TRUE, acl, FALSE);
        EXPECT_EQ(RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &locked), ERROR_SUCCESS);
        HKEY probe;
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &probe), ERROR_SUCCESS)
            << "the Run key is still open for changes";
    }

    ~RunKeyLocked()
    {
        RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, (PSECURITY_DESCRIPTOR)original_);
        RegCloseKey(key_);
        FreeSid(everyone_);
    }

    RunKeyLocked(const RunKeyLocked&) = delete;
    RunKeyLocked& operator=(const RunKeyLocked&) = delete;

private:
    HKEY key_ = nullptr;
    PSID everyone_ = nullptr;
    alignas(8) char original_[1024] = {};
    alignas(8) char acl_[256] = {};
};

}  // namespace e2e
