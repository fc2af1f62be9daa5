#include "app/messages.h"
#include <windows.h>
#include <cstdio>

enum { MESSAGE_TEXT_SIZE = 1024 };

int ShowErrorMessage(const char* text, bool exitAfter)
{
    char full[MESSAGE_TEXT_SIZE];
    snprintf(full, MESSAGE_TEXT_SIZE, "%s%s", text, SupportFooter);
    int answer = MessageBoxA(NULL, full, "Error", MB_ICONWARNING | MB_OK);
    if (exitAfter)
        ExitProcess(0);
    return answer;
}

int ShowInfoMessage(const char* text)
{
    return MessageBoxA(NULL, text, "Message", MB_ICONINFORMATION | MB_OK);
}
