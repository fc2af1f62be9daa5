#include "base/late_library.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

// Looked up, not imported: Windows 7 without its update has neither the function nor the
// flag, and there the full path of the system folder stands in for the flag.
void NarrowDllSearch()
{
    typedef BOOL(WINAPI * SetDirectories)(DWORD);
    SetDirectories narrow =
        (SetDirectories)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (narrow != NULL)
        narrow(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

static HMODULE LoadFromSystemFolder(const char* library)
{
    HMODULE module = LoadLibraryExA(library, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != NULL || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(library) >= MAX_PATH)
        return NULL;
    lstrcatA(path, "\\");
    lstrcatA(path, library);
    return LoadLibraryA(path);
}

FARPROC LateFunction(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (module == NULL)
        module = LoadFromSystemFolder(library);
    return module != NULL ? GetProcAddress(module, name) : NULL;
}
