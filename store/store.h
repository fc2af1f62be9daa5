// The shortcut store: the table, the data file beside the program, and the operations
// that move shortcuts between the file, the table and the main window's lists.
#ifndef JUMPLET_STORE_H
#define JUMPLET_STORE_H

#include <windows.h>
#include "app/program_paths.h"
#include "store/shortcut_table.h"
#include "store/text_buffer.h"

extern ShortcutTableData ShortcutTable;
extern char DataFilePath[PATH_BUFFER];

// Fixes the data file's path (and its save companions) from ProgramDirectory.
void SetDataFilePath();

enum ReadOutcome { READ_OK, READ_CREATED, READ_FAILED };
// The file's bytes exactly as stored. A missing file is created empty; one that exists
// but cannot be read is left alone and reported as READ_FAILED.
ReadOutcome ReadDataFile(const char* path, TextBuffer* bytes);

// Replaces the data file by the given bytes so that it is always either wholly the old
// file or wholly the new one; the old one is kept as jumplet.bak. False when any step
// failed, and then the data file is as it was and no temporary file is left.
bool SaveDataFile(const TextBuffer* bytes);

void FillMainList();
void FillDeleteList();
void AddShortcut();
bool DeleteSelectedShortcuts();

void PlayEventSound(const char* soundPath);

#endif
