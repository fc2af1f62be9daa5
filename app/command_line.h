// What the text after the program's name asks for at start-up.
#ifndef JUMPLET_COMMAND_LINE_H
#define JUMPLET_COMMAND_LINE_H

// "-run" (a restart) and anything else beginning with "-r" in either case.
bool SkipsInstanceTest(const char* commandLine);
// Exactly "-m" in either case: the logon start, which stays in the tray.
bool AsksHiddenStart(const char* commandLine);

#endif
