// What an end-to-end test needs to drive a real jumplet.exe as a user would, and to look
// at what a user (or a file) would see afterwards. Everything here works across process
// boundaries under Wine: the program under test is a separate process, never linked in.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// ---- Waiting -------------------------------------------------------------------------

// Everything a test waits for arrives through another process, so tests poll for it.
// Returns whether the condition came true before the time ran out.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// Gives the program time to react to something that should have no visible effect. Only
// for checks that something did NOT happen; prefer WaitUntil everywhere else.
void LetItSettle(int ms = 500);

// ---- Files and the registry ------------------------------------------------------------

std::string ReadFileBytes(const std::string& path);  // empty when missing
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void DeleteTree(const std::string& path);
std::string UnixPathOf(const std::string& windowsPath);  // empty when Wine cannot map it

std::string WindowsFolder();          // "C:\windows", no trailing backslash
std::string SettingsFilePath();       // jlpos.ini in the Windows folder
bool SettingsFileExists();
std::string ReadSettingsFile();
void WriteSettingsFile(const std::string& text);
std::string ReadSetting(const std::string& section, const std::string& key);

bool RunValueExists();  // "Jumplet" under HKCU\...\CurrentVersion\Run
std::string ReadRunValue();
void DeleteRunValue();

// Holds a file open with no sharing, as another program might, until destroyed.
class LockedFile {
public:
    explicit LockedFile(const std::string& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool IsHeld() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release();

private:
    HANDLE handle_;
};

// ---- Windows of another process --------------------------------------------------------

// A window (top-level or control) of the program under test, read from outside.
class Window {
public:
    Window() = default;
    explicit Window(HWND handle) : handle_(handle) {}

    HWND Handle() const { return handle_; }
    bool Exists() const;
    explicit operator bool() const { return Exists(); }

    std::string ClassName() const;
    std::string Title() const { return Text(); }
    std::string Text() const;  // WM_GETTEXT, read wide so it survives Wine's marshalling
    bool IsVisible() const;
    bool IsEnabled() const;
    RECT Rect() const;  // screen coordinates
    POINT Centre() const;
    DWORD ProcessId() const;
    Window Owner() const;
    Window Parent() const;
    Window Control(int id) const;  // GetDlgItem
    bool IsForeground() const;
    bool HasFocus() const;  // this window is the focus of its own thread

    // List boxes.
    int ItemCount() const;
    std::vector<std::string> Items() const;
    std::string ItemText(int index) const;
    int Selection() const;  // LB_GETCURSEL; -1 for none
    std::vector<int> SelectedIndexes() const;  // a multiple-selection list, item by item
    std::vector<std::string> SelectedItems() const;
    POINT ItemCentre(int index) const;  // screen point to click an item

    // Combo boxes.
    int ComboItemCount() const;
    std::vector<std::string> ComboItems() const;
    int ComboSelection() const;

private:
    LRESULT Send(UINT message, WPARAM w = 0, LPARAM l = 0) const;

    HWND handle_ = nullptr;
};

// Every top-level window (visible or not) with this class, title or process; empty
// strings and 0 match anything.
std::vector<Window> TopLevelWindows(const std::string& className, const std::string& title = "",
                                    DWORD processId = 0);

std::vector<Window> ChildrenOf(const Window& parent);  // its direct children, top first

// The visible icons in Wine's own tray window, which stands in for the shell's
// notification area when X has none.
std::vector<Window> TrayIcons();

// A message box (dialog class #32770) shown by the program. (Not "MessageBox": windows.h
// turns that name into MessageBoxA.)
class MsgBox : public Window {
public:
    MsgBox() = default;
    explicit MsgBox(HWND handle) : Window(handle) {}

