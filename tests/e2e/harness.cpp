#include "harness.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

constexpr int kPollMs = 50;
constexpr UINT kSendTimeoutMs = 5000;
constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValueName = "Jumplet";

std::string Environment(const char* name)
{
    char value[1024];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return (n > 0 && n < sizeof value) ? std::string(value, n) : std::string();
}

std::string Narrow(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), (int)text.size(), &out[0], n);
    return out;
}

std::string WithBackslash(std::string path)
{
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void MakeFolders(const std::string& path)
{
    for (size_t i = 3; i <= path.size(); i++) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

std::string WindowClassOf(HWND h)
{
    char name[256] = "";
    GetClassNameA(h, name, sizeof name);
    return name;
}

std::string WindowTitleOf(HWND h)
{
    WCHAR title[512] = L"";
    GetWindowTextW(h, title, 512);
    return Narrow(title);
}

}  // namespace

// ---- Waiting -------------------------------------------------------------------------

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if ((int)(GetTickCount() - start) >= timeoutMs)
            return condition();
        Sleep(kPollMs);
    }
}

void LetItSettle(int ms)
{
    Sleep(ms);
}

// ---- Files and the registry ------------------------------------------------------------

std::string ReadFileBytes(const std::string& path)
{
    std::string bytes;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(f);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    MakeFolders(FolderOf(path));
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << "cannot write " << path << " (error " << GetLastError() << ")";
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(f);
    ASSERT_TRUE(ok && written == bytes.size()) << "short write to " << path;
}

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void DeleteTree(const std::string& path)
{
    std::string folder = WithBackslash(path);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = folder + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

std::string UnixPathOf(const std::string& windowsPath)
{
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = (ToUnix)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    if (!toUnix)
        return std::string();
    char* unixPath = toUnix(Widen(windowsPath).c_str());
    if (!unixPath)
        return std::string();
    std::string out = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return out;
}

std::string WindowsFolder()
{
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, sizeof folder);
    std::string out = folder;
    if (!out.empty() && out.back() == '\\')
        out.pop_back();
    return out;
}

std::string SettingsFilePath()
{
    return WindowsFolder() + "\\jlpos.ini";
}

bool SettingsFileExists()
{
    return FileExists(SettingsFilePath());
}

std::string ReadSettingsFile()
{
    return ReadFileBytes(SettingsFilePath());
}

void WriteSettingsFile(const std::string& text)
{
    WriteFileBytes(SettingsFilePath(), text);
}

std::string ReadSetting(const std::string& section, const std::string& key)
{
    char value[1024] = "";
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, SettingsFilePath().c_str());
    return value;
}

bool RunValueExists()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    LONG r = RegQueryValueExA(key, kRunValueName, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

std::string ReadRunValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();
    char value[1024] = "";
    DWORD size = sizeof value - 1, type = 0;
    LONG r = RegQueryValueExA(key, kRunValueName, nullptr, &type, (BYTE*)value, &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS)
        return std::string();
    std::string out(value, size);
    while (!out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

void DeleteRunValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, kRunValueName);
    RegCloseKey(key);
}

LockedFile::LockedFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

LockedFile::~LockedFile()
{
    Release();
}

void LockedFile::Release()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

// ---- Windows of another process --------------------------------------------------------

LRESULT Window::Send(UINT message, WPARAM w, LPARAM l) const
{
    DWORD_PTR result = 0;
    if (!handle_ || !SendMessageTimeoutW(handle_, message, w, l, SMTO_NORMAL, kSendTimeoutMs, &result))
        return -1;
    return (LRESULT)result;
}

bool Window::Exists() const
{
    return handle_ && IsWindow(handle_);
}

std::string Window::ClassName() const
{
    return WindowClassOf(handle_);
}

std::string Window::Text() const
{
    LRESULT length = Send(WM_GETTEXTLENGTH);
    if (length <= 0)
        return std::string();
    std::wstring text(length + 1, L'\0');
    LRESULT got = Send(WM_GETTEXT, length + 1, (LPARAM)&text[0]);
    text.resize(got > 0 ? got : 0);
    return Narrow(text);
}

