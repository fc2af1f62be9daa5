// Saving the data file so that no failure or crash can leave it torn or empty: the new
// file is written and flushed beside it, the old one copied to jumplet.bak, and the new
// one moved over it in one step.
#include <io.h>
#include <cstdio>
#include "base/program.h"
#include "store/store.h"

const char SaveFailedText[] =
    "The shortcuts could not be saved, so nothing was changed.\n"
    "The disk may be full, the folder may be read-only, or another program may be "
    "using jumplet.dat.";

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

// Windows will not open a hidden or read-only file for overwriting, and a copy takes the
// source's attributes: a backup or a temporary file left over from an earlier save is
// made plain first, so that none of them can block this one.
static void MakePlain(const char* path)
{
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
}

// The attributes the new file takes over from the old one (hidden stays hidden).
static DWORD KeptAttributes(DWORD old)
{
    DWORD kept = old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                        FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

bool SaveDataFile(const TextBuffer* bytes)
{
    char temporaryPath[PATH_BUFFER];
    char backupPath[PATH_BUFFER];
    if (!MakeCompanionPath("jumplet.tmp", temporaryPath) ||
        !MakeCompanionPath("jumplet.bak", backupPath))
        return false;
    DWORD attributes = GetFileAttributesA(DataFilePath);
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only data file is one the user does not want changed.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    MakePlain(temporaryPath);
    bool saved = WriteFlushed(temporaryPath, bytes);
    if (saved && exists) {
        MakePlain(backupPath);
        saved = CopyFileA(DataFilePath, backupPath, FALSE) != 0;
        saved = saved && SetFileAttributesA(temporaryPath, KeptAttributes(attributes)) != 0;
    }
    saved = saved && MoveFileExA(temporaryPath, DataFilePath,
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!saved)
        DeleteFileA(temporaryPath);
    return saved;
}
