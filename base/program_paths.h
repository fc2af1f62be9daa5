// The program's files all sit beside it; their paths are its folder plus a bare name.
#ifndef JUMPLET_PROGRAM_PATHS_H
#define JUMPLET_PROGRAM_PATHS_H

#include <cstddef>
#include "base/characters.h"

enum { PATH_BUFFER = 260 };

// The folder of a program path, ending in exactly one backslash ("X:\" for a program in
// a drive's root). Returns false, leaving dir empty, when it would not fit dirSize.
bool ProgramDirectoryOf(const char* programPath, char* dir, size_t dirSize, LeadByteTest isLead = NoLeadBytes);
// dir followed by name; false, leaving out empty, when the result would not fit outSize.
bool JoinProgramFile(const char* dir, const char* name, char* out, size_t outSize);

#endif
