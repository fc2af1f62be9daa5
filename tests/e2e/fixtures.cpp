#include "fixtures.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <set>

namespace e2e {

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValueName = "Jumplet";

std::string WithBackslash(std::string path)
{
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

}  // namespace

// ---- The settings file and the Run value -------------------------------------------------

// The folders of the Jumplet objects alive, the newest last: the settings helpers speak of
// the newest one's file, the one its test is about.
static std::vector<std::string> liveFolders;

std::string SettingsFilePath()
{
    return (liveFolders.empty() ? std::string("C:\\") : liveFolders.back()) + "jlpos.ini";
}

std::string OldSettingsFilePath()
{
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    return WithBackslash(folder) + "jlpos.ini";
}

std::string ReadSetting(const std::string& section, const std::string& key)
{
    char value[1024] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, SettingsFilePath().c_str());
    return value;
}

std::string ReadRunValue(DWORD* type)
{
    char value[1024] = "";
    DWORD size = sizeof value - 1, found = REG_NONE;
    HKEY key;
    LONG r = RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key);
    if (r == ERROR_SUCCESS) {
        r = RegQueryValueExA(key, kRunValueName, nullptr, &found, (BYTE*)value, &size);
        RegCloseKey(key);
    }
    if (type)
        *type = r == ERROR_SUCCESS ? found : REG_NONE;
    return r == ERROR_SUCCESS ? std::string(value) : std::string();
}

bool RunValueExists()
{
    DWORD type;
    ReadRunValue(&type);
    return type != REG_NONE;
}

void WriteRunValue(const std::string& data)
{
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExA(key, kRunValueName, 0, REG_SZ, (const BYTE*)data.c_str(), (DWORD)data.size() + 1);
    RegCloseKey(key);
}

void DeleteRunValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, kRunValueName);
    RegCloseKey(key);
}

RunKeyLocked::RunKeyLocked()
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

RunKeyLocked::~RunKeyLocked()
{
    RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, (PSECURITY_DESCRIPTOR)original_);
    RegCloseKey(key_);
    FreeSid(everyone_);
}

// ---- What the shell opened ---------------------------------------------------------------

namespace marker {

std::string ProgramPath()
{
    std::string path = Environment("JUMPLET_MARKER");
    EXPECT_FALSE(path.empty()) << "JUMPLET_MARKER is not set; run the suite through tests/e2e/run.sh";
    return path;
}

static std::string LogPath()
{
    std::string program = ProgramPath();
    return program.substr(0, program.find_last_of('\\') + 1) + "marker.log";
}

void ClearLog()
{
    DeleteFileA(LogPath().c_str());
}

std::vector<std::string> Lines()
{
    std::vector<std::string> lines;
    std::string text = ReadFileBytes(LogPath());
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::string> WaitForLines(size_t count, int timeoutMs)
{
    WaitUntil([&] { return Lines().size() >= count; }, timeoutMs);
    return Lines();
}

}  // namespace marker

std::vector<std::string> Opened(size_t expected)
{
    std::vector<std::string> opened;
    for (const std::string& line : marker::WaitForLines(expected)) {
        // The marker's own name, quoted, comes first.
        size_t close = line[0] == '"' ? line.find('"', 1) : line.find(' ');
        std::string arguments = line.substr(std::min(line.find_first_not_of(' ', close + 1), line.size()));
        arguments.erase(std::remove(arguments.begin(), arguments.end(), '"'), arguments.end());
        opened.push_back(arguments);
    }
    return opened;
}

// ---- A small disk ------------------------------------------------------------------------

namespace small_disk {

bool Available()
{
    return !Root().empty() && FolderExists(Root());
}

std::string WhyNot()
{
    std::string why = Environment("JUMPLET_SMALL_DISK_MISSING");
    return why.empty() ? "no small disk in this run (JUMPLET_SMALL_DISK is not set)" : why;
}

std::string Root()
{
    return Environment("JUMPLET_SMALL_DISK");
}

void Fill()
{
    std::string path = Root() + "filler.bin";
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << "cannot create " << path;
    // Big pieces first, then smaller ones, so that not even one byte is left over.
    std::vector<char> block(65536, 'x');
    for (DWORD size = (DWORD)block.size(); size > 0; size /= 2) {
        DWORD written = 0;
        while (WriteFile(f, block.data(), size, &written, nullptr) && written == size) {
        }
    }
    CloseHandle(f);
    ULARGE_INTEGER freeBytes = {};
    GetDiskFreeSpaceExA(Root().c_str(), &freeBytes, nullptr, nullptr);
    ASSERT_EQ(freeBytes.QuadPart, 0u) << Root() << " still has room";
}

}  // namespace small_disk

// ---- The program -------------------------------------------------------------------------

namespace {
std::set<DWORD> awaitedEnds;  // processes whose end a test waited for
}

bool Instance::WaitForExit(int timeoutMs) const
{
    bool ended = process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
    if (ended)
        awaitedEnds.insert(processId_);
    return ended;
}

DWORD Instance::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (process_)
        GetExitCodeProcess(process_, &code);
    return code;
}

