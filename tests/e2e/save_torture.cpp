// Saves the data file in a loop, alternating between two contents, through the program's
// own save routine, until it is killed. The crash test kills it at random moments and
// checks that the data file is always wholly one content or the other.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include "base/program.h"
#include "store/store.h"

// Two different files, large enough that a save takes a while.
static void Content(char letter, int records, TextBuffer* file)
{
    char line[400];
    for (int i = 0; i < records; i++) {
        snprintf(line, sizeof line, "%c%d\r\nC:\\%0200d\\%d\r\n", letter, i, letter, i);
        AppendString(file, line);
    }
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    // The folder stands where the program's own folder would.
    JoinProgramFile(argv[1], "\\", ProgramDirectory, PATH_BUFFER);
    SetDataFilePath();
    TextBuffer first, second;
    InitText(&first);
    InitText(&second);
    Content('a', 250, &first);
    Content('b', 180, &second);
    if (argc > 2 && strcmp(argv[2], "--expected") == 0) {
        JoinProgramFile(ProgramDirectory, "first.expected", DataFilePath, PATH_BUFFER);
        SaveDataFile(&first);
        JoinProgramFile(ProgramDirectory, "second.expected", DataFilePath, PATH_BUFFER);
        return SaveDataFile(&second) ? 0 : 1;
    }
    for (unsigned round = 0;; round++) {
        if (!SaveDataFile(round % 2 ? &second : &first))
            return 1;
    }
}
