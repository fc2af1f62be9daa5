// The HTML page of all shortcuts that the typed command "!report" writes and opens.
#ifndef JUMPLET_REPORT_H
#define JUMPLET_REPORT_H

int WriteReport();

#endif
