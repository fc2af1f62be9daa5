// The hotkey's speed under Wine, reported on standard output for tools/bench.sh:
//
//   hotkey_bench shown PROGRAM TITLE   median ms from Page Down to PROGRAM's window TITLE
//                                      being visible and painted, its line (id 706) focused
//   hotkey_bench proc                  microseconds HotkeyProc spends on a key event that
//                                      is not the hotkey, p50 and p99, beside a procedure
//                                      that only passes the event on
//   hotkey_bench stalled PROGRAM TITLE BASELINE TITLE
//                                      median ms a key press takes to reach another
//                                      program's window while PROGRAM's window thread is
//                                      suspended, beside the same while the BASELINE hook
//                                      program runs, and with neither
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>
#include "tray/hotkey_hook.h"

namespace {

constexpr int kSearchLineId = 706;
constexpr int kRounds = 40;
constexpr int kEvents = 20000;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[(size_t)((double)(values.size() - 1) * share)];
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

template <typename Condition>
bool SpinUntil(Condition condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        Pump();
        if (GetTickCount() - start > timeoutMs)
            return false;
    }
    return true;
}

void PressKey(WORD key, DWORD flags)
{
    INPUT keys[2] = {};
    for (INPUT& input : keys) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

void PressPageDown()
{
    PressKey(VK_NEXT, KEYEVENTF_EXTENDEDKEY);
}

bool LineHasFocus(HWND window, HWND line)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus == line;
}

// Nothing left to paint: the user sees the window as it is.
bool IsPainted(HWND window, HWND line)
{
    return !GetUpdateRect(window, nullptr, FALSE) && !GetUpdateRect(line, nullptr, FALSE);
}

// Key releases of 'A' that reached the window in front.
int ReleasesSeen;

LRESULT CALLBACK FrontWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYUP && wParam == 'A')
        ReleasesSeen++;
    return DefWindowProcA(window, message, wParam, lParam);
}

// Our own window in front before each press: the key comes from another application.
HWND CreateFrontWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FrontWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "HotkeyBenchFront";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "HotkeyBenchFront", "Hotkey bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 500, 300,
                           200, nullptr, nullptr, windowClass.hInstance, nullptr);
}

int MeasureShown(const char* program, const char* title)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    char commandLine[MAX_PATH + 2];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        fprintf(stderr, "cannot start %s\n", program);
        return 1;
    }
    HWND window = nullptr;
    SpinUntil([&] { return (window = FindWindowA(nullptr, title)) != nullptr; }, 20000);
    WaitForInputIdle(started.hProcess, 20000);
    HWND line = window ? GetDlgItem(window, kSearchLineId) : nullptr;
    HWND front = CreateFrontWindow();
    std::vector<double> times;
    for (int round = 0; window && line && round < kRounds; round++) {
        ShowWindow(window, SW_HIDE);
        SpinUntil([&] { return !IsWindowVisible(window); }, 5000);
        SetForegroundWindow(front);
        SpinUntil([&] { return GetForegroundWindow() == front; }, 5000);
        Sleep(100);
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        PressPageDown();
        bool shown = SpinUntil([&] { return IsWindowVisible(window) && LineHasFocus(window, line) && IsPainted(window, line); },
                               5000);
        QueryPerformanceCounter(&to);
        if (!shown) {
            fprintf(stderr, "%s did not come up on Page Down\n", title);
            break;
        }
        times.push_back(Milliseconds(from, to));
    }
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, 5000);
    if (times.size() != (size_t)kRounds)
        return 1;
    printf("%.2f\n", Percentile(times, 0.5));
    return 0;
}

// Median ms from pressing 'A' to its release reaching our window in front.
double TimePresses(HWND front, int presses)
{
    std::vector<double> times;
    for (int i = 0; i < presses; i++) {
        SetForegroundWindow(front);
        SpinUntil([&] { return GetForegroundWindow() == front; }, 5000);
        int before = ReleasesSeen;
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        PressKey('A', 0);
        if (!SpinUntil([&] { return ReleasesSeen > before; }, 30000))
            return -1;
        QueryPerformanceCounter(&to);
        times.push_back(Milliseconds(from, to));
    }
    return Percentile(times, 0.5);
}

// Median ms per press in the front window while this program runs, its window thread
// suspended or not; -1 when it could not be timed.
double TimeWhileRunning(HWND front, const char* program, const char* title, bool suspended)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    char commandLine[MAX_PATH + 2];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", program);
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return -1;
    HWND window = nullptr;
    SpinUntil([&] { return (window = FindWindowA(nullptr, title)) != nullptr; }, 20000);
    WaitForInputIdle(started.hProcess, 20000);
    Sleep(500);
    HANDLE thread = window ? OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr)) : nullptr;
    double time = -1;
    if (thread != nullptr && (!suspended || SuspendThread(thread) != (DWORD)-1)) {
        time = TimePresses(front, 20);
        if (suspended)
            ResumeThread(thread);
    }
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, 5000);
    return time;
}

// A press elsewhere with Jumplet's window thread stuck, against the same with a bare hook
// program running (any low-level hook costs a hop to its thread) and with no hook at all.
int MeasureStalled(const char* program, const char* title, const char* baseline, const char* baselineTitle)
{
    HWND front = CreateFrontWindow();
    double alone = TimePresses(front, 20);
    double stalled = TimeWhileRunning(front, program, title, true);
    double hooked = TimeWhileRunning(front, baseline, baselineTitle, false);
    if (stalled < 0 || alone < 0 || hooked < 0)
        return 1;
    printf("%.2f %.2f %.2f\n", stalled, hooked, alone);
    return 0;
}

LRESULT CALLBACK PassOnly(int code, WPARAM wParam, LPARAM lParam)
{
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Each event timed alone, as the hook meets them: a press and a release of a letter.
std::vector<double> TimeEvents(HOOKPROC procedure)
{
    KBDLLHOOKSTRUCT event = {};
    event.vkCode = 'A';
    std::vector<double> times;
    for (int i = 0; i < kEvents; i++) {
        LARGE_INTEGER from, to;
        QueryPerformanceCounter(&from);
        procedure(HC_ACTION, i % 2 ? WM_KEYUP : WM_KEYDOWN, (LPARAM)&event);
        QueryPerformanceCounter(&to);
        times.push_back(Milliseconds(from, to) * 1000.0);
    }
    return times;
}

int MeasureProc()
{
    SetHotkeyCode(VK_NEXT);
    std::vector<double> hotkey = TimeEvents(HotkeyProc);
    std::vector<double> bare = TimeEvents(PassOnly);
    printf("%.1f %.1f %.2f %.2f\n", Percentile(hotkey, 0.5), Percentile(hotkey, 0.99), Percentile(bare, 0.5),
           Percentile(bare, 0.99));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "shown") == 0)
        return MeasureShown(argv[2], argv[3]);
    if (argc == 2 && strcmp(argv[1], "proc") == 0)
        return MeasureProc();
    if (argc == 6 && strcmp(argv[1], "stalled") == 0)
        return MeasureStalled(argv[2], argv[3], argv[4], argv[5]);
    fprintf(stderr, "usage: hotkey_bench shown PROGRAM TITLE | hotkey_bench proc | hotkey_bench stalled PROGRAM TITLE BASELINE TITLE\n");
    return 2;
}
