// The program's version, named once: the window title, the version resource and the
// release zip's name all take it from here.
#ifndef JUMPLET_VERSION_H
#define JUMPLET_VERSION_H

#define JUMPLET_VERSION        "1.0"
#define JUMPLET_VERSION_NUMBER 1, 0, 0, 0

#endif
