#include "driving.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

constexpr int kPollMs = 50;
constexpr UINT kSendTimeoutMs = 5000;

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

std::string WithBackslash(const std::string& path)
{
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WindowClassOf(HWND h)
{
    char name[256] = "";
    GetClassNameA(h, name, sizeof name);
    return name;
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

std::string Environment(const char* name)
{
    char value[1024];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return (n > 0 && n < sizeof value) ? std::string(value, n) : std::string();
}

// ---- Files -----------------------------------------------------------------------------

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

void MakeFolders(const std::string& path)
{
    for (size_t i = 3; i <= path.size(); i++) {
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
}

// Wide throughout: a test may leave names that the ANSI code page cannot spell.
static void DeleteTreeW(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        std::wstring name = found.cFileName, full = path + L"\\" + name;
        if (name == L"." || name == L"..")
            continue;
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteTreeW(full);
        else
            DeleteFileW(full.c_str());
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

void DeleteTree(const std::string& path)
{
    std::wstring wide = Widen(path);
    if (!wide.empty() && wide.back() == L'\\')
        wide.pop_back();
    DeleteTreeW(wide);
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

LockedFile::LockedFile(const std::string& path)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

void LockedFile::Release()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

// ---- Windows of another process --------------------------------------------------------

// A window that was found and has gone since reads as empty and hidden: that is what the
// user sees. One that was never found is a test that looks at the wrong thing.
bool Window::Found(const char* what) const
{
    if (!handle_)
        ADD_FAILURE() << "read " << what << " of a window or control that was never found";
    return handle_ != nullptr;
}

LRESULT Window::Send(UINT message, WPARAM w, LPARAM l) const
{
    DWORD_PTR result = 0;
    if (!Found("a message's answer") || !SendMessageTimeoutW(handle_, message, w, l, SMTO_NORMAL, kSendTimeoutMs, &result))
        return -1;
    return (LRESULT)result;
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
    return Found("the visibility") && IsWindowVisible(handle_);
}

bool Window::IsEnabled() const
{
    return Found("the enabled state") && IsWindow(handle_) && IsWindowEnabled(handle_);
}

bool Window::IsTopmost() const
{
    return Found("the topmost state") && (GetWindowLongW(handle_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

RECT Window::Rect() const
{
    RECT r = {0, 0, 0, 0};
    if (Found("the place"))
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

bool Window::HasFocus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = Found("the focus") ? GetWindowThreadProcessId(handle_, nullptr) : 0;
    return thread && GetGUIThreadInfo(thread, &info) && info.hwndFocus == handle_;
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
    for (int i = 0, count = ItemCount(); i < count; i++)
        items.push_back(ItemText(i));
    return items;
}

std::vector<int> Window::SelectedIndexes() const
{
    std::vector<int> selected;
    for (int i = 0, count = ItemCount(); i < count; i++) {
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

std::vector<std::string> Window::ComboItems() const
{
    std::vector<std::string> items;
    for (int i = 0, count = (int)Send(CB_GETCOUNT); i < count; i++) {
        LRESULT length = Send(CB_GETLBTEXTLEN, i);
        std::wstring text(length > 0 ? length + 1 : 1, L'\0');
        LRESULT got = Send(CB_GETLBTEXT, i, (LPARAM)&text[0]);
        text.resize(got > 0 ? got : 0);
        items.push_back(Narrow(text));
    }
    return items;
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
    WCHAR title[512] = L"";
    if (!q->title.empty())
        GetWindowTextW(h, title, 512);
    if ((q->processId == 0 || pid == q->processId) && (q->className.empty() || WindowClassOf(h) == q->className) &&
        (q->title.empty() || Narrow(title) == q->title))
        q->found.push_back(Window(h));
    return TRUE;
}

}  // namespace

std::vector<Window> TopLevelWindows(const std::string& className, const std::string& title, DWORD processId)
{
    WindowQuery query{className, title, processId, {}};
    EnumWindows(CollectMatchingWindow, (LPARAM)&query);
    return query.found;
}

Window FirstVisible(const std::string& className, const std::string& title, DWORD processId)
{
    for (const Window& w : TopLevelWindows(className, title, processId))
        if (IsWindowVisible(w.Handle()))
            return w;
    return Window();
}

std::vector<Window> ChildrenOf(const Window& parent, const std::string& className)
{
    std::vector<Window> children;
    for (HWND child = GetWindow(parent.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (className.empty() || _stricmp(WindowClassOf(child).c_str(), className.c_str()) == 0)
            children.push_back(Window(child));
    return children;
}

std::vector<Window> TrayIcons()
{
    std::vector<Window> icons;
    for (const Window& tray : TopLevelWindows("__winex11_standalone_tray"))
        for (const Window& icon : ChildrenOf(tray))
            if (IsWindowVisible(icon.Handle()))
                icons.push_back(icon);
    return icons;
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
        if (icon && IsWindowVisible(icon.Handle()) && SendMessageW(icon.Handle(), STM_GETICON, 0, 0))
            return true;
    }
    return false;
}

void MsgBox::Press(int buttonId) const
{
    Window button = Control(buttonId);
    ASSERT_TRUE(button.Exists()) << "the message box \"" << Caption() << "\" has no button " << buttonId;
    button.Send(BM_CLICK);
}

std::vector<MsgBox> MessageBoxesOf(DWORD processId)
{
    std::vector<MsgBox> boxes;
    for (const Window& w : TopLevelWindows("#32770", "", processId)) {
        if (IsWindowVisible(w.Handle()))
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

// ---- The key witness -------------------------------------------------------------------

namespace {
thread_local KeyWitness* hookedWitness;  // the witness whose thread the hook runs on
}

KeyWitness::KeyWitness(bool withWindow) : withWindow_(withWindow)
{
    InitializeCriticalSection(&lock_);
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, &threadId_);
    WaitForSingleObject(ready_, 10000);
}

KeyWitness::~KeyWitness()
{
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(ready_);
    DeleteCriticalSection(&lock_);
}

void KeyWitness::TakeFocus()
{
    ASSERT_TRUE(user::BringToFront(window())) << "the witness window did not come to the front";
    Forget();
}

void KeyWitness::Forget()
{
    EnterCriticalSection(&lock_);
    keys_.clear();
    stillMoves_ = 0;
    LeaveCriticalSection(&lock_);
}

bool KeyWitness::Saw(bool Key::*where, UINT message, WORD key, HWND inFront)
{
    return WaitUntil([&] {
        EnterCriticalSection(&lock_);
        bool found = std::any_of(keys_.begin(), keys_.end(), [&](const Key& k) {
            return k.*where && k.message == message && k.key == key && (!inFront || k.inFront == inFront);
        });
        LeaveCriticalSection(&lock_);
        return found;
    }, 3000);
}

void KeyWitness::Remember(Key key)
{
    EnterCriticalSection(&lock_);
    keys_.push_back(key);
    LeaveCriticalSection(&lock_);
}

LRESULT CALLBACK KeyWitness::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0)
        hookedWitness->Remember({true, false, (UINT)wParam, (WORD)((KBDLLHOOKSTRUCT*)lParam)->vkCode,
                                 GetForegroundWindow()});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyWitness::MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSLLHOOKSTRUCT* event = (const MSLLHOOKSTRUCT*)lParam;
    POINT now;
    // Called before the move takes effect: where the pointer is now is where it was.
    if (code >= 0 && wParam == WM_MOUSEMOVE && (event->flags & LLMHF_INJECTED) && GetCursorPos(&now) &&
        now.x == event->pt.x && now.y == event->pt.y)
        InterlockedIncrement(&hookedWitness->stillMoves_);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK KeyWitness::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        hookedWitness->Remember({false, true, message, (WORD)wParam, window});
        return 0;  // no menu mode for Alt
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

DWORD WINAPI KeyWitness::Run(LPVOID self)
{
    auto* witness = (KeyWitness*)self;
    hookedWitness = witness;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue that WM_QUIT is posted to
    HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, Hook, GetModuleHandleA(nullptr), 0);
    HHOOK mouseHook = SetWindowsHookExA(WH_MOUSE_LL, MouseHook, GetModuleHandleA(nullptr), 0);
    if (witness->withWindow_) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "JumpletE2EKeyWitness";
        RegisterClassA(&windowClass);
        witness->window_ = CreateWindowExA(0, windowClass.lpszClassName, "Key witness", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           700, 600, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    SetEvent(witness->ready_);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (witness->window_)
        DestroyWindow(witness->window_);
    UnhookWindowsHookEx(hook);
    UnhookWindowsHookEx(mouseHook);
    return 0;
}

// X's answer names an X window; Wine keeps each window's X window as a property.
bool XFocusAgreesWithTheFront(std::string* mismatch)
{
    static const std::string answer = WithBackslash(Environment("TEMP")) + "xfocus.txt";
    if (RunUnixProgram({"sh", "-c", "xdotool getwindowfocus >'" + UnixPathOf(answer) + "'"}) != 0)
        return false;
    ULONG_PTR focus = strtoul(ReadFileBytes(answer).c_str(), nullptr, 10);
    HWND front = GetForegroundWindow();
    for (const Window& w : TopLevelWindows("")) {
        if ((ULONG_PTR)GetPropA(w.Handle(), "__wine_x11_whole_window") != focus || w.Handle() == front)
            continue;
        if (mismatch)
            *mismatch = "X has the focus on \"" + w.Title() + "\", Wine has \"" + Window(front).Title() + "\" in front";
        return false;
    }
    return true;
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

// The caption is drawn by Wine or a window manager depending on the set-up, so its parts
// are found by asking the window where they lie: the first point of the caption band, from
// the right end or from the left, that the window reports as the part asked for.
POINT FindInCaption(const Window& topLevel, LRESULT part, bool fromRight)
{
    RECT r = topLevel.Rect();
    for (int y = r.top + 2; y < r.top + 40; y += 2) {
        for (int step = 4; step < 80; step++) {
            POINT at = {fromRight ? r.right - step : r.left + 36 + step, y};
            if (topLevel.Send(WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)) == part)
                return POINT{fromRight ? at.x - 4 : at.x, at.y + 4};
        }
    }
    ADD_FAILURE() << "no caption part " << part << " found on \"" << topLevel.Title() << "\"";
    return POINT{-1, -1};
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

// As the program itself would on its next bring-up; the tests that use this look at what
// follows, not at how the window came back.
void ShowAgain(const Window& topLevel)
{
    ShowWindow(topLevel.Handle(), SW_SHOW);
    ASSERT_TRUE(WaitUntil([&] { return topLevel.IsVisible(); })) << "\"" << topLevel.Title() << "\" stays hidden";
    BringToFront(topLevel);
}

void Mouse(DWORD flags, POINT screen)
{
    Send({MouseInput(flags, screen)});
}

void MoveMouseTo(POINT screen)
{
    Mouse(MOUSEEVENTF_MOVE, screen);
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

void ClickCloseBox(const Window& topLevel)
{
    POINT box = FindInCaption(topLevel, HTCLOSE, true);
    if (box.y >= 0)
        Click(box);
}

// Presses the left button on the caption, moves in small steps and lets go, as a user
// moves a window.
void DragByCaption(const Window& topLevel, int dx, int dy)
{
    RECT r = topLevel.Rect();
    POINT grab = FindInCaption(topLevel, HTCAPTION, false);
    ASSERT_GE(grab.y, 0);
    BringToFront(topLevel);
    Mouse(MOUSEEVENTF_MOVE, grab);
    Mouse(MOUSEEVENTF_LEFTDOWN, grab);
    const int steps = 10;
    for (int i = 1; i <= steps; i++)
        Mouse(MOUSEEVENTF_MOVE, POINT{grab.x + dx * i / steps, grab.y + dy * i / steps});
    Mouse(MOUSEEVENTF_LEFTUP, POINT{grab.x + dx, grab.y + dy});
    RECT expected = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    ASSERT_TRUE(WaitUntil([&] { RECT now = topLevel.Rect(); return EqualRect(&expected, &now) != 0; }, 3000))
        << "\"" << topLevel.Title() << "\" did not follow the mouse";
}

void ClickListItem(const Window& list, int index)
{
    ASSERT_GE(index, 0) << "no such item in the list";
    LRESULT height = list.Send(LB_GETITEMHEIGHT), top = list.Send(LB_GETTOPINDEX);
    POINT origin = ClientOrigin(list);
    Click(POINT{origin.x + 20, origin.y + (LONG)((index - top) * height + height / 2)});
}

// Opens a drop-down list with a click on its arrow and clicks the entry, as a user does.
void ChooseFromDropDown(const Window& combo, int index)
{
    BringToFront(combo);
    RECT r = combo.Rect();
    Click(POINT{r.right - 8, r.top + 10});
    Window dropped;
    ASSERT_TRUE(WaitUntil([&] { return (bool)(dropped = FirstVisible("ComboLBox", "", combo.ProcessId())); }))
        << "the list did not open";
    ClickListItem(dropped, index);
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
// pressed again if they do not stay down a moment, and only then the last key.
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

// Pasting is how a long text gets into a field; the field decides how much it takes.
void Paste(const std::string& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    PressKeys({VK_CONTROL, 'V'});
}

// Alt+F4 goes to whichever window is active; sent to Wine's own tray window it hides every
// icon for good, so it is pressed only once the window meant is in front and X agrees. A
// witness hook, made now and so called before any hook of the program, sees where the chord
// went: a late X focus change can still make another window active, or let Alt go before
// F4 (F4 then comes as a plain key). Only then is it pressed again, as a user would; a
// chord that arrived and did not close the window fails the test.
void CloseWithAltF4(const Window& topLevel)
{
    HWND top = GetAncestor(topLevel.Handle(), GA_ROOT);
    ASSERT_TRUE(topLevel.IsVisible()) << "\"" << topLevel.Title() << "\" is not up to be closed";
    bool arrived = false;
    for (int attempt = 1; attempt <= 2 && !arrived; attempt++) {
        ASSERT_TRUE(WaitUntil([&] { return BringToFront(topLevel); }))
            << "\"" << topLevel.Title() << "\" did not become the active window";
        WaitUntil([] { return XFocusAgreesWithTheFront(); }, 3000);
        KeyWitness witness(false);
        PressKeys({VK_MENU, VK_F4});
        arrived = witness.PassedOn(WM_SYSKEYDOWN, VK_F4, top);
        if (!arrived)
            std::fprintf(stderr, "Alt+F4 did not arrive as a chord at \"%s\"; pressed again\n", topLevel.Title().c_str());
    }
    ASSERT_TRUE(arrived) << "Alt+F4 never arrived at \"" << topLevel.Title() << "\"";
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(top); })) << "Alt+F4 did not close \"" << topLevel.Title() << "\"";
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

}  // namespace user

int IndexOf(const Window& list, const std::string& item)
{
    std::vector<std::string> items = list.Items();
    auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : (int)(found - items.begin());
}

POINT ClientOrigin(const Window& window)
{
    POINT origin = {0, 0};
    ClientToScreen(window.Handle(), &origin);
    return origin;
}

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

void SaveScreenshotOf(const std::string& name, const Window& window)
{
    std::string folder = Environment("JUMPLET_SCREENSHOTS");
    if (folder.empty() || RunUnixProgram({"import", "-window", "root", folder + "/" + name + ".png"}) != 0)
        return;
    RECT r = window.Rect();
    printf("screenshot %s: \"%s\" at %ldx%ld+%ld+%ld\n", name.c_str(), window.Title().c_str(), r.right - r.left,
           r.bottom - r.top, r.left, r.top);
}

}  // namespace e2e
