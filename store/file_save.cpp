// Saving the data file so that no failure or crash can leave it torn or empty: the new
// file is written and flushed beside it, the old one copied to jumplet.bak, and the new
// one moved over it in one step.
#include "store/store.h"
#include <io.h>
#include <cstdio>
#include "app/app.h"

static bool MakeCompanionPath(const char* name, char* path)
{
    return JoinProgramFile(ProgramDirectory, name, path, PATH_BUFFER);
}

static bool WriteFlushed(const char* path, const TextBuffer* bytes)
{
    FILE* file = fopen(path, "wb");
    if (file == NULL)
        return false;
    bool written = !bytes->failed && fwrite(bytes->bytes, 1, bytes->length, file) == bytes->length;
    written = written && fflush(file) == 0;
    written = written && _commit(_fileno(file)) == 0;
    written = written && !ferror(file);
    bool closed = fclose(file) == 0;
    return written && closed;
}

bool SaveDataFile(const TextBuffer* bytes)
{
    char temporaryPath[PATH_BUFFER];
    char backupPath[PATH_BUFFER];
    if (!MakeCompanionPath("jumplet.tmp", temporaryPath) ||
        !MakeCompanionPath("jumplet.bak", backupPath))
        return false;
    bool saved = WriteFlushed(temporaryPath, bytes);
    if (saved && GetFileAttributesA(DataFilePath) != INVALID_FILE_ATTRIBUTES)
        saved = CopyFileA(DataFilePath, backupPath, FALSE) != 0;
    saved = saved && MoveFileExA(temporaryPath, DataFilePath,
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!saved)
        DeleteFileA(temporaryPath);
    return saved;
}
