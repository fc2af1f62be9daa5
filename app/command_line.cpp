#include "app/command_line.h"
#include "base/text_compare.h"

bool SkipsInstanceTest(const char* commandLine)
{
    return CompareNoCaseN(commandLine, "-run", 2) == 0;
}

bool AsksHiddenStart(const char* commandLine)
{
    return CompareNoCase(commandLine, "-m") == 0;
}
