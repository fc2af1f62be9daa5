#include "ui/add/drop.h"
#include <shellapi.h>
#include "app/app.h"
#include "store/shortcut_table.h"
#include "ui/add/add_window.h"
#include "ui/add/path_naming.h"
#include "ui/main/placement.h"

// Only a plain folder counts as one: any further attribute makes the path a file, as
// does a path whose attributes cannot be read.
static bool IsPlainFolder(const char* path)
{
    return GetFileAttributesA(path) == FILE_ATTRIBUTE_DIRECTORY;
}

void NameFromPath(const char* path)
{
    char name[PATH_BUFFER];
    ProposedName(path, IsPlainFolder(path), name, PATH_BUFFER);
    SetWindowTextA(NameEdit, name);
}

static void FillFormFromPath(const char* path)
{
    SetWindowTextA(TypeCombo, IsPlainFolder(path) ? "Folder" : "File");
    MessageTypeFlag = 0;
    // A message's shorter limit no longer applies to a path.
    SendMessageA(TargetEdit, EM_LIMITTEXT, TARGET_SIZE - 1, 0);
    SetWindowTextA(TargetEdit, path);
    NameFromPath(path);
}

// The single dropped path, or false after telling the user that only one is taken.
static bool ReadSingleDrop(HDROP drop, HWND owner, char* path)
{
    if (DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0) != 1) {
        MessageBoxA(owner, "Drop Only One File Or Folder !", "Message", MB_ICONINFORMATION);
        return false;
    }
    // A longer path would arrive cut, and a cut path names another file.
    if (DragQueryFileA(drop, 0, NULL, 0) >= PATH_BUFFER) {
        MessageBoxA(owner, "This path is too long for a shortcut.", "Message",
                    MB_ICONINFORMATION);
        return false;
    }
    return DragQueryFileA(drop, 0, path, PATH_BUFFER) != 0;
}

void OnAddWindowDrop(HDROP drop)
{
    SetForegroundWindow(AddItemWindow);
    char path[PATH_BUFFER] = "";
    if (ReadSingleDrop(drop, NULL, path))
        FillFormFromPath(path);
    DragFinish(drop);
}

void OnMainWindowDrop(HDROP drop)
{
    char path[PATH_BUFFER] = "";
    if (ReadSingleDrop(drop, MainWindow, path)) {
        ShowAddWindow();
        FillFormFromPath(path);
    }
    DragFinish(drop);
}
