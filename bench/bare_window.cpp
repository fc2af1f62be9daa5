// The floor for start-up: the least a Win32 program does to put a window of Jumplet's
// size and style on the screen, with a line to type in. No resources and no files; built
// twice, without a manifest and with Jumplet's, which asks for the common controls 6.
#include <windows.h>

static LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "BareWindow";
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, "BareWindow", "Bare Window", WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                                  290, 355, NULL, NULL, instance, NULL);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 85, 165, 21, window, NULL, instance,
                    NULL);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
