// Driving Win32 programs from outside, as a user would, and reading what a user (or a file)
// would see afterwards. Nothing here knows Jumplet: the program under test is another
// process, never linked in, and every call works across process boundaries under Wine.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// ---- Waiting -------------------------------------------------------------------------

// Everything a test waits for arrives through another process, so tests poll for it.
// Returns whether the condition came true before the time ran out.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// Gives the program time to react to something that should have no visible effect. Only
// for checks that something did NOT happen; prefer WaitUntil everywhere else.
inline void LetItSettle(int ms = 500) { Sleep(ms); }

std::string Environment(const char* name);  // empty when not set

// ---- Files -----------------------------------------------------------------------------

std::string ReadFileBytes(const std::string& path);  // empty when missing
void WriteFileBytes(const std::string& path, const std::string& bytes);  // makes its folders
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void MakeFolders(const std::string& path);
void DeleteTree(const std::string& path);
std::string UnixPathOf(const std::string& windowsPath);  // empty when Wine cannot map it

// Holds a file open with no sharing, as another program might, until destroyed.
class LockedFile {
public:
    explicit LockedFile(const std::string& path);
    ~LockedFile() { Release(); }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool IsHeld() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release();

private:
    HANDLE handle_;
};

// ---- Windows of another process --------------------------------------------------------

// A window (top-level or control) of another program, read from outside. Reading one that
// was never found fails the test: a check on a missing control must not pass.
class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}

    HWND Handle() const { return handle_; }
    bool Exists() const { return handle_ && IsWindow(handle_); }
    explicit operator bool() const { return Exists(); }

    std::string ClassName() const;
    std::string Title() const { return Text(); }
    std::string Text() const;  // WM_GETTEXT, read wide so it survives Wine's marshalling
    bool IsVisible() const;
    bool IsEnabled() const;
    bool IsTopmost() const;
    RECT Rect() const;  // screen coordinates
    POINT Centre() const;
    DWORD ProcessId() const;
    Window Owner() const { return Window(GetWindow(handle_, GW_OWNER)); }
    Window Control(int id) const { return Window(handle_ ? GetDlgItem(handle_, id) : nullptr); }
    bool IsForeground() const { return handle_ && GetForegroundWindow() == GetAncestor(handle_, GA_ROOT); }
    bool HasFocus() const;  // this window is the focus of its own thread

    // List boxes.
    int ItemCount() const { return (int)Send(LB_GETCOUNT); }
    std::vector<std::string> Items() const;
    std::string ItemText(int index) const;
    int Selection() const { return (int)Send(LB_GETCURSEL); }  // -1 for none
    std::vector<int> SelectedIndexes() const;  // a multiple-selection list, item by item
    std::vector<std::string> SelectedItems() const;

    // Combo boxes.
    std::vector<std::string> ComboItems() const;
    int ComboSelection() const { return (int)Send(CB_GETCURSEL); }

    LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) const;  // -1 when it does not answer

private:
    bool Found(const char* what) const;

    HWND handle_ = nullptr;
};

// Every top-level window (visible or not) with this class, title or process; empty
// strings and 0 match anything.
std::vector<Window> TopLevelWindows(const std::string& className, const std::string& title = "",
                                    DWORD processId = 0);
// The first visible one of them; an empty Window when none shows.
Window FirstVisible(const std::string& className, const std::string& title = "", DWORD processId = 0);
// Direct children, top first; with a class, only those of it (any case).
std::vector<Window> ChildrenOf(const Window& parent, const std::string& className = "");

// The visible icons in Wine's own tray window, which stands in for the shell's
// notification area when X has none.
std::vector<Window> TrayIcons();

// A message box (dialog class #32770). (Not "MessageBox": windows.h turns that name into
// MessageBoxA.)
class MsgBox : public Window {
public:
    MsgBox() = default;
    explicit MsgBox(HWND handle) : Window(handle) {}

    std::string Caption() const { return Title(); }
    std::string Message() const;  // the text the user reads
    bool HasIcon() const;
    void Press(int buttonId) const;             // IDOK, IDYES, IDNO, ... (BM_CLICK)
    void PressOk() const { Press(IDOK); }
};

// Waits for a message box of that process with that caption; an empty handle on timeout.
MsgBox WaitForMessageBox(DWORD processId, const std::string& caption, int timeoutMs = 10000);
std::vector<MsgBox> MessageBoxesOf(DWORD processId);

