// The key that brings Jumplet up from any application, and Up and Down for its list, with
// another program of the test in front that must still receive every key.
#include "forms.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace e2e {
namespace {

// The application in front: a window of the test's own on a thread of its own, so that it
// takes its keys while the test waits, and remembers each key that reached it. The thread
// also hooks the keyboard before Jumplet starts: Jumplet's hook, installed later, runs
// first, so this one sees a key only when Jumplet's passed it on.
class KeyWitness {
public:
    KeyWitness()
    {
        InitializeCriticalSection(&lock_);
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        WaitForSingleObject(ready_, 10000);
    }

    ~KeyWitness()
    {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        WaitForSingleObject(thread_, 10000);
        CloseHandle(thread_);
        CloseHandle(ready_);
        DeleteCriticalSection(&lock_);
    }

    KeyWitness(const KeyWitness&) = delete;
    KeyWitness& operator=(const KeyWitness&) = delete;

    Window window() const { return Window(window_); }

    // Brings the witness in front with the focus, and forgets the keys it had.
    void TakeFocus()
    {
        ASSERT_TRUE(user::BringToFront(window())) << "the witness window did not come to the front";
        Forget();
    }

    void Forget()
    {
        EnterCriticalSection(&lock_);
        keys_.clear();
        hooked_.clear();
        LeaveCriticalSection(&lock_);
    }

    // Whether the key reached the window as this message (WM_KEYDOWN, WM_SYSKEYDOWN, ...).
    bool Received(UINT message, WORD key) { return Saw(keys_, message, key); }
    // Whether the key went on along the hook chain past Jumplet's hook.
    bool PassedOn(UINT message, WORD key) { return Saw(hooked_, message, key); }

private:
    using Keys = std::vector<std::pair<UINT, WORD>>;

    bool Saw(const Keys& keys, UINT message, WORD key)
    {
        return WaitUntil([&] {
            EnterCriticalSection(&lock_);
            bool found = std::find(keys.begin(), keys.end(), std::make_pair(message, key)) != keys.end();
            LeaveCriticalSection(&lock_);
            return found;
        }, 3000);
    }

    void Remember(Keys* keys, UINT message, WORD key)
    {
        EnterCriticalSection(&lock_);
        keys->push_back({message, key});
        LeaveCriticalSection(&lock_);
    }

    static KeyWitness* current_;

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code >= 0)
            current_->Remember(&current_->hooked_, (UINT)wParam, (WORD)((KBDLLHOOKSTRUCT*)lParam)->vkCode);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static DWORD WINAPI Run(LPVOID self)
    {
        auto* witness = (KeyWitness*)self;
        current_ = witness;
        HHOOK hook = SetWindowsHookExA(WH_KEYBOARD_LL, Hook, GetModuleHandleA(nullptr), 0);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "JumpletE2EKeyWitness";
        RegisterClassA(&windowClass);
        witness->window_ = CreateWindowExA(0, windowClass.lpszClassName, "Key witness",
                                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 300, 200, nullptr,
                                           nullptr, windowClass.hInstance, witness);
        SetEvent(witness->ready_);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        UnhookWindowsHookEx(hook);
        return 0;
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTA*)lParam)->lpCreateParams);
        auto* witness = (KeyWitness*)GetWindowLongPtrA(window, GWLP_USERDATA);
        switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            witness->Remember(&witness->keys_, message, (WORD)wParam);
            return 0;  // no menu mode for Alt
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    HANDLE thread_ = nullptr;
    HANDLE ready_ = nullptr;
    CRITICAL_SECTION lock_;
    Keys keys_;
    Keys hooked_;
};

KeyWitness* KeyWitness::current_;

// Only the release of a key, as when a key held since before comes up.
void ReleaseKey(WORD key)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = (WORD)MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    in.ki.dwFlags = KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY;
    SendInput(1, &in, sizeof in);
}

