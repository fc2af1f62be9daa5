// The end of a run. Quit (the tray menu) and the restart (the options) save what they
// must and post the quit message; once the message loop has ended, start-up gives back
// what the run held.
#ifndef JUMPLET_ENDING_H
#define JUMPLET_ENDING_H

// The menu, the lettering and the tray icon.
void ReleaseForExit();

#endif
