// The report page written beside the program.
#include "store/report.h"
#include <windows.h>
#include <cstdio>
#include "base/program.h"
#include "store/report_page.h"
#include "store/store.h"

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

enum { CHARSET_NAME_SIZE = 24 };

static bool ExpandAsShell(const char* text, char* expanded, size_t size)
{
    DWORD needed = ExpandEnvironmentStringsA(text, expanded, (DWORD)size);
    return needed != 0 && needed <= size;
}

bool WriteReport(char* reportPath)
{
    // A folder too deep for the report's name fails like a file that cannot be written:
    // the user asked for a report and must learn that none came.
    if (!JoinProgramFile(ProgramDirectory, "JLReport.html", reportPath, PATH_BUFFER))
        return false;
    // The names and targets stand in the page as the data file holds them, in the ANSI
    // code page.
    char charset[CHARSET_NAME_SIZE];
    TextBuffer page;
    InitText(&page);
    BuildReportPage(ShortcutTable, CharsetOfCodePage(GetACP(), charset, CHARSET_NAME_SIZE), ExpandAsShell, &page);
    bool written = !page.failed && WritePage(reportPath, &page);
    FreeText(&page);
    return written;
}
