// The least a hotkey launcher could do, as the baseline of the hotkey benchmark: a hidden
// window with an edit line, and a low-level keyboard hook that shows it, brings it to the
// front and focuses the line when Page Down goes down. Nothing is read from any file.
#include <windows.h>

namespace {

constexpr int kEditId = 706;  // the same id as Jumplet's search line
HWND window;
HWND edit;
HHOOK hook;

LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && wParam == WM_KEYDOWN && ((KBDLLHOOKSTRUCT*)lParam)->vkCode == VK_NEXT) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(edit);
        SetWindowTextA(edit, "");
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "HotkeyBaseline";
    RegisterClassA(&windowClass);
    window = CreateWindowExA(WS_EX_TOPMOST, "HotkeyBaseline", "Hotkey Baseline", WS_SYSMENU, 100, 100, 290, 355,
                             nullptr, nullptr, instance, nullptr);
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 85, 165, 21, window,
                           (HMENU)(INT_PTR)kEditId, instance, nullptr);
    hook = SetWindowsHookExA(WH_KEYBOARD_LL, HookProc, instance, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
