// Where the two windows appear, and remembering where the user closed them.
#ifndef JUMPLET_PLACEMENT_H
#define JUMPLET_PLACEMENT_H

#include <windows.h>

enum { SECTION_NAME_SIZE = 16 };

// A window's placement tied to one entry of the settings file.
struct PlacementRecord {
    HWND window;
    char section[SECTION_NAME_SIZE];
    const char* file;
    const char* key;
    WINDOWPLACEMENT saved;
    WINDOWPLACEMENT restored;
};

extern PlacementRecord MainPlacement;
extern PlacementRecord AddPlacement;
extern bool MainPlacementRestored;
extern bool AddPlacementRestored;

void SetUpPlacement(PlacementRecord* record, HWND window, const char* file, const char* key,
                    int number);
// True when a stored placement was read and applied.
bool RestorePlacement(PlacementRecord* record);
void SavePlacement(PlacementRecord* record);
void CenterOnWorkArea(HWND window);
void PresentMainWindow();
void ShowMainWindow();
void ShowAddWindow();

#endif
