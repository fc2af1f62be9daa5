// The report page written beside the program and opened through the shell.
#include "store/report.h"
#include <windows.h>
#include <cstdio>
#include "app/app.h"
#include "store/launch.h"
#include "store/report_page.h"
#include "store/store.h"

static const char ReportFailedText[] = "Error\nReport could not be generated ..";

static int ReportFailed()
{
    MessageBoxA(NULL, ReportFailedText, "Error", MB_ICONINFORMATION);
    return 0;
}

// Text mode, so that each line feed of the page is stored as CR LF. A page cut short by a
// full disk is removed rather than opened as if it were the whole report.
static bool WritePage(const char* path, const TextBuffer* page)
{
    FILE* file = fopen(path, "w");
    if (file == NULL)
        return false;
    bool written = fwrite(page->bytes, 1, page->length, file) == page->length;
    written = fclose(file) == 0 && written;
    if (!written)
        DeleteFileA(path);
    return written;
}

int WriteReport()
{
    // A folder too deep for the report's name gets the same box as a file that cannot be
    // written: the user asked for a report and must learn that none came.
    char path[PATH_BUFFER];
    if (!JoinProgramFile(ProgramDirectory, "JLReport.html", path, PATH_BUFFER))
        return ReportFailed();
    TextBuffer page;
    InitText(&page);
    BuildReportPage(ShortcutTable, &page);
    bool written = !page.failed && WritePage(path, &page);
    FreeText(&page);
    if (!written)
        return ReportFailed();
    ShellOpen(path);
    return 1;
}
