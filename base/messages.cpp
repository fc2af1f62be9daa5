#include "base/messages.h"
#include <cstdio>

enum { MESSAGE_TEXT_SIZE = 1024 };

int MessageOnTop(const char* text, const char* caption, UINT style)
{
    return MessageBoxA(NULL, text, caption, style | MB_TOPMOST | MB_SETFOREGROUND);
}

int ShowErrorMessage(const char* text, bool exitAfter)
{
    char full[MESSAGE_TEXT_SIZE];
    snprintf(full, MESSAGE_TEXT_SIZE, "%s%s", text, SupportFooter);
    int answer = MessageOnTop(full, "Error", MB_ICONWARNING | MB_OK);
    if (exitAfter)
        ExitProcess(0);
    return answer;
}

int ShowInfoMessage(const char* text)
{
    return MessageOnTop(text, "Message", MB_ICONINFORMATION | MB_OK);
}
