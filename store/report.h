// The HTML page of all shortcuts that the typed command "!report" writes and opens.
#ifndef JUMPLET_REPORT_H
#define JUMPLET_REPORT_H

// Writes JLReport.html beside the program from ShortcutTable and puts its path into
// reportPath (PATH_BUFFER bytes). False when it could not be written whole; then there is
// nothing to open.
bool WriteReport(char* reportPath);

#endif
