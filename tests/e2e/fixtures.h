// Jumplet's own fixtures: a fresh copy of the program to start, its windows as a user sees
// them, its tray icon and menu, and what it leaves behind (the data file, the settings file,
// the Run value, what the shell was asked to open). Built on the general driving part.
#pragma once

#include "driving.h"

#include <string>
#include <vector>

namespace e2e {

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
};

// ---- The settings file and the Run value -------------------------------------------------

std::string SettingsFilePath();     // jlpos.ini beside the newest Jumplet's program
std::string OldSettingsFilePath();  // where earlier versions kept it: the Windows folder
inline bool SettingsFileExists() { return FileExists(SettingsFilePath()); }
inline std::string ReadSettingsFile() { return ReadFileBytes(SettingsFilePath()); }
inline void WriteSettingsFile(const std::string& text) { WriteFileBytes(SettingsFilePath(), text); }
std::string ReadSetting(const std::string& section, const std::string& key);

// The value "Jumplet" under HKCU\...\CurrentVersion\Run; its type is REG_NONE when missing.
std::string ReadRunValue(DWORD* type = nullptr);
bool RunValueExists();
void WriteRunValue(const std::string& data);
void DeleteRunValue();

// Denies everyone the right to change the values under the Run key, as an administrator's
// policy might, until destroyed.
class RunKeyLocked {
public:
    RunKeyLocked();
    ~RunKeyLocked();
    RunKeyLocked(const RunKeyLocked&) = delete;
    RunKeyLocked& operator=(const RunKeyLocked&) = delete;

private:
    HKEY key_ = nullptr;
    PSID everyone_ = nullptr;
    alignas(8) char original_[1024] = {};
    alignas(8) char acl_[256] = {};
};

// ---- What the shell opened ---------------------------------------------------------------

// The marker program stands in for every application the shell could open: the test
// prefix associates documents, folders and web addresses with it, and each run of it
// appends its own command line to the log beside it.
namespace marker {

std::string ProgramPath();  // a shortcut that targets this shows a launch directly
void ClearLog();
std::vector<std::string> Lines();
std::vector<std::string> WaitForLines(size_t count, int timeoutMs = 10000);

}  // namespace marker

// What the shell was asked to open once that many launches came, quotes stripped.
std::vector<std::string> Opened(size_t expected);

// ---- A small disk ------------------------------------------------------------------------

// A drive backed by a tiny tmpfs (1 MB), for what happens when the disk is full. Tests
// that need it skip themselves when the run could not mount one; the fixture empties it
// at the end of every test.
namespace small_disk {

bool Available();
std::string WhyNot();
std::string Root();  // "T:\"
void Fill();         // leaves no free byte on it

}  // namespace small_disk

// ---- The program -------------------------------------------------------------------------

// One started jumplet.exe process.
class Instance {
public:
    Instance() = default;
    Instance(HANDLE process, DWORD processId) : process_(process), processId_(processId) {}

    DWORD ProcessId() const { return processId_; }
    HANDLE ProcessHandle() const { return process_; }
    bool HasEnded() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
    // Waits for the end the test brought about; an end nobody waited for fails the test.
    bool WaitForExit(int timeoutMs = 10000) const;
    DWORD ExitCode() const;  // STILL_ACTIVE while it runs

    Window MainWindow() const;
    Window AddWindow() const;
    MsgBox WaitForMessageBox(const std::string& caption, int timeoutMs = 10000) const
    {
        return e2e::WaitForMessageBox(processId_, caption, timeoutMs);
    }
    std::vector<MsgBox> MessageBoxes() const { return MessageBoxesOf(processId_); }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// A fresh copy of Jumplet in a folder of its own (C:\e2e\<name>\), as a user would unzip it,
// or only the empty folder, for a test that unpacks the program itself. The folder goes
// when the object does.
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

    void WriteDataFile(const std::string& bytes) const { WriteFileBytes(DataFilePath(), bytes); }
    std::string ReadDataFile() const { return ReadFileBytes(DataFilePath()); }
    bool DataFileExists() const { return FileExists(DataFilePath()); }

    // Starts jumplet.exe with this command line and returns once its main window exists,
    // a message box of it is up, or it has ended (a second instance that hands over).
    Instance Start(const std::string& arguments = "", int timeoutMs = 15000);
    // Starts it and fails the test unless its main window comes up.
    Instance StartShown(const std::string& arguments = "");

    // Ends every running jumplet.exe, the ones a restart started included, and fails the
    // test for an instance that ended by itself: a crash must not pass as "nothing happened".
    void EndAll();

private:
    std::string folder_;
    std::vector<Instance> started_;
};

// The fixture most tests use: a fresh Jumplet named after the test, and a clean machine
// afterwards (no instance, no settings file, no Run value, no marker log, no full disk).
class JumpletTest : public ::testing::Test {
protected:
    JumpletTest();
    ~JumpletTest() override;

    Jumplet jumplet;
};

std::string DataLines(const std::vector<std::string>& lines);  // joined with CR LF after each

// ---- Its windows -------------------------------------------------------------------------

// The main window's controls; each must be there.
struct MainForm {
    explicit MainForm(const Instance& app);
    void TypeSearch(const std::string& text) const;  // clicks into the search line and types

    Window window, searchBox, mainList, deleteList, runButton, addButton, deleteButton, statusLine;
};

// The add window's form. Its controls have no ids, so they are told apart by class and
// place: the name field lies above the target field. Each must be there.
struct AddForm {
    explicit AddForm(const Window& addWindow);
    std::string TypeText() const { return typeCombo.Text(); }  // the type box's edit part
    void ChooseType(const std::string& type) const;
    static void TypeInto(const Window& field, const std::string& text);  // after what it holds
    void PressOk() const;

    Window window, nameEdit, targetEdit, typeCombo, okButton;
};

// Clicks the main window's Add button and returns the form it shows.
AddForm ShowAddForm(const Instance& app);

// ---- The tray ----------------------------------------------------------------------------

// The menu's items from the top; an open menu cannot be read from another process, so
// they are reached with Down.
enum TrayItem { kInvokeAtStartup, kAddNewShortcut, kMoreOptions, kQuitApplication, kTrayItems };

Window NewestTrayIcon();
void ClickTrayIcon();
Window OpenTrayMenu();
void ChooseFromTrayMenu(TrayItem item);
void QuitFromTray(const Instance& app);  // and fails unless the program ends well
// Whether "Invoke At Startup" shows its check mark, read off the painted menu.
bool AutoStartItemShowsCheck();

}  // namespace e2e
