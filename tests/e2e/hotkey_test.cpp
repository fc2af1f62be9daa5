// The key that brings Jumplet up from any application, and Up and Down for its list, with
// another program of the test in front that must still receive every key.
#include "fixtures.h"

#include <memory>

namespace e2e {
namespace {

// One key event as it comes: the release of a key alone (as when a key held since before
// comes up), or a key that has no key code, as some keys of some keyboards have (scan code
// 0x59 is no key of the layout; the platform reports it with code 0).
void SendKeyEvent(WORD key, WORD scan, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

class Hotkey : public JumpletTest {
protected:
    // The application in front: a fresh witness, hooked before Jumplet starts, so that it
    // sees a key only when Jumplet's hook passed it on.
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
        if (app.MainWindow().IsVisible())
            user::CloseWithAltF4(app.MainWindow());
    }

    // Presses a key and returns once it has gone past Jumplet's hook: whatever the hook
    // does, it has done by then. Key 0 is a key that has no key code.
    void Press(WORD key)
    {
        witness->Forget();
        if (key == 0) {
            SendKeyEvent(0, 0x59, KEYEVENTF_SCANCODE);
            SendKeyEvent(0, 0x59, KEYEVENTF_SCANCODE | KEYEVENTF_KEYUP);
        } else {
            user::PressKey(key);
        }
        UINT release = key == VK_F10 ? WM_SYSKEYUP : WM_KEYUP;  // F10 is the menu key
        ASSERT_TRUE(witness->PassedOn(release, key)) << "key " << key << " never got past Jumplet's hook";
    }

    std::unique_ptr<KeyWitness> witness;
};

TEST_F(Hotkey, TheKeyBringsUpAnEmptyFocusedSearchLineAndGoesOn)
{
    Instance app = StartAndClose("abc");
    MainForm main(app);
    // The pointer over the witness, moved by X itself, so that Wine's idea of where it is
    // agrees with the display's.
    POINT pointer = {850, 700}, after;
    RunUnixProgram({"xdotool", "mousemove", "850", "700"});
    EXPECT_TRUE(WaitUntil([&] { return GetCursorPos(&after) && after.x == pointer.x && after.y == pointer.y; }));
    witness->TakeFocus();
    user::PressKey(VK_NEXT);
    EXPECT_TRUE(WaitUntil([&] { return main.window.IsVisible() && main.window.IsForeground(); }));
    EXPECT_TRUE(WaitUntil([&] { return main.searchBox.HasFocus(); }));
    // Windows lets the last source of input take the front: Jumplet makes itself that with
    // one mouse move that moves nothing. Its report may reach the witness after the window shows.
    WaitUntil([&] { return witness->StillMoves() > 0; });
    EXPECT_EQ(witness->StillMoves(), 1);
    GetCursorPos(&after);
    EXPECT_TRUE(after.x == pointer.x && after.y == pointer.y) << "the pointer moved to " << after.x << ", " << after.y;
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
    SendKeyEvent(VK_NEXT, (WORD)MapVirtualKeyA(VK_NEXT, MAPVK_VK_TO_VSC), KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY);
    EXPECT_TRUE(witness->Received(WM_KEYUP, VK_NEXT));
    EXPECT_FALSE(main.window.IsVisible());

    // Held down, the key repeats its press, and the window comes up once.
    witness->TakeFocus();
    const WORD scan = (WORD)MapVirtualKeyA(VK_NEXT, MAPVK_VK_TO_VSC);
    for (int press = 0; press < 30; press++)
        SendKeyEvent(VK_NEXT, scan, KEYEVENTF_EXTENDEDKEY);
    SendKeyEvent(VK_NEXT, scan, KEYEVENTF_KEYUP | KEYEVENTF_EXTENDEDKEY);
    EXPECT_TRUE(WaitUntil([&] { return main.window.IsVisible(); }));
    EXPECT_FALSE(WaitUntil([&] { return witness->StillMoves() > 1; }, 2000)) << witness->StillMoves() << " bring-ups";
}

// Options that chose another key tell every instance: the new key works at the next press
// and the old one stops; "None" and an index past the table stop the key at once, and
// then not even a key without a key code matches.
TEST_F(Hotkey, AKeyChosenInOptionsHoldsFromTheNextPress)
{
    struct Case {
        int index;
        WORD works;  // 0: no key brings the window up
    };
    const Case cases[] = {{4, VK_F7}, {10, 0}, {11, 0}, {99, 0}, {-1, 0}, {7, VK_F10}, {1, VK_HOME}};
    const WORD everyKey[] = {VK_NEXT, VK_HOME, VK_END, VK_PRIOR, VK_F7, VK_F8, VK_F9, VK_F11, VK_F12, 0};
    Instance app = StartAndClose("");
    Window main = app.MainWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE("key index " + std::to_string(c.index));
        SendMessageA(main.Handle(), RegisterWindowMessageA("Jumplet.HotkeyChanged"), (WPARAM)c.index, 0);
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

// A press made while Jumplet's window is stuck goes on to the application in front at once
// and is acted on when the window can move again.
TEST_F(Hotkey, KeysElsewhereNeverWaitForJumpletsWindow)
{
    Instance app = StartAndClose("");
    Window main = app.MainWindow();
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main.Handle(), nullptr));
    ASSERT_TRUE(thread != nullptr);
    witness->TakeFocus();
    SuspendThread(thread);
    Press(VK_NEXT);
    EXPECT_TRUE(witness->Received(WM_KEYDOWN, VK_NEXT));
    EXPECT_FALSE(main.IsVisible());
    ResumeThread(thread);
    CloseHandle(thread);
    EXPECT_TRUE(WaitUntil([&] { return main.IsVisible() && main.IsForeground(); })) << "the press was lost";
}

// Windows drops a hook that answers too slowly, without a word. The test switch drops it
// the same way; the key presses that follow, unseen by the hook, bring it back, and in
// normal use it is installed once.
TEST_F(Hotkey, ADroppedHookComesBackByItself)
{
    Instance app = StartAndClose("");
    Window main = app.MainWindow();
    const UINT hookTest = RegisterWindowMessageA("Jumplet.HookTest");
    auto installs = [&] { return SendMessageA(main.Handle(), hookTest, 0, 0); };
    witness->TakeFocus();
    Press(VK_NEXT);
    ASSERT_TRUE(WaitUntil([&] { return main.IsVisible(); }));
    Close(app);
    EXPECT_EQ(installs(), 1);

    SendMessageA(main.Handle(), hookTest, 1, 0);
    witness->TakeFocus();
    Press(VK_NEXT);
    EXPECT_FALSE(main.IsVisible()) << "the hook was not dropped";
    // The second or third unseen press, as the raw report and the hook take turns.
    for (int press = 2; press <= 3 && !WaitUntil([&] { return installs() == 2; }, 1000); press++)
        Press(VK_NEXT);
    EXPECT_TRUE(WaitUntil([&] { return installs() == 2; }, 1000));
    Close(app);  // the press that brought the hook back may have reached it already
    witness->TakeFocus();
    Press(VK_NEXT);
    EXPECT_TRUE(WaitUntil([&] { return main.IsVisible(); })) << "the key did not come back";
    EXPECT_EQ(installs(), 2);
}

// Sixty presses and releases of a key that means nothing to Jumplet, at once.
DWORD WINAPI SendBurst(LPVOID)
{
    INPUT burst[120] = {};
    for (int i = 0; i < 120; i++) {
        burst[i].type = INPUT_KEYBOARD;
        burst[i].ki.wVk = 'A';
        burst[i].ki.dwFlags = i % 2 == 1 ? KEYEVENTF_KEYUP : 0;
    }
    return SendInput(120, burst, sizeof(INPUT));
}

// The burst comes while the hook's thread gets no time, as on a loaded machine: the hook's
// calls and the raw reports of the presses come late and together, and the hook stays.
TEST_F(Hotkey, ABurstOfPressesUnderLoadLeavesTheHookAlone)
{
    Instance app = StartAndClose("");
    HWND main = app.MainWindow().Handle();
    const UINT hookTest = RegisterWindowMessageA("Jumplet.HookTest");
    EXPECT_EQ(SendMessageA(main, hookTest, 2, 0), 1) << "raw input does not watch over the hook";
    HWND sink = FindWindowExA(HWND_MESSAGE, nullptr, "Jumplet.KeySink", nullptr);
    HANDLE hookThread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(sink, nullptr));
    ASSERT_TRUE(hookThread != nullptr);
    witness->TakeFocus();
    SuspendThread(hookThread);
    HANDLE sender = CreateThread(nullptr, 0, SendBurst, nullptr, 0, nullptr);
    Sleep(1000);
    ResumeThread(hookThread);
    EXPECT_EQ(WaitForSingleObject(sender, 60000), WAIT_OBJECT_0);
    CloseHandle(sender);
    CloseHandle(hookThread);
    EXPECT_FALSE(WaitUntil([&] { return SendMessageA(main, hookTest, 0, 0) != 1; }, 3000))
        << "the hook was installed again";
}

// Up and Down move the list's selection from any application, also while the window is
// hidden or shows the delete list; the keys still reach the application in front.
TEST_F(Hotkey, UpAndDownMoveTheListFromAnyApplication)
{
    jumplet.WriteDataFile(DataLines({"a", "C:\\a", "b", "C:\\b", "c", "C:\\c"}));
    Instance app = StartAndClose("");
    Window list = app.MainWindow().Control(kMainList);
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
    EXPECT_EQ(app.MainWindow().Control(kMainList).Selection(), -1);
}

}  // namespace
}  // namespace e2e