// A window of the test's own on a thread of its own, and a low-level keyboard hook on that
// thread: it sees every key that goes in, in order, with the window in front at that
// moment. A hook installed later runs earlier, so a witness made after a program that
// hooks the keyboard sees every key before it, and one made before sees only the keys the
// program passed on. (Under Wine a hook that stood behind the hook of a program that has
// ended is called no more: make a fresh witness for each such program.)
class KeyWitness {
public:
    explicit KeyWitness(bool withWindow = true);
    ~KeyWitness();
    KeyWitness(const KeyWitness&) = delete;
    KeyWitness& operator=(const KeyWitness&) = delete;

    Window window() const { return Window(window_); }
    void TakeFocus();  // brings the window in front with the focus, and forgets the keys
    void Forget();
    // Whether, within a few seconds, the key reached the window as this message
    // (WM_KEYDOWN, WM_SYSKEYDOWN, ...), or went through the hook, with that window in front.
    bool Received(UINT message, WORD key) { return Saw(&Key::received, message, key, nullptr); }
    bool PassedOn(UINT message, WORD key, HWND inFront = nullptr) { return Saw(&Key::hooked, message, key, inFront); }
    // Mouse moves that some program made up and that move nothing, since the last Forget.
    int StillMoves() const { return stillMoves_; }

private:
    struct Key {
        bool hooked;
        bool received;
        UINT message;
        WORD key;
        HWND inFront;
    };
    bool Saw(bool Key::*where, UINT message, WORD key, HWND inFront);
    void Remember(Key key);
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI Run(LPVOID self);

    bool withWindow_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    CRITICAL_SECTION lock_;
    std::vector<Key> keys_;
    volatile LONG stillMoves_ = 0;
};

// Whether X has the input focus on no window of Wine's but the one that Wine has in front.
// With no window manager, X tells Wine of a focus change late on a busy machine, and that
// news, coming in after a later activation, undoes it: input meant for the front window
// then goes astray. With a text, says where each has it when they disagree.
bool XFocusAgreesWithTheFront(std::string* mismatch = nullptr);

// ---- Real input ------------------------------------------------------------------------

// Input goes in as a user's would: through SendInput into Wine's hardware input queue, to
// whatever window is in front and has the focus.
namespace user {

bool BringToFront(const Window& window);
void ShowAgain(const Window& topLevel);  // shown, if hidden, and brought to the front
void Mouse(DWORD flags, POINT screen);  // one move, or a button going down or up there
void MoveMouseTo(POINT screen);
void Click(POINT screen);
bool ShowsAt(const Window& window, POINT screen);  // its top-level window is the one seen there
void Click(const Window& window);  // at its centre, once it shows there
void RightClick(POINT screen);
void DoubleClick(POINT screen);
void ClickCloseBox(const Window& topLevel);  // the X at the right end of the caption
void DragByCaption(const Window& topLevel, int dx, int dy);
void ClickListItem(const Window& list, int index);  // scrolled into view by the list
void ChooseFromDropDown(const Window& combo, int index);
void Type(const std::string& text);
void Paste(const std::string& text);  // through the clipboard and Ctrl+V
void PressKey(WORD virtualKey);
void PressKeys(std::initializer_list<WORD> chord);  // held in order, released backwards
void CloseWithAltF4(const Window& topLevel);  // and fails unless it closes

// Drops files (Windows paths) on a screen point through X drag and drop, so the window
// there receives a real WM_DROPFILES. Returns whether the window took the drop.
bool DropFiles(const std::vector<std::string>& windowsPaths, POINT screen);
// The same with Unix (UTF-8) paths, for names the test's own code page cannot spell.
bool DropUnixFiles(const std::vector<std::string>& unixPaths, POINT screen);

}  // namespace user

int IndexOf(const Window& list, const std::string& item);  // -1 when it is not there
POINT ClientOrigin(const Window& window);  // the client area's top-left corner on the screen

// Runs a native (Linux) program from the Wine side and waits for it; returns its exit
// status, or -1 when it cannot be started.
int RunUnixProgram(const std::vector<std::string>& argv);

// Saves a PNG of the whole screen as NAME.png in $JUMPLET_SCREENSHOTS (a Unix folder) and
// prints where the window lies in it, ready for
//   convert NAME.png -crop WxH+X+Y +repage docs/NAME.png
// Does nothing when that variable is not set.
void SaveScreenshotOf(const std::string& name, const Window& window);

}  // namespace e2e
