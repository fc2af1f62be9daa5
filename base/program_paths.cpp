#include "base/program_paths.h"
#include <cstring>

bool ProgramDirectoryOf(const char* programPath, char* dir, size_t dirSize, LeadByteTest isLead)
{
    if (dirSize == 0)
        return false;
    dir[0] = '\0';
    // The folder ends with the last character before the last run of backslashes.
    size_t length = 0, characterEnd = 0;
    for (size_t at = 0; programPath[at] != '\0'; at = NextCharacter(programPath, at, isLead)) {
        if (programPath[at] == '\\')
            length = characterEnd;
        else
            characterEnd = NextCharacter(programPath, at, isLead);
    }
    if (length + 2 > dirSize)
        return false;
    memcpy(dir, programPath, length);
    dir[length] = '\\';
    dir[length + 1] = '\0';
    return true;
}

bool JoinProgramFile(const char* dir, const char* name, char* out, size_t outSize)
{
    size_t dirLength = strlen(dir);
    size_t nameLength = strlen(name);
    if (outSize == 0)
        return false;
    out[0] = '\0';
    if (dirLength + nameLength + 1 > outSize)
        return false;
    memcpy(out, dir, dirLength);
    memcpy(out + dirLength, name, nameLength + 1);
    return true;
}
