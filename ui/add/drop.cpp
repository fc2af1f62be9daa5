#include "ui/add/drop.h"
#include <shellapi.h>
#include "base/program_paths.h"
#include "store/shortcut_table.h"
#include "ui/add/path_naming.h"
#include "ui/shared/placement.h"
#include "ui/shared/window_state.h"

// Only a plain folder counts as one: any further attribute makes the path a file, as
// does a path whose attributes cannot be read.
static bool IsPlainFolder(const char* path)
{
    return GetFileAttributesA(path) == FILE_ATTRIBUTE_DIRECTORY;
}

void PutFormText(HWND edit, const char* text)
{
    SetWindowTextA(edit, text);
    int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, end, end);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

// The edit's own limit holds only for typing: a longer text put in would show a name that
// the file cannot keep.
void NameFromPath(const char* path)
{
    char name[NAME_SIZE];
    ProposedName(path, IsPlainFolder(path), name, NAME_SIZE, SystemLeadByte);
    PutFormText(NameEdit, name);
}

static void FillFormFromPath(const char* path)
{
    SetWindowTextA(TypeCombo, IsPlainFolder(path) ? "Folder" : "File");
    MessageTypeFlag = 0;
    // A message's shorter limit no longer applies to a path.
    SendMessageA(TargetEdit, EM_LIMITTEXT, TARGET_SIZE - 1, 0);
    PutFormText(TargetEdit, path);
    NameFromPath(path);
}

void RefusePath(HWND owner, PathConversion conversion)
{
    const char* text = conversion == PATH_TOO_LONG
                           ? "This path is too long for a shortcut."
                           : "Jumplet cannot keep this path: some of its characters have no place "
                             "in this system's code page.\nRename the file or folder, or choose "
                             "another one.";
    MessageBoxA(owner, text, "Message", MB_ICONINFORMATION);
}

// The single dropped path, or false after telling the user why it cannot be taken.
static bool ReadSingleDrop(HDROP drop, HWND owner, char* path)
{
    if (DragQueryFileW(drop, 0xFFFFFFFF, NULL, 0) != 1) {
        MessageBoxA(owner, "Drop Only One File Or Folder !", "Message", MB_ICONINFORMATION);
        return false;
    }
    // Read whole, however long, so that a longer path is refused instead of arriving cut.
    UINT length = DragQueryFileW(drop, 0, NULL, 0);
    if (length >= PATH_BUFFER) {
        RefusePath(owner, PATH_TOO_LONG);
        return false;
    }
    WCHAR wide[PATH_BUFFER];
    if (DragQueryFileW(drop, 0, wide, PATH_BUFFER) == 0)
        return false;
    PathConversion conversion = AnsiPathFromWide(wide, path, PATH_BUFFER);
    if (conversion != PATH_CONVERTED) {
        RefusePath(owner, conversion);
        return false;
    }
    return true;
}

void OnAddWindowDrop(HDROP drop)
{
    SetForegroundWindow(AddItemWindow);
    char path[PATH_BUFFER] = "";
    // Owned by the window it was dropped on, so that the box is not hidden behind it.
    if (ReadSingleDrop(drop, AddItemWindow, path))
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
