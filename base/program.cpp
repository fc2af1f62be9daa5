#include "base/program.h"

HINSTANCE AppInstance;
char ProgramPath[PATH_BUFFER];
char ProgramDirectory[PATH_BUFFER];
char LaunchSoundPath[PATH_BUFFER] = "launch.wav";
char DeleteSoundPath[PATH_BUFFER] = "delete.wav";
char HelpFilePath[PATH_BUFFER] = "help.html";
