// Reading the data file, and the table it fills.
#include "base/program.h"
#include "store/store.h"

// Far beyond any real list of 256 shortcuts; a larger file is not a data file.
enum { DATA_FILE_MAX = 16 * 1024 * 1024 };

ShortcutTableData ShortcutTable;
char DataFilePath[PATH_BUFFER];

// The data file as the table was last loaded from it.
static DataFileStamp LoadedStamp;

void TakeDataFileStamp(DataFileStamp* stamp)
{
    stamp->known = GetFileAttributesExA(DataFilePath, GetFileExInfoStandard, &stamp->attributes) != 0;
}

void KeepLoadedStamp(const DataFileStamp* stamp)
{
    LoadedStamp = *stamp;
}

// A file missing for the moment (a save on FAT32 between its two steps, a sync tool) is
// no change: reading it would create an empty one and show an empty list.
bool DataFileChangedSinceLoad()
{
    DataFileStamp now;
    TakeDataFileStamp(&now);
    if (!now.known)
        return false;
    const WIN32_FILE_ATTRIBUTE_DATA& was = LoadedStamp.attributes;
    return !LoadedStamp.known || now.attributes.nFileSizeLow != was.nFileSizeLow ||
           now.attributes.nFileSizeHigh != was.nFileSizeHigh ||
           CompareFileTime(&now.attributes.ftLastWriteTime, &was.ftLastWriteTime) != 0;
}

void SetDataFilePath()
{
    // Start-up has already refused a folder too deep for this path.
    JoinProgramFile(ProgramDirectory, DATA_FILE_NAME, DataFilePath, PATH_BUFFER);
}

static bool ReadWholeFile(HANDLE file, TextBuffer* bytes)
{
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size > DATA_FILE_MAX)
        return false;
    if (!ResizeText(bytes, size))
        return false;
    DWORD done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!ReadFile(file, bytes->bytes + done, size - done, &got, NULL) || got == 0)
            return false;
        done += got;
    }
    return true;
}

ReadOutcome ReadDataFile(const char* path, TextBuffer* bytes)
{
    ClearText(bytes);
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        bool read = ReadWholeFile(file, bytes);
        CloseHandle(file);
        if (!read)
            ClearText(bytes);
        return read ? READ_OK : READ_FAILED;
    }
    // Only a file that is really missing may be created.
    if (GetLastError() != ERROR_FILE_NOT_FOUND)
        return READ_FAILED;
    return CreateMissingFile(path) ? READ_CREATED : READ_FAILED;
}

// CREATE_NEW never truncates a file that appeared meanwhile.
bool CreateMissingFile(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}