Window Instance::MainWindow() const
{
    auto found = TopLevelWindows(kMainClass, kMainTitle, processId_);
    return found.empty() ? Window() : found.front();
}

Window Instance::AddWindow() const
{
    auto found = TopLevelWindows(kAddClass, kAddTitle, processId_);
    return found.empty() ? Window() : found.front();
}

Jumplet::Jumplet(const std::string& name, const std::string& parent, bool withProgram)
    : folder_(WithBackslash(parent) + name + "\\")
{
    liveFolders.push_back(folder_);
    std::string dist = Environment("JUMPLET_DIST");
    if (dist.empty()) {
        ADD_FAILURE() << "JUMPLET_DIST is not set; run the suite through tests/e2e/run.sh";
        return;
    }
    dist = WithBackslash(dist);
    DeleteTree(folder_);
    MakeFolders(folder_);
    if (!withProgram)
        return;
    for (const char* file : {"jumplet.exe", "help.html", "launch.wav", "delete.wav"}) {
        if (!CopyFileA((dist + file).c_str(), (folder_ + file).c_str(), FALSE))
            ADD_FAILURE() << "cannot copy " << dist << file << " to " << folder_ << " (error " << GetLastError() << ")";
    }
}

// The folder goes, and its parent too when this made it and nothing else is in it.
Jumplet::~Jumplet()
{
    EndAll();
    liveFolders.erase(std::find(liveFolders.begin(), liveFolders.end(), folder_));
    DeleteTree(folder_);
    std::string parent = folder_.substr(0, folder_.find_last_of('\\', folder_.size() - 2));
    RemoveDirectoryA(parent.c_str());
}

Instance Jumplet::Start(const std::string& arguments, int timeoutMs)
{
    std::string commandLine = "\"" + ExePath() + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Started from its own folder, as a double click in the file manager would.
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                        &info)) {
        ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
        return Instance();
    }
    CloseHandle(info.hThread);
    Instance started(info.hProcess, info.dwProcessId);
    started_.push_back(started);
    bool settled = WaitUntil(
        [&] { return started.HasEnded() || started.MainWindow().Exists() || !started.MessageBoxes().empty(); },
        timeoutMs);
    EXPECT_TRUE(settled) << commandLine << " neither showed a window nor ended";
    // Start-up hides and shows the window once more before its message loop runs; input
    // sent before then can land on a window that is briefly unmapped.
    if (!started.HasEnded())
        WaitForInputIdle(started.ProcessHandle(), timeoutMs);
    return started;
}

// Start-up shows the main window, hides and shows it once more, and adds its tray icon
// only then: a key pressed between would go to no window. The new icon says it is done.
Instance Jumplet::StartShown(const std::string& arguments)
{
    size_t icons = TrayIcons().size();
    Instance started = Start(arguments);
    EXPECT_TRUE(WaitUntil([&] { Window main = started.MainWindow(); return main && main.IsVisible(); }))
        << "the main window of jumplet.exe " << arguments << " did not come up";
    EXPECT_TRUE(WaitUntil([&] { return TrayIcons().size() > icons; }, 5000)) << "no tray icon came";
    return started;
}

void Jumplet::EndAll()
{
    for (Instance& instance : started_) {
        if (instance.HasEnded() && !awaitedEnds.count(instance.ProcessId()))
            ADD_FAILURE() << "jumplet.exe (process " << instance.ProcessId() << ") ended by itself with exit code 0x"
                          << std::hex << instance.ExitCode() << std::dec;
        awaitedEnds.erase(instance.ProcessId());
        if (!instance.HasEnded())
            TerminateProcess(instance.ProcessHandle(), 1);
        WaitForSingleObject(instance.ProcessHandle(), 5000);
        CloseHandle(instance.ProcessHandle());
    }
    started_.clear();

    // A restart starts instances the test never saw: find them by name.
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        HANDLE process = _stricmp(entry.szExeFile, "jumplet.exe") == 0
                             ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)
                             : nullptr;
        if (process) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);

    // The tray keeps the icon of a killed instance until the pointer touches it; then it
    // finds the owner gone and drops the icon, and the icons right of it move left.
    // Touching them all now keeps that shift out of the next test, where it could move an
    // icon from under a click.
    for (const Window& icon : TrayIcons())
        PostMessageW(icon.Handle(), WM_MOUSEMOVE, 0, 0);
    WaitUntil([] { return TrayIcons().empty(); }, 5000);

    // Anything else left a dialog up (a launched program, Wine itself): close it so the
    // next test starts from an empty screen.
    for (const Window& box : TopLevelWindows("#32770"))
        if (IsWindowVisible(box.Handle()) && box.ProcessId() != GetCurrentProcessId())
            PostMessageW(box.Handle(), WM_CLOSE, 0, 0);
}

