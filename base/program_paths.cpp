#include "base/program_paths.h"
#include <cstring>

bool ProgramDirectoryOf(const char* programPath, char* dir, size_t dirSize)
{
    if (dirSize == 0)
        return false;
    dir[0] = '\0';
    const char* slash = strrchr(programPath, '\\');
    size_t length = slash ? (size_t)(slash - programPath) : 0;
    while (length > 0 && programPath[length - 1] == '\\')
        length--;
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
