#include "ui/shared/placement.h"
#include <cstdio>
#include "settings/settings.h"
#include "ui/shared/centring.h"
#include "ui/shared/lists.h"
#include "ui/shared/window_state.h"

PlacementRecord MainPlacement;
PlacementRecord AddPlacement;
bool MainPlacementRestored = false;
bool AddPlacementRestored = false;

void SetUpPlacement(PlacementRecord* record, HWND window, const char* file, const char* key,
                    int number)
{
    record->window = window;
    record->file = file;
    record->key = key;
    snprintf(record->section, SECTION_NAME_SIZE, "section%d", number);
}

// The platform pulls a placement that no monitor shows to the nearest screen edge as it
// applies it, so afterwards the window no longer looks lost; the rectangle it is about
// to get is judged instead. It is in workspace coordinates, which start at the corner of the
// primary monitor's work area.
static bool StoredOnNoMonitor(const WINDOWPLACEMENT* placement)
{
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT screen = placement->rcNormalPosition;
    OffsetRect(&screen, work.left, work.top);
    return MonitorFromRect(&screen, MONITOR_DEFAULTTONULL) == NULL;
}

// The windows have a fixed size and are never minimised or maximised: only the stored
// position counts. A hand-edited or foreign size or show state would leave a caption
// without controls, or a window the user cannot bring back.
static void KeepOnlyPosition(WINDOWPLACEMENT* placement, HWND window)
{
    RECT own;
    GetWindowRect(window, &own);
    RECT* normal = &placement->rcNormalPosition;
    normal->right = normal->left + (own.right - own.left);
    normal->bottom = normal->top + (own.bottom - own.top);
    placement->flags = 0;
    placement->showCmd = SW_SHOWNORMAL;
}

bool RestorePlacement(PlacementRecord* record)
{
    // A value the structure read refuses must not be applied: a zeroed placement would
    // shrink the window to nothing on systems that do not check its length. One that no
    // monitor shows is dropped too, so that the caller centres the window.
    bool read = GetPrivateProfileStructA(record->section, record->key, &record->restored,
                                         sizeof(WINDOWPLACEMENT), record->file) &&
                record->restored.length == sizeof(WINDOWPLACEMENT);
    if (read)
        KeepOnlyPosition(&record->restored, record->window);
    if (!read || StoredOnNoMonitor(&record->restored)) {
        ZeroMemory(&record->restored, sizeof(WINDOWPLACEMENT));
        return false;
    }
    SetWindowPlacement(record->window, &record->restored);
    UpdateWindow(record->window);
    return true;
}

void SavePlacement(PlacementRecord* record)
{
    record->saved.length = sizeof(WINDOWPLACEMENT);
    GetWindowPlacement(record->window, &record->saved);
    if (!WritePrivateProfileStructA(record->section, record->key, &record->saved, sizeof(WINDOWPLACEMENT),
                                    record->file))
        TellFolderReadOnly();
}

static ScreenRect ScreenRectOf(const RECT& rect)
{
    ScreenRect screen = {rect.left, rect.top, rect.right, rect.bottom};
    return screen;
}

static ScreenRect WindowScreenRect(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return ScreenRectOf(rect);
}

void CenterOnWorkArea(HWND window)
{
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ScreenPoint origin = CentredOrigin(ScreenRectOf(work), WindowScreenRect(window));
    SetWindowPos(window, HWND_TOP, (int)origin.x, (int)origin.y, 0, 0, SWP_NOSIZE);
}

// A placement saved on a monitor that is gone, or edited by hand, would bring the window
// up where no screen shows it.
static bool OnNoMonitor(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) == NULL;
}

static void CentreWhenUnreachable(HWND window)
{
    if (HasNegativeOrigin(WindowScreenRect(window)) || OnNoMonitor(window))
        CenterOnWorkArea(window);
}

// A window that a monitor shows only in part (closed on a larger screen, or a taskbar came
// in between) is moved wholly inside that monitor's work area, or its buttons stay out of
// reach.
static void KeepWhollyShown(HWND window)
{
    MONITORINFO monitor;
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    ScreenRect rect = WindowScreenRect(window);
    ScreenPoint origin = FittedOrigin(ScreenRectOf(monitor.rcWork), rect);
    if (origin.x != rect.left || origin.y != rect.top)
        SetWindowPos(window, NULL, (int)origin.x, (int)origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PresentMainWindow()
{
    CentreWhenUnreachable(MainWindow);
    KeepWhollyShown(MainWindow);
    ShowWindow(MainWindow, SW_HIDE);
    ShowWindow(MainWindow, SW_SHOW);
}

// Every way up (the hotkey, the tray, a second start) passes here, and the list must show
// what the file holds now.
void ShowMainWindow()
{
    ReloadListsIfFileChanged();
    if (HiddenStart && !MainPlacementRestored) {
        // Never placed yet: it still lies at its off-screen creation position.
        if (!RestorePlacement(&MainPlacement))
            CenterOnWorkArea(MainWindow);
        KeepWhollyShown(MainWindow);
        MainPlacementRestored = true;
        ShowWindow(MainWindow, SW_HIDE);
        ShowWindow(MainWindow, SW_SHOW);
        UpdateWindow(MainWindow);
        return;
    }
    if (OnNoMonitor(MainWindow))
        CenterOnWorkArea(MainWindow);
    KeepWhollyShown(MainWindow);
    ShowWindow(MainWindow, SW_SHOW);
}

void ShowAddWindow()
{
    CentreWhenUnreachable(AddItemWindow);
    if (!AddPlacementRestored) {
        RestorePlacement(&AddPlacement);
        AddPlacementRestored = true;
    }
    KeepWhollyShown(AddItemWindow);
    ShowWindow(AddItemWindow, SW_SHOW);
    UpdateWindow(AddItemWindow);
    SetForegroundWindow(AddItemWindow);
}
