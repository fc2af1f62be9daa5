// Saving the data file so that no failure or crash can leave it torn or empty: the new
// file is written and flushed beside it, the old one copied to jumplet.bak, and the new
// one moved over it in one step; and making it again at start when a cut save left none.
#include <io.h>
#include <cstdio>
#include "base/program.h"
#include "store/store.h"

const char SaveFailedText[] =
    "The shortcuts could not be saved, so nothing was changed.\n"
    "The disk may be full, the folder may be read-only, or another program may be "
    "using jumplet.dat.";

// A save's companions beside the data file.
#define PART_FILE_NAME "jumplet.new"
#define TEMPORARY_FILE_NAME "jumplet.tmp"
#define BACKUP_FILE_NAME "jumplet.bak"

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

static bool HoldsBytes(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data) &&
           (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

// An empty data file (made by a start that found none, or left by deleting everything)
// never pushes out a backup that still holds the shortcuts.
static bool BackUpDataFile(const char* backupPath)
{
    MakePlain(backupPath);
    if (!HoldsBytes(DataFilePath) && HoldsBytes(backupPath))
        return true;
    return CopyFileA(DataFilePath, backupPath, FALSE) != 0;
}

// The new bytes go under a name of their own and become jumplet.tmp only once they are
// all on the disk, so that a jumplet.tmp is always a complete file.
static bool WriteTemporaryFile(const char* partPath, const char* temporaryPath, const TextBuffer* bytes)
{
    MakePlain(partPath);
    MakePlain(temporaryPath);
    return WriteFlushed(partPath, bytes) &&
           MoveFileExA(partPath, temporaryPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool SaveDataFile(const TextBuffer* bytes)
{
    char partPath[PATH_BUFFER];
    char temporaryPath[PATH_BUFFER];
    char backupPath[PATH_BUFFER];
    if (!MakeCompanionPath(PART_FILE_NAME, partPath) || !MakeCompanionPath(TEMPORARY_FILE_NAME, temporaryPath) ||
        !MakeCompanionPath(BACKUP_FILE_NAME, backupPath))
        return false;
    DWORD attributes = GetFileAttributesA(DataFilePath);
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only data file is one the user does not want changed.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    bool saved = WriteTemporaryFile(partPath, temporaryPath, bytes);
    if (saved && exists) {
        saved = BackUpDataFile(backupPath);
        saved = saved && SetFileAttributesA(temporaryPath, KeptAttributes(attributes)) != 0;
    }
    saved = saved && MoveFileExA(temporaryPath, DataFilePath,
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!saved) {
        DeleteFileA(partPath);
        DeleteFileA(temporaryPath);
    }
    return saved;
}

static bool FlushFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed;
}

// The backup stays as it is. Its copy is flushed and then renamed, so that a cut in the
// middle leaves no torn data file, and never over one that appeared meanwhile.
static bool RestoreFromBackup(const char* backupPath, const char* partPath)
{
    MakePlain(partPath);
    bool restored = CopyFileA(backupPath, partPath, FALSE) &&
                    SetFileAttributesA(partPath, KeptAttributes(GetFileAttributesA(backupPath))) &&
                    FlushFile(partPath) && MoveFileExA(partPath, DataFilePath, MOVEFILE_WRITE_THROUGH);
    if (!restored)
        DeleteFileA(partPath);
    return restored;
}

static bool FolderRefusedFile(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

DataFileAtStart PrepareDataFile()
{
    char partPath[PATH_BUFFER];
    char temporaryPath[PATH_BUFFER];
    char backupPath[PATH_BUFFER];
    if (GetFileAttributesA(DataFilePath) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND ||
        !MakeCompanionPath(PART_FILE_NAME, partPath) || !MakeCompanionPath(TEMPORARY_FILE_NAME, temporaryPath) ||
        !MakeCompanionPath(BACKUP_FILE_NAME, backupPath))
        return DATA_FILE_AS_FOUND;
    // The cut save's new file is newer than the backup.
    if (HoldsBytes(temporaryPath) && MoveFileExA(temporaryPath, DataFilePath, MOVEFILE_WRITE_THROUGH))
        return DATA_FILE_FROM_TEMPORARY;
    if (HoldsBytes(backupPath) && RestoreFromBackup(backupPath, partPath))
        return DATA_FILE_FROM_BACKUP;
    if (!CreateMissingFile(DataFilePath) && FolderRefusedFile(GetLastError()))
        return DATA_FOLDER_READ_ONLY;
    // Anything else is the first load's to create or report.
    return DATA_FILE_AS_FOUND;
}
