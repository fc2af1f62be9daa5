#include "app/messages.h"
#include <windows.h>
#include <string>

int ShowErrorMessage(const char* text, bool exitAfter)
{
    std::string full = std::string(text) + SupportFooter;
    int answer = MessageBoxA(NULL, full.c_str(), "Error", MB_ICONWARNING | MB_OK);
    if (exitAfter)
        ExitProcess(0);
    return answer;
}

int ShowInfoMessage(const char* text)
{
    return MessageBoxA(NULL, text, "Message", MB_ICONINFORMATION | MB_OK);
}
