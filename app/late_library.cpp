#include "app/late_library.h"

FARPROC LateFunction(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (module == NULL)
        module = LoadLibraryA(library);
    return module != NULL ? GetProcAddress(module, name) : NULL;
}
