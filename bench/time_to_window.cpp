// Times programs from their start to their window being on the screen, from inside Wine
// so that nothing but the program and the wineserver sits between the two clocks. The
// programs take turns, round after round, so that a busy moment of the machine falls on
// all of them alike.
//
//   time_to_window.exe ROUNDS "TITLE 1" "C:\path\first.exe" "TITLE 2" "C:\path\second.exe" ...
//
// Prints a line per program: the median and the fastest time in milliseconds, the median
// of its per-round ratio to the first program, and its resident memory (working set) in
// KiB once its window was up.
#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct Program {
    const char* title;
    std::string commandLine;
    std::vector<double> times;
    std::vector<double> ratios;
    SIZE_T workingSet;
};

// Milliseconds until the program's window is visible; a negative value if it ended first.
static double TimeOneStart(Program* program)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = program->commandLine;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return -1;
    double elapsed = -1;
    for (;;) {
        HWND window = FindWindowA(NULL, program->title);
        if (window != NULL && IsWindowVisible(window)) {
            QueryPerformanceCounter(&now);
            elapsed = 1000.0 * (double)(now.QuadPart - start.QuadPart) / (double)frequency.QuadPart;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        Sleep(1);
    }
    Sleep(300);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
        program->workingSet = memory.WorkingSetSize;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    Sleep(200);
    return elapsed;
}

static double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int main(int argc, char** argv)
{
    if (argc < 4 || (argc - 2) % 2 != 0)
        return 2;
    int rounds = atoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i + 1 < argc; i += 2)
        programs.push_back(Program{argv[i], std::string("\"") + argv[i + 1] + "\"", {}, {}, 0});
    for (int round = 0; round < rounds; round++) {
        for (Program& program : programs) {
            double ms = TimeOneStart(&program);
            if (ms < 0)
                return 1;
            program.times.push_back(ms);
            program.ratios.push_back(ms / programs[0].times.back());
        }
    }
    for (const Program& program : programs)
        printf("%.1f %.1f %.2f %lu\n", Median(program.times), *std::min_element(program.times.begin(), program.times.end()),
               Median(program.ratios), (unsigned long)(program.workingSet / 1024));
    return 0;
}
