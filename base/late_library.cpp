#include "base/late_library.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

// Windows 7 and Vista without their update know neither the LOAD_LIBRARY_SEARCH_* flags nor
// the functions that come with them. The documented test is whether kernel32 has
// AddDllDirectory, decided before any load, not the error that a first load ends with.
static bool KnowsSearchFlags()
{
    return GetProcAddress(GetModuleHandleA("kernel32.dll"), "AddDllDirectory") != NULL;
}

// Looked up, not imported, for the same systems, where an import would stop the start.
void NarrowDllSearch()
{
    typedef BOOL(WINAPI * SetDirectories)(DWORD);
    SetDirectories narrow =
        (SetDirectories)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (KnowsSearchFlags() && narrow != NULL)
        narrow(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Without the flags, the library's full path; the altered search then looks for the DLLs it
// pulls in beside it, in the system folder, rather than beside the program.
static HMODULE LoadFromSystemFolder(const char* library)
{
    if (KnowsSearchFlags())
        return LoadLibraryExA(library, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(library) >= MAX_PATH)
        return NULL;
    lstrcatA(path, "\\");
    lstrcatA(path, library);
    return LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

FARPROC LateFunction(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (module == NULL)
        module = LoadFromSystemFolder(library);
    return module != NULL ? GetProcAddress(module, name) : NULL;
}