bool Window::IsVisible() const
{
    return Exists() && IsWindowVisible(handle_);
}

bool Window::IsEnabled() const
{
    return Exists() && IsWindowEnabled(handle_);
}

RECT Window::Rect() const
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(handle_, &r);
    return r;
}

POINT Window::Centre() const
{
    RECT r = Rect();
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

DWORD Window::ProcessId() const
{
    DWORD pid = 0;
    GetWindowThreadProcessId(handle_, &pid);
    return pid;
}

Window Window::Owner() const
{
    return Window(GetWindow(handle_, GW_OWNER));
}

Window Window::Parent() const
{
    return Window(GetAncestor(handle_, GA_PARENT));
}

Window Window::Control(int id) const
{
    return Window(handle_ ? GetDlgItem(handle_, id) : nullptr);
}

bool Window::IsForeground() const
{
    return handle_ && GetForegroundWindow() == GetAncestor(handle_, GA_ROOT);
}

bool Window::HasFocus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(handle_, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) && info.hwndFocus == handle_;
}

int Window::ItemCount() const
{
    return (int)Send(LB_GETCOUNT);
}

std::string Window::ItemText(int index) const
{
    LRESULT length = Send(LB_GETTEXTLEN, index);
    if (length < 0)
        return std::string();
    std::wstring text(length + 1, L'\0');
    LRESULT got = Send(LB_GETTEXT, index, (LPARAM)&text[0]);
    text.resize(got > 0 ? got : 0);
    return Narrow(text);
}

std::vector<std::string> Window::Items() const
{
    std::vector<std::string> items;
    int count = ItemCount();
    for (int i = 0; i < count; i++)
        items.push_back(ItemText(i));
    return items;
}

int Window::Selection() const
{
    return (int)Send(LB_GETCURSEL);
}

std::vector<int> Window::SelectedIndexes() const
{
    std::vector<int> selected;
    int count = ItemCount();
    for (int i = 0; i < count; i++) {
        if (Send(LB_GETSEL, i) > 0)
            selected.push_back(i);
    }
    return selected;
}

std::vector<std::string> Window::SelectedItems() const
{
    std::vector<std::string> items;
    for (int i : SelectedIndexes())
        items.push_back(ItemText(i));
    return items;
}

POINT Window::ItemCentre(int index) const
{
    RECT item = {0, 0, 0, 0};
    Send(LB_GETITEMRECT, index, (LPARAM)&item);
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(handle_, &centre);
    return centre;
}

int Window::ComboItemCount() const
{
    return (int)Send(CB_GETCOUNT);
}

std::vector<std::string> Window::ComboItems() const
{
    std::vector<std::string> items;
    int count = ComboItemCount();
    for (int i = 0; i < count; i++) {
        LRESULT length = Send(CB_GETLBTEXTLEN, i);
        std::wstring text(length > 0 ? length + 1 : 1, L'\0');
        LRESULT got = Send(CB_GETLBTEXT, i, (LPARAM)&text[0]);
        text.resize(got > 0 ? got : 0);
        items.push_back(Narrow(text));
    }
    return items;
}

int Window::ComboSelection() const
{
    return (int)Send(CB_GETCURSEL);
}

