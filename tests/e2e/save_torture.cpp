// Saves the data file in a loop, alternating between two contents that the test wrote
// (first.txt and second.txt in the folder), through the program's own save routine, until
// it is killed. The crash test kills it at random moments and checks that the data file is
// always wholly one content or the other.
#include <windows.h>
#include "base/program.h"
#include "store/store.h"

static bool ReadInto(const char* path, TextBuffer* text)
{
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk - 1, &got, nullptr) && got > 0) {
        chunk[got] = '\0';
        AppendString(text, chunk);
    }
    CloseHandle(f);
    return true;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    // The folder stands where the program's own folder would.
    JoinProgramFile(argv[1], "\\", ProgramDirectory, PATH_BUFFER);
    char path[PATH_BUFFER];
    TextBuffer contents[2];
    const char* names[2] = {"first.txt", "second.txt"};
    for (int i = 0; i < 2; i++) {
        InitText(&contents[i]);
        JoinProgramFile(ProgramDirectory, names[i], path, PATH_BUFFER);
        if (!ReadInto(path, &contents[i]))
            return 2;
    }
    SetDataFilePath();
    for (unsigned round = 0;; round++) {
        if (!SaveDataFile(&contents[round % 2]))
            return 1;
    }
}