void PressKeyWithoutCode()
{
    INPUT in[2] = {};
    for (INPUT& event : in) {
        event.type = INPUT_KEYBOARD;
        event.ki.wScan = 0x59;  // no key of the layout
        event.ki.dwFlags = KEYEVENTF_SCANCODE;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

class Hotkey : public JumpletTest {
protected:
    // A fresh witness, hooked before Jumplet starts. (Under Wine a hook that stood behind
    // the hook of a program that has ended is called no more.)
    Instance StartShown()
    {
        witness.reset();
        witness.reset(new KeyWitness);
        return jumplet.StartShown();
    }

    // Starts Jumplet, types into its search line and closes it, as a user leaves it.
    Instance StartAndClose(const std::string& typed)
    {
        Instance app = StartShown();
        if (!typed.empty())
            MainForm(app).TypeSearch(typed);
        Close(app);
        return app;
    }

    static void Close(const Instance& app)
    {
        Window main = app.MainWindow();
        if (!main.IsVisible())
            return;
        user::AltF4(main);
        ASSERT_TRUE(WaitUntil([&] { return !main.IsVisible(); })) << "the main window did not close";
    }

    // Presses a key and returns once it has gone past Jumplet's hook: whatever the hook
    // does, it has done by then. Key 0 is a key that has no key code, as some keys of
    // some keyboards have; the platform reports it with code 0.
    void Press(WORD key)
    {
        witness->Forget();
        if (key == 0)
            PressKeyWithoutCode();
        else
            user::PressKey(key);
        ASSERT_TRUE(witness->PassedOn(WM_KEYUP, key)) << "key " << key << " never got past Jumplet's hook";
    }

    std::unique_ptr<KeyWitness> witness;
};

TEST_F(Hotkey, TheKeyBringsUpAnEmptyFocusedSearchLineAndGoesOn)
{
    Instance app = StartAndClose("abc");
    MainForm main(app);
    witness->TakeFocus();
    user::PressKey(VK_NEXT);
    EXPECT_TRUE(WaitUntil([&] { return main.window.IsVisible() && main.window.IsForeground(); }));
    EXPECT_TRUE(WaitUntil([&] { return main.searchBox.HasFocus(); }));
    EXPECT_EQ(main.searchBox.Text(), "");
    // The press lands where the focus is once the hook returns, by then the search line;
    // that it went on at all is seen by the next hook along.
    EXPECT_TRUE(witness->PassedOn(WM_KEYDOWN, VK_NEXT));
    EXPECT_TRUE(witness->PassedOn(WM_KEYUP, VK_NEXT));

    // Pressed while the user types in the search line, it empties it again.
    user::Type("xyz");
    ASSERT_TRUE(WaitUntil([&] { return main.searchBox.Text() == "xyz"; }));
    Press(VK_NEXT);
    EXPECT_EQ(main.searchBox.Text(), "");
    EXPECT_TRUE(main.searchBox.HasFocus());

    // With Alt held the key is a system key, and a lone release is no press: neither
    // brings the window up, and the application in front gets the key.
    Close(app);
    witness->TakeFocus();
    user::PressKeys({VK_MENU, VK_NEXT});
    EXPECT_TRUE(witness->Received(WM_SYSKEYDOWN, VK_NEXT));
    witness->Forget();
    ReleaseKey(VK_NEXT);
    EXPECT_TRUE(witness->Received(WM_KEYUP, VK_NEXT));
    EXPECT_FALSE(main.window.IsVisible());
}

// The choice is read from jlpos.ini at every key: a new one works at the next key and the
// old one stops; "None" and an index past the table stop the key at once, and then not
// even a key without a key code matches.
TEST_F(Hotkey, AChoiceChangedInTheSettingsFileHoldsFromTheNextKey)
{
    struct Case {
        const char* index;
        WORD works;  // 0: no key brings the window up
    };
    const Case cases[] = {{"4", VK_F7}, {"10", 0}, {"11", 0}, {"99", 0}, {"-1", 0}, {"1", VK_HOME}};
    const WORD everyKey[] = {VK_NEXT, VK_HOME, VK_END, VK_PRIOR, VK_F7, VK_F8, VK_F9, VK_F11, VK_F12, 0};
    Instance app = StartAndClose("");
    Window main = app.MainWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("vkkey=") + c.index);
        WriteSettingsFile(std::string("[moreopt]\r\nvkkey=") + c.index + "\r\n");
        witness->TakeFocus();
        for (WORD key : everyKey) {
            if (c.works != 0 && key == c.works)
                continue;
            Press(key);
            EXPECT_FALSE(main.IsVisible()) << "key " << key;
            Close(app);
        }
        if (c.works == 0)
            continue;
        Press(c.works);
        EXPECT_TRUE(main.IsVisible()) << "key " << c.works;
        Close(app);
    }
    EXPECT_FALSE(app.HasEnded());
}

// Up and Down move the list's selection from any application, also while the window is
// hidden or shows the delete list; the keys still reach the application in front.
TEST_F(Hotkey, UpAndDownMoveTheListFromAnyApplication)
{
    jumplet.WriteDataFile(DataLines({"a", "C:\\a", "b", "C:\\b", "c", "C:\\c"}));
    Instance app = StartAndClose("");
    Window list = app.MainControl(kMainList);
    ASSERT_EQ(list.Selection(), -1);
    witness->TakeFocus();
    const std::pair<WORD, int> steps[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_DOWN, 2},
                                          {VK_UP, 1},   {VK_UP, 0},   {VK_UP, 0}};
    for (const auto& step : steps) {
        Press(step.first);
        EXPECT_EQ(list.Selection(), step.second) << (step.first == VK_UP ? "Up" : "Down");
        EXPECT_TRUE(witness->Received(WM_KEYDOWN, step.first));
    }
    jumplet.EndAll();

    // Up with nothing selected, in delete mode: the hidden main list takes the first item.
    app = StartShown();
    MainForm form(app);
    user::BringToFront(form.window);
    user::Click(form.deleteButton);
    ASSERT_TRUE(WaitUntil([&] { return form.deleteList.IsVisible(); }));
    witness->TakeFocus();
    Press(VK_UP);
    EXPECT_EQ(form.mainList.Selection(), 0);
    EXPECT_TRUE(form.deleteList.SelectedIndexes().empty());
    jumplet.EndAll();

    // An empty list takes no selection.
    jumplet.WriteDataFile("");
    app = StartAndClose("");
    witness->TakeFocus();
    Press(VK_DOWN);
    Press(VK_UP);
    EXPECT_EQ(app.MainControl(kMainList).Selection(), -1);
}

}  // namespace
}  // namespace e2e
