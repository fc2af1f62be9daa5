// Saves the data file in a loop, alternating between two contents, through the program's
// own save routine, until it is killed. The crash test kills it at random moments and
// checks that the data file is always wholly one content or the other.
#include <windows.h>
#include <cstring>
#include <string>
#include "app/app.h"
#include "store/store.h"

// Two different files, large enough that a save takes a while.
static std::string Content(char letter, int records)
{
    std::string file;
    for (int i = 0; i < records; i++) {
        file += letter + std::to_string(i) + "\r\n";
        file += "C:\\" + std::string(200, letter) + "\\" + std::to_string(i) + "\r\n";
    }
    return file;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    // The folder stands where the program's own folder would.
    JoinProgramFile(argv[1], "\\", ProgramDirectory, PATH_BUFFER);
    SetDataFilePath();
    std::string first = Content('a', 250);
    std::string second = Content('b', 180);
    if (argc > 2 && strcmp(argv[2], "--expected") == 0) {
        JoinProgramFile(ProgramDirectory, "first.expected", DataFilePath, PATH_BUFFER);
        SaveDataFile(first);
        JoinProgramFile(ProgramDirectory, "second.expected", DataFilePath, PATH_BUFFER);
        return SaveDataFile(second) ? 0 : 1;
    }
    for (unsigned round = 0;; round++) {
        if (!SaveDataFile(round % 2 ? second : first))
            return 1;
    }
}
