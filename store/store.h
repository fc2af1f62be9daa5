// The shortcut store: the table, the data file beside the program, and the changes that
// reach it. No window here: callers show what happened.
#ifndef JUMPLET_STORE_H
#define JUMPLET_STORE_H

#include <windows.h>
#include "base/program_paths.h"
#include "store/data_text.h"
#include "store/shortcut_table.h"
#include "store/text_buffer.h"

extern ShortcutTableData ShortcutTable;
// The targets of ShortcutTable that a UTF-8 data file holds and the code page cannot; each
// record whose exactTarget is not 0 names its own.
extern ExactTarget ExactTargets[TABLE_CAPACITY];
extern char DataFilePath[PATH_BUFFER];

// Fixes the data file's path (and its save companions) from ProgramDirectory.
void SetDataFilePath();

enum ReadOutcome { READ_OK, READ_CREATED, READ_FAILED };
// The file's bytes exactly as stored. A missing file is created empty; one that exists
// but cannot be read is left alone and reported as READ_FAILED.
ReadOutcome ReadDataFile(const char* path, TextBuffer* bytes);
// Creates the file empty; false, with the system's error, when it exists or cannot be made.
bool CreateMissingFile(const char* path);

// How start-up found the data file. A save cut short on a disk without an atomic replace
// (FAT32, exFAT) can leave no jumplet.dat but the save's complete new file (jumplet.tmp)
// and the backup: a missing data file is made again from the first of them that holds
// anything, else created empty.
enum DataFileAtStart {
    // There, made empty, or left to the first load to report.
    DATA_FILE_AS_FOUND,
    DATA_FILE_FROM_TEMPORARY,
    DATA_FILE_FROM_BACKUP,
    // No new file may stand in the program's folder (under Program Files, say).
    DATA_FOLDER_READ_ONLY,
};
DataFileAtStart PrepareDataFile();

// Replaces the data file by the given bytes so that it is always either wholly the old
// file or wholly the new one; the old one is kept as jumplet.bak, unless it is empty and
// the backup holds something. False when any step failed, and then the data file is as it
// was and no temporary file is left.
bool SaveDataFile(const TextBuffer* bytes);
// What the window that asked for a change tells the user when its save failed.
extern const char SaveFailedText[];

// Rebuilds ShortcutTable from the data file, in table order; false when the file can be
// neither read nor created, and then the table is as it was.
bool LoadShortcutTable();
// Whether the data file's size or last-write time differs from what it was when the table
// was last loaded from it (a hand edit, another program, another instance): one look at
// its attributes. A file that is not there now has not changed.
bool DataFileChangedSinceLoad();
// The data file's size and last-write time at one moment; known is false when they could
// not be read. The load takes one before it reads and keeps it once the table is filled.
struct DataFileStamp {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    bool known;
};
void TakeDataFileStamp(DataFileStamp* stamp);
void KeepLoadedStamp(const DataFileStamp* stamp);

// Adds a shortcut to the data file as it is now. Anything but NEW_SHORTCUT_OK says why it
// was refused; NEW_SHORTCUT_OK with saved false means the file could not be read or
// saved. In both cases the file is unchanged.
NewShortcutCheck AppendShortcut(const char* name, const char* target, bool isMessage, bool* saved);

// Takes the lines of the records selected (by table position) in ShortcutTable out of the
// data file as it is now, every other byte kept; false when it could not be read or
// saved, and then it is unchanged.
bool DeleteShortcuts(const bool* selected);

void PlayEventSound(const char* soundPath);

#endif
