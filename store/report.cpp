// For now the report is only a page naming the shortcuts, opened through the shell; the
// full page with its rows and links replaces this.
#include "store/report.h"
#include <windows.h>
#include <cstdio>
#include "app/app.h"
#include "store/launch.h"
#include "store/store.h"

int WriteReport()
{
    char path[PATH_BUFFER];
    if (!JoinProgramFile(ProgramDirectory, "JLReport.html", path, PATH_BUFFER))
        return 0;
    FILE* file = fopen(path, "w");
    if (file == NULL) {
        MessageBoxA(NULL, "Error\nReport could not be generated ..", "Error",
                    MB_ICONINFORMATION);
        return 0;
    }
    fprintf(file, "<html><head><title>Jumplet Report</title></head><body>\n");
    for (int32_t i = 0; i < ShortcutTable.count; i++)
        fprintf(file, "%d %s<br>\n", i + 1, ShortcutTable.records[i].name);
    fprintf(file, "</body></html>");
    fclose(file);
    ShellOpen(path);
    return 1;
}
