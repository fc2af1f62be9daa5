// The program's instance and the files that stand beside it, set once at start-up and
// only read afterwards.
#ifndef JUMPLET_PROGRAM_H
#define JUMPLET_PROGRAM_H

#include <windows.h>
#include "base/program_paths.h"

#define DATA_FILE_NAME "jumplet.dat"

extern HINSTANCE AppInstance;
extern char ProgramPath[PATH_BUFFER];
extern char ProgramDirectory[PATH_BUFFER];
extern char LaunchSoundPath[PATH_BUFFER];
extern char DeleteSoundPath[PATH_BUFFER];
extern char HelpFilePath[PATH_BUFFER];

#endif
