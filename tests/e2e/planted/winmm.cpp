// A winmm.dll that leaves a mark beside itself when anything loads it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH];
        DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
        while (length > 0 && path[length - 1] != '\\')
            length--;
        lstrcpyA(path + length, "planted-dll-ran.txt");
        CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    }
    return TRUE;
}
