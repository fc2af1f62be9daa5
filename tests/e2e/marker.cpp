// Stands in for every program the shell could open during the end-to-end tests. The test
// prefix points the associations of documents, folders and web addresses here; each run
// appends its own command line, as one CR LF line, to marker.log beside it and ends.
#include <windows.h>

#include <cstring>

namespace {

constexpr int kAttempts = 200;  // several markers can start at once; each waits its turn

void AppendLine(const char* logPath, const char* line)
{
    for (int attempt = 0; attempt < kAttempts; attempt++) {
        HANDLE log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(log, line, (DWORD)strlen(line), &written, nullptr);
            WriteFile(log, "\r\n", 2, &written, nullptr);
            CloseHandle(log);
            return;
        }
        Sleep(10);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char logPath[MAX_PATH + 16];
    DWORD n = GetModuleFileNameA(nullptr, logPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return 1;
    char* slash = strrchr(logPath, '\\');
    strcpy(slash ? slash + 1 : logPath, "marker.log");
    AppendLine(logPath, GetCommandLineA());
    return 0;
}