namespace {

struct WindowQuery {
    const std::string& className;
    const std::string& title;
    DWORD processId;
    std::vector<Window> found;
};

BOOL CALLBACK CollectMatchingWindow(HWND h, LPARAM param)
{
    auto* q = (WindowQuery*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if ((q->processId == 0 || pid == q->processId) && (q->className.empty() || WindowClassOf(h) == q->className) &&
        (q->title.empty() || WindowTitleOf(h) == q->title))
        q->found.push_back(Window(h));
    return TRUE;
}

}  // namespace

std::vector<Window> ChildrenOf(const Window& parent)
{
    std::vector<Window> children;
    for (HWND child = GetWindow(parent.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(Window(child));
    return children;
}

std::vector<Window> TrayIcons()
{
    std::vector<Window> icons;
    for (const Window& tray : TopLevelWindows("__winex11_standalone_tray"))
        for (const Window& icon : ChildrenOf(tray))
            if (icon.IsVisible())
                icons.push_back(icon);
    return icons;
}

std::vector<Window> TopLevelWindows(const std::string& className, const std::string& title, DWORD processId)
{
    WindowQuery query{className, title, processId, {}};
    EnumWindows(CollectMatchingWindow, (LPARAM)&query);
    return query.found;
}

// Wine's message box puts the text in static 0xFFFF and the icon in static 1088;
// Windows uses 0xFFFF and 20.
std::string MsgBox::Message() const
{
    return Control(0xFFFF).Text();
}

bool MsgBox::HasIcon() const
{
    for (int id : {1088, 20}) {
        Window icon = Control(id);
        if (icon.IsVisible() && SendMessageW(icon.Handle(), STM_GETICON, 0, 0))
            return true;
    }
    return false;
}

std::vector<std::string> MsgBox::Buttons() const
{
    std::vector<std::pair<LONG, HWND>> buttons;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_stricmp(WindowClassOf(child).c_str(), "Button") == 0 && IsWindowVisible(child)) {
            RECT r;
            GetWindowRect(child, &r);
            buttons.push_back({r.left, child});
        }
    }
    std::sort(buttons.begin(), buttons.end());
    std::vector<std::string> texts;
    for (auto& b : buttons)
        texts.push_back(Window(b.second).Text());
    return texts;
}

void MsgBox::Press(int buttonId) const
{
    Window button = Control(buttonId);
    ASSERT_TRUE(button.Exists()) << "the message box \"" << Caption() << "\" has no button " << buttonId;
    DWORD_PTR ignored;
    SendMessageTimeoutW(button.Handle(), BM_CLICK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &ignored);
}

std::vector<MsgBox> MessageBoxesOf(DWORD processId)
{
    std::vector<MsgBox> boxes;
    for (const Window& w : TopLevelWindows("#32770", "", processId)) {
        if (w.IsVisible())
            boxes.push_back(MsgBox(w.Handle()));
    }
    return boxes;
}

MsgBox WaitForMessageBox(DWORD processId, const std::string& caption, int timeoutMs)
{
    MsgBox found;
    WaitUntil(
        [&] {
            for (const MsgBox& box : MessageBoxesOf(processId)) {
                if (box.Caption() == caption) {
                    found = box;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

// ---- Real input ------------------------------------------------------------------------

namespace user {

namespace {

bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE: case VK_RMENU: case VK_RCONTROL:
        return true;
    default:
        return false;
    }
}

INPUT KeyInput(WORD vk, bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = (WORD)MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

void Send(std::vector<INPUT> inputs)
{
    // A short count means input that never went in; the check that follows fails, and
    // this says why.
    if (!inputs.empty()) {
        UINT taken = SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
        if (taken != inputs.size())
            std::fprintf(stderr, "SendInput took %u of %u events (error %lu)\n", taken, (UINT)inputs.size(),
                         GetLastError());
    }
    // The target takes the input from its queue at its own pace; a short breath keeps
    // a following check from racing the keystrokes still in flight.
    Sleep(30);
}

INPUT MouseInput(DWORD flags, POINT screen)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

void ClickWith(DWORD down, DWORD up, POINT screen, int times)
{
    MoveMouseTo(screen);
    for (int i = 0; i < times; i++)
        Send({MouseInput(down, screen), MouseInput(up, screen)});
    Sleep(100);
}

}  // namespace

bool BringToFront(const Window& window)
{
    HWND top = GetAncestor(window.Handle(), GA_ROOT);
    if (!top)
        return false;
    if (GetForegroundWindow() == top)
        return true;
    SetForegroundWindow(top);
    if (WaitUntil([&] { return GetForegroundWindow() == top; }, 1000))
        return true;
    // Windows refuses the foreground to a process that had no input lately; a key of our
    // own counts as input, so the second attempt passes that rule. Shift, not the usual
    // Alt: an Alt tap puts the window in front (ours too, if it came late) in menu mode,
    // and that eats the next key typed.
    PressKey(VK_SHIFT);
    SetForegroundWindow(top);
    return WaitUntil([&] { return GetForegroundWindow() == top; }, 2000);
}

void MoveMouseTo(POINT screen)
{
    Send({MouseInput(MOUSEEVENTF_MOVE, screen)});
}

void Click(POINT screen)
{
    ClickWith(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, screen, 1);
}

// A window that has just come up can lie under another for a moment on a busy machine
// (X reports activations late); a user clicks once it shows, and so does this.
bool ShowsAt(const Window& window, POINT screen)
{
    return GetAncestor(WindowFromPoint(screen), GA_ROOT) == GetAncestor(window.Handle(), GA_ROOT);
}

void Click(const Window& window)
{
    POINT centre = window.Centre();
    WaitUntil([&] { return ShowsAt(window, centre); }, 3000);
    Click(centre);
}

void RightClick(POINT screen)
{
    ClickWith(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, screen, 1);
}

void DoubleClick(POINT screen)
{
    ClickWith(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, screen, 2);
}

// The caption is drawn by Wine or a window manager depending on the set-up, so the close
// box is found by asking the window itself where its HTCLOSE area lies.
void ClickCloseBox(const Window& topLevel)
{
    RECT r = topLevel.Rect();
    int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int right = -1, left = -1;
    for (int x = r.right - 1; x > r.left && x > r.right - 80; x--) {
        DWORD_PTR hit = HTNOWHERE;
        SendMessageTimeoutW(topLevel.Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, kSendTimeoutMs, &hit);
        if (hit == HTCLOSE) {
            if (right < 0)
                right = x;
            left = x;
        } else if (right >= 0) {
            break;
        }
    }
    ASSERT_GE(right, 0) << "no close box found on \"" << topLevel.Title() << "\"";
    Click(POINT{(left + right) / 2, y});
}

void Type(const std::string& text)
{
    for (unsigned char c : text) {
        SHORT scan = VkKeyScanA((char)c);
        std::vector<INPUT> inputs;
        if (scan == -1) {
            // Not on the keyboard layout: typed as a character, as an input method would.
            INPUT in = {};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = (WORD)Widen(std::string(1, (char)c))[0];
            in.ki.dwFlags = KEYEVENTF_UNICODE;
            inputs.push_back(in);
            in.ki.dwFlags |= KEYEVENTF_KEYUP;
            inputs.push_back(in);
        } else {
            WORD vk = LOBYTE(scan);
            bool shift = HIBYTE(scan) & 1;
            if (shift)
                inputs.push_back(KeyInput(VK_SHIFT, false));
            inputs.push_back(KeyInput(vk, false));
            inputs.push_back(KeyInput(vk, true));
            if (shift)
                inputs.push_back(KeyInput(VK_SHIFT, true));
        }
        Send(inputs);
    }
}

void PressKey(WORD virtualKey)
{
    Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

// Wine takes the state of every key from X when one of its windows gets X's focus, and X
// never saw keys that came through SendInput: a focus change that arrives while Alt or Ctrl
// is held lets it go (seen here through GetAsyncKeyState: Alt up by itself around an
// activation), and the last key would come alone. So the held keys are pressed first,
// pressed again if they do not stay down a moment, and only then the last key; a change
// that comes later still is left to the caller (AltF4 presses again).
void PressKeys(std::initializer_list<WORD> chord)
{
    std::vector<WORD> held(chord.begin(), chord.end() - 1);
    WORD last = *(chord.end() - 1);
    for (WORD vk : held)
        Send({KeyInput(vk, false)});
    for (int attempt = 0; attempt < 3; attempt++) {
        Sleep(50);
        bool allDown = true;
        for (WORD vk : held) {
            if (!(GetAsyncKeyState(vk) & 0x8000)) {
                allDown = false;
                Send({KeyInput(vk, false)});
            }
        }
        if (allDown)
            break;
    }
    Send({KeyInput(last, false), KeyInput(last, true)});
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        Send({KeyInput(*it, true)});
}

// Where the keys of the window's thread go, for a key that did not do what it should.
static void PrintInputState(const Window& window, const char* what)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window.Handle(), nullptr), &info);
    auto name = [](HWND h) { return h ? Window(h).ClassName() + " \"" + Window(h).Title() + "\"" : std::string("none"); };
    std::fprintf(stderr, "\"%s\" %s: foreground %s, its thread's active %s, focus %s, capture %s, flags %#lx\n",
                 window.Title().c_str(), what, name(GetForegroundWindow()).c_str(), name(info.hwndActive).c_str(),
                 name(info.hwndFocus).c_str(), name(info.hwndCapture).c_str(), info.flags);
}

// Alt+F4 goes to whichever window is active. On a busy machine a late activation can leave
// another one active, and sent to Wine's own tray window it hides every icon for good; so
// it is pressed only once the window meant is the active one. Wine can still lose the
// chord after that check: a late focus change can make the desktop the active window, and
// a loaded run here saw the main window stay up in front with its search line focused,
// most likely because the key-state update X sends with such a change let Alt go before
// F4. A window still up after 5 s gets the chord once more, as a user would press it again,
// with where its thread's keys go printed; one that ignores Alt+F4 stays up, and its
// caller fails.
void AltF4(const Window& target)
{
    HWND top = GetAncestor(target.Handle(), GA_ROOT);
    auto closed = [&] { return !IsWindowVisible(top); };
    for (int attempt = 1; attempt <= 2 && !closed(); attempt++) {
        EXPECT_TRUE(WaitUntil([&] { return BringToFront(target) && GetForegroundWindow() == top; }))
            << "\"" << target.Title() << "\" did not become the active window";
        PressKeys({VK_MENU, VK_F4});
        if (WaitUntil(closed, 5000))
            return;
        PrintInputState(target, attempt == 1 ? "stayed up after Alt+F4; pressed again" : "stayed up after Alt+F4 twice");
    }
}

bool DropUnixFiles(const std::vector<std::string>& unixPaths, POINT screen)
{
    std::string tool = Environment("JUMPLET_XDND_DROP");
    EXPECT_FALSE(tool.empty()) << "JUMPLET_XDND_DROP is not set; run the suite through tests/e2e/run.sh";
    if (tool.empty())
        return false;
    std::vector<std::string> argv = {tool, std::to_string(screen.x), std::to_string(screen.y)};
    argv.insert(argv.end(), unixPaths.begin(), unixPaths.end());
    return RunUnixProgram(argv) == 0;
}

bool DropFiles(const std::vector<std::string>& windowsPaths, POINT screen)
{
    std::vector<std::string> unixPaths;
    for (const std::string& path : windowsPaths) {
        std::string unixPath = UnixPathOf(path);
        EXPECT_FALSE(unixPath.empty()) << "Wine has no Unix path for " << path;
        unixPaths.push_back(unixPath);
    }
    return DropUnixFiles(unixPaths, screen);
}

bool DropFiles(const std::vector<std::string>& windowsPaths, const Window& on)
{
    return DropFiles(windowsPaths, on.Centre());
}

}  // namespace user

int RunUnixProgram(const std::vector<std::string>& argv)
{
    using Spawn = LONG(CDECL*)(char* const*, int);
    auto spawn = (Spawn)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp");
    if (!spawn || argv.empty())
        return -1;
    std::vector<std::string> copies = argv;
    std::vector<char*> pointers;
    for (std::string& s : copies)
        pointers.push_back(&s[0]);
    pointers.push_back(nullptr);
    LONG status = spawn(pointers.data(), TRUE);
    return status >= 0 ? (int)status : -1;
}

bool SaveScreenshot(const std::string& name)
{
    std::string folder = Environment("JUMPLET_SCREENSHOTS");
    if (folder.empty())
        return false;
    return RunUnixProgram({"import", "-window", "root", folder + "/" + name + ".png"}) == 0;
}

// ---- What the program launched ---------------------------------------------------------

namespace marker {

std::string ProgramPath()
{
    std::string path = Environment("JUMPLET_MARKER");
    EXPECT_FALSE(path.empty()) << "JUMPLET_MARKER is not set; run the suite through tests/e2e/run.sh";
    return path;
}

std::string LogPath()
{
    return FolderOf(ProgramPath()) + "marker.log";
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

std::string ArgumentsOf(const std::string& commandLine)
{
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t')
            i++;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        i++;
    return commandLine.substr(i);
}

}  // namespace marker

// ---- A small disk ----------------------------------------------------------------------

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

// ---- The program under test ------------------------------------------------------------

bool Instance::HasEnded() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

bool Instance::WaitForExit(int timeoutMs) const
{
    return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
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

MsgBox Instance::WaitForMessageBox(const std::string& caption, int timeoutMs) const
{
    return e2e::WaitForMessageBox(processId_, caption, timeoutMs);
}

std::vector<MsgBox> Instance::MessageBoxes() const
{
    return MessageBoxesOf(processId_);
}

Jumplet::Jumplet(const std::string& name, const std::string& parent, bool withProgram)
    : folder_(WithBackslash(parent) + name + "\\")
{
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

Jumplet::~Jumplet()
{
    EndAll();
}

void Jumplet::WriteDataFile(const std::string& bytes) const
{
    WriteFileBytes(DataFilePath(), bytes);
}

std::string Jumplet::ReadDataFile() const
{
    return ReadFileBytes(DataFilePath());
}

bool Jumplet::DataFileExists() const
{
    return FileExists(DataFilePath());
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
    EXPECT_TRUE(WaitUntil([&] { return started.MainWindow().IsVisible(); }))
        << "the main window of jumplet.exe " << arguments << " did not come up";
    WaitUntil([&] { return TrayIcons().size() > icons || started.HasEnded(); }, 5000);
    return started;
}

// The tray keeps the icon of a killed instance until the pointer touches it; then it finds
// the owner gone and drops the icon, and the icons right of it move left. Touching them all
// now keeps that shift out of the next test, where it could move an icon from under a click.
static void DropStaleTrayIcons()
{
    for (const Window& icon : TrayIcons())
        PostMessageW(icon.Handle(), WM_MOUSEMOVE, 0, 0);
    WaitUntil([] { return TrayIcons().empty(); }, 5000);
}

void Jumplet::EndAll()
{
    for (Instance& instance : started_) {
        if (!instance.HasEnded())
            TerminateProcess(instance.ProcessHandle(), 1);
        instance.WaitForExit(5000);
        CloseHandle(instance.ProcessHandle());
    }
    started_.clear();

    // A restart starts instances the test never saw: find them by name.
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, "jumplet.exe") != 0)
            continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (process) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    DropStaleTrayIcons();

    // Anything else left a dialog up (a launched program, Wine itself): close it so the
    // next test starts from an empty screen.
    for (const Window& box : TopLevelWindows("#32770")) {
        if (box.IsVisible() && box.ProcessId() != GetCurrentProcessId())
            PostMessageW(box.Handle(), WM_CLOSE, 0, 0);
    }
}

JumpletTest::JumpletTest()
    : jumplet([] {
          const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
          std::string name = std::string(test->test_suite_name()) + "." + test->name();
          std::replace(name.begin(), name.end(), '/', '_');
          return name;
      }())
{
    DeleteFileA(SettingsFilePath().c_str());
    DeleteRunValue();
    marker::ClearLog();
}

JumpletTest::~JumpletTest()
{
    jumplet.EndAll();
    DeleteFileA(SettingsFilePath().c_str());
    DeleteRunValue();
    marker::ClearLog();
}

std::string DataLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace e2e