    std::string Caption() const { return Title(); }
    std::string Message() const;  // the text the user reads
    bool HasIcon() const;
    std::vector<std::string> Buttons() const;  // button texts, left to right
    void Press(int buttonId) const;             // IDOK, IDYES, IDNO, ... (BM_CLICK)
    void PressOk() const { Press(IDOK); }
};

// Waits for a message box of that process with that caption; an empty handle on timeout.
MsgBox WaitForMessageBox(DWORD processId, const std::string& caption, int timeoutMs = 10000);
std::vector<MsgBox> MessageBoxesOf(DWORD processId);

// ---- Real input ------------------------------------------------------------------------

// Input goes in as a user's would: through SendInput into Wine's hardware input queue, to
// whatever window is in front and has the focus.
namespace user {

bool BringToFront(const Window& window);
void MoveMouseTo(POINT screen);
void Click(POINT screen);
bool ShowsAt(const Window& window, POINT screen);  // its top-level window is the one seen there
void Click(const Window& window);  // at its centre
void RightClick(POINT screen);
void DoubleClick(POINT screen);
void ClickCloseBox(const Window& topLevel);  // the X at the right end of the caption
void Type(const std::string& text);
void PressKey(WORD virtualKey);
void PressKeys(std::initializer_list<WORD> chord);  // held in order, released backwards
void AltF4(const Window& target);

// Drops files (Windows paths) on a screen point through X drag and drop, so the window
// there receives a real WM_DROPFILES. Returns whether the window took the drop.
bool DropFiles(const std::vector<std::string>& windowsPaths, POINT screen);
bool DropFiles(const std::vector<std::string>& windowsPaths, const Window& on);
// The same with Unix (UTF-8) paths, for names the test's own code page cannot spell.
bool DropUnixFiles(const std::vector<std::string>& unixPaths, POINT screen);

}  // namespace user

// Runs a native (Linux) program from the Wine side and waits for it; returns its exit
// status, or -1 when it cannot be started.
int RunUnixProgram(const std::vector<std::string>& argv);

// Saves a PNG of the whole screen as NAME.png in $JUMPLET_SCREENSHOTS (a Unix folder);
// does nothing and returns false when that variable is not set.
bool SaveScreenshot(const std::string& name);

// ---- What the program launched ---------------------------------------------------------

// The marker program stands in for every application the shell could open: the test
// prefix associates documents, folders and web addresses with it, and each run of it
// appends its own command line to the log beside it.
namespace marker {

std::string ProgramPath();  // a shortcut that targets this shows a launch directly
std::string LogPath();
void ClearLog();
std::vector<std::string> Lines();
std::vector<std::string> WaitForLines(size_t count, int timeoutMs = 10000);
std::string ArgumentsOf(const std::string& commandLine);  // without the program's own name

}  // namespace marker

// ---- A small disk ----------------------------------------------------------------------

// A drive backed by a tiny tmpfs (1 MB), for what happens when the disk is full. Tests
// that need it skip themselves when the run could not mount one:
//
//   if (!small_disk::Available()) GTEST_SKIP() << small_disk::WhyNot();
//   Jumplet onSmallDisk("app", small_disk::Root());
//   small_disk::Fill();
namespace small_disk {

bool Available();
std::string WhyNot();
std::string Root();  // "T:\"
void Fill();         // leaves no free byte on it

}  // namespace small_disk

// ---- The program under test ------------------------------------------------------------

constexpr const char* kMainTitle = "Jumplet v1.0 - A Shortcut Tool";
constexpr const char* kMainClass = "winappJumplet";
constexpr const char* kAddTitle = "Add item !";
constexpr const char* kAddClass = "AddItem";

enum MainControl {
    kRunButton = 701,
    kAddButton = 702,
    kDeleteButton = 703,
    kOptionButton = 704,
    kMainList = 705,
    kSearchBox = 706,
    kDeleteList = 708,
    kStatusLine = 0,
};

// One started jumplet.exe process.
class Instance {
public:
    Instance() = default;
    Instance(HANDLE process, DWORD processId) : process_(process), processId_(processId) {}

    DWORD ProcessId() const { return processId_; }
    HANDLE ProcessHandle() const { return process_; }
    bool HasEnded() const;
    bool WaitForExit(int timeoutMs = 10000) const;
    DWORD ExitCode() const;  // STILL_ACTIVE while it runs

    Window MainWindow() const;
    Window AddWindow() const;
    Window MainControl(int id) const { return MainWindow().Control(id); }
    MsgBox WaitForMessageBox(const std::string& caption, int timeoutMs = 10000) const;
    std::vector<MsgBox> MessageBoxes() const;

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// A fresh copy of Jumplet in a folder of its own (C:\e2e\<name>\), as a user would unzip it;
// or only the empty folder, for a test that unpacks the program itself.
class Jumplet {
public:
    explicit Jumplet(const std::string& name, const std::string& parent = "C:\\e2e", bool withProgram = true);
    ~Jumplet();
    Jumplet(const Jumplet&) = delete;
    Jumplet& operator=(const Jumplet&) = delete;

    const std::string& Folder() const { return folder_; }  // ends in a backslash
    std::string ExePath() const { return folder_ + "jumplet.exe"; }
    std::string DataFilePath() const { return folder_ + "jumplet.dat"; }
    std::string ReportPath() const { return folder_ + "JLReport.html"; }

    void WriteDataFile(const std::string& bytes) const;
    std::string ReadDataFile() const;
    bool DataFileExists() const;

    // Starts jumplet.exe with this command line and returns once its main window exists,
    // a message box of it is up, or it has ended (a second instance that hands over).
    Instance Start(const std::string& arguments = "", int timeoutMs = 15000);
    // Starts it and fails the test unless its main window comes up.
    Instance StartShown(const std::string& arguments = "");

    // Ends every running jumplet.exe, the ones a restart started included.
    void EndAll();

private:
    std::string folder_;
    std::vector<Instance> started_;
};

// The fixture most tests use: a fresh Jumplet named after the test, and a clean machine
// afterwards (no instance, no settings file, no Run value, no marker log).
class JumpletTest : public ::testing::Test {
protected:
    JumpletTest();
    ~JumpletTest() override;

    Jumplet jumplet;
};

// The Windows paths and lines a test compares against.
std::string DataLines(const std::vector<std::string>& lines);  // joined with CR LF after each

}  // namespace e2e