JumpletTest::JumpletTest()
    : jumplet([] {
          const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
          std::string name = std::string(test->test_suite_name()) + "." + test->name();
          std::replace(name.begin(), name.end(), '/', '_');
          return name;
      }())
{
    DeleteFileA(OldSettingsFilePath().c_str());
    DeleteRunValue();
    marker::ClearLog();
}

JumpletTest::~JumpletTest()
{
    jumplet.EndAll();
    DeleteFileA(OldSettingsFilePath().c_str());
    DeleteRunValue();
    marker::ClearLog();
    if (small_disk::Available())
        DeleteFileA((small_disk::Root() + "filler.bin").c_str());
}

std::string DataLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// ---- Its windows -------------------------------------------------------------------------

MainForm::MainForm(const Instance& app) : window(app.MainWindow())
{
    EXPECT_TRUE(window.Exists()) << "process " << app.ProcessId() << " has no main window";
    const std::pair<Window*, int> controls[] = {{&searchBox, kSearchBox},   {&mainList, kMainList},
                                                {&deleteList, kDeleteList}, {&runButton, kRunButton},
                                                {&addButton, kAddButton},   {&deleteButton, kDeleteButton}};
    for (const auto& control : controls) {
        *control.first = window.Control(control.second);
        EXPECT_TRUE(control.first->Exists()) << "the main window has no control " << control.second;
    }
    // The status line has no id of its own; it is the window's one static control.
    std::vector<Window> statics = ChildrenOf(window, "Static");
    EXPECT_EQ(statics.size(), 1u) << "the main window should have one static control, its status line";
    if (!statics.empty())
        statusLine = statics[0];
}

void MainForm::TypeSearch(const std::string& text) const
{
    user::BringToFront(window);
    user::Click(searchBox);
    EXPECT_TRUE(WaitUntil([&] { return searchBox.HasFocus(); })) << "a click did not focus the search line";
    user::Type(text);
}

AddForm::AddForm(const Window& addWindow) : window(addWindow)
{
    std::vector<Window> edits = ChildrenOf(addWindow, "Edit"), combos = ChildrenOf(addWindow, "ComboBox");
    for (const Window& button : ChildrenOf(addWindow, "Button"))
        if (button.Text() == "OK")
            okButton = button;
    EXPECT_TRUE(okButton.Exists()) << "the add window has no OK button";
    EXPECT_EQ(combos.size(), 1u) << "the add window should have one type box";
    EXPECT_EQ(edits.size(), 2u) << "the add window should have two fields, the name and the target";
    if (edits.size() != 2 || combos.size() != 1)
        return;
    typeCombo = combos[0];
    bool firstIsHigher = edits[0].Rect().top < edits[1].Rect().top;
    nameEdit = firstIsHigher ? edits[0] : edits[1];
    targetEdit = firstIsHigher ? edits[1] : edits[0];
}

void AddForm::ChooseType(const std::string& type) const
{
    static const char* const kTypes[] = {"File", "Folder", "Web address", "Message"};
    int index = (int)(std::find(std::begin(kTypes), std::end(kTypes), type) - std::begin(kTypes));
    ASSERT_LT(index, 4) << "no type " << type;
    user::ChooseFromDropDown(typeCombo, index);
}

void AddForm::TypeInto(const Window& field, const std::string& text)
{
    user::BringToFront(field);
    user::Click(field);
    user::PressKey(VK_END);
    user::Type(text);
}

void AddForm::PressOk() const
{
    user::BringToFront(window);
    user::Click(okButton);
}

AddForm ShowAddForm(const Instance& app)
{
    MainForm main(app);
    user::BringToFront(main.window);
    user::Click(main.addButton);
    EXPECT_TRUE(WaitUntil([&] { return app.AddWindow().IsVisible(); })) << "the Add button did not show the form";
    return AddForm(app.AddWindow());
}

// ---- The tray ----------------------------------------------------------------------------

// Icons of programs that were ended without removing theirs can linger in Wine's tray
// window, left of newer ones: the newest icon is the rightmost.
Window NewestTrayIcon()
{
    Window newest;
    for (const Window& icon : TrayIcons())
        if (!newest || icon.Rect().left > newest.Rect().left)
            newest = icon;
    return newest;
}

// An icon is clicked once it shows where it lies: one that has just come can still be
// covered by a window that X has not yet told Wine about.
static Window ShownTrayIcon()
{
    Window icon;
    EXPECT_TRUE(WaitUntil([&] { return (icon = NewestTrayIcon()) && user::ShowsAt(icon, icon.Centre()); }))
        << "no tray icon shows";
    return icon;
}

void ClickTrayIcon()
{
    Window icon = ShownTrayIcon();
    if (icon)
        user::Click(icon.Centre());
}

// The menu opens on pressing the right button on the icon. A second press within the
// double-click time is a double click, which opens nothing, so presses are spaced. The
// program makes its main window the active one before its menu opens; news of an earlier
// activation that X had not yet delivered would undo that and close the menu at once, so
// the press waits until X has the focus where Wine has its front window.
Window OpenTrayMenu()
{
    static DWORD lastPress = GetTickCount() - 10000;
    Window icon = ShownTrayIcon(), menu;
    std::string mismatch;
    if (!WaitUntil([&] { return XFocusAgreesWithTheFront(&mismatch); }, 3000)) {
        // X can keep its focus on a window that Wine no longer has in front (seen with a
        // modal dialog whose owner a menu made active): a click on the front window's
        // caption, as a user would give it, puts the two together again.
        RECT front = Window(GetForegroundWindow()).Rect();
        user::Click(POINT{(front.left + front.right) / 2, front.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2});
    }
    EXPECT_TRUE(WaitUntil([&] { return XFocusAgreesWithTheFront(&mismatch); })) << mismatch;
    DWORD since = GetTickCount() - lastPress;
    if (since <= GetDoubleClickTime())
        Sleep(GetDoubleClickTime() - since + 100);
    user::RightClick(icon.Centre());
    lastPress = GetTickCount();
    EXPECT_TRUE(WaitUntil([&] { return (bool)(menu = FirstVisible("#32768")); }, 5000)) << "the tray menu did not open";
    return menu;
}

// An open menu cannot be read from another process, so its items are chosen with keys,
// each pressed only while the menu is still open: one that closes by itself fails.
void ChooseFromTrayMenu(TrayItem item)
{
    Window menu = OpenTrayMenu();
    ASSERT_TRUE(menu);
    for (int key = 0; key <= item + 1; key++) {
        ASSERT_TRUE(menu.IsVisible()) << "the tray menu closed by itself before its item was chosen";
        user::PressKey(key <= item ? VK_DOWN : VK_RETURN);
    }
    ASSERT_TRUE(WaitUntil([] { return !FirstVisible("#32768"); })) << "the tray menu did not close";
}

void QuitFromTray(const Instance& app)
{
    ChooseFromTrayMenu(kQuitApplication);
    ASSERT_TRUE(app.WaitForExit()) << "Quit Application did not end the program";
    EXPECT_EQ(app.ExitCode(), 0u);
}

namespace {

// The dark and light pixels of a menu item between two columns (from the menu's left
// edge), read off the screen.
struct ItemPixels {
    int dark = 0, light = 0, all = 0;
};

ItemPixels PixelsOfItem(const Window& menu, int item, int fromColumn, int toColumn)
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
bool MenuLooksPainted(const Window& menu, int textStart)
{
    const int textEnd = menu.Rect().right - menu.Rect().left - 4;
    for (int item = 0; item < kTrayItems; item++) {
        ItemPixels text = PixelsOfItem(menu, item, textStart, textEnd);
        if (text.dark == 0 || 2 * text.light < text.all)
            return false;
    }
    return true;
}

}  // namespace

// The check column of "Invoke At Startup" against that of "Add New Shortcut", which never
// has a mark, as the user sees them. Read once every item shows painted and none
// highlighted: a busy machine paints late, what lay under the menu can be dark, and the item
// under the pointer as the menu opens is highlighted until the pointer, moved away, is
// noticed. A menu that never looks so, or closes before it is read, fails.
bool AutoStartItemShowsCheck()
{
    const int kCheckColumns = 18;
    Window menu = OpenTrayMenu();
    if (!menu)
        return false;
    user::MoveMouseTo(POINT{900, 900});
    EXPECT_TRUE(WaitUntil([&] { return MenuLooksPainted(menu, kCheckColumns); }, 3000))
        << "the tray menu never showed painted";
    bool checked = PixelsOfItem(menu, kInvokeAtStartup, 2, kCheckColumns).dark >
                   PixelsOfItem(menu, kAddNewShortcut, 2, kCheckColumns).dark;
    EXPECT_TRUE(menu.IsVisible()) << "the tray menu closed by itself before it was read";
    user::PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([] { return !FirstVisible("#32768"); })) << "the tray menu did not close";
    return checked;
}

}  // namespace e2e
