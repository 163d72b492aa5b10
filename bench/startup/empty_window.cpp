// The yardstick for the time to the first painted frame: a window of the
// game's size and style, with the same manifest, whose first paint only
// fills it with one colour.
#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.lpszClassName = L"Corvale.Bench.EmptyWindow";
    if (!RegisterClassExW(&windowClass)) return 1;
    constexpr DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rect{0, 0, 544, 586};
    AdjustWindowRectEx(&rect, style, FALSE, 0);
    // With "--menu", a menu bar of one item: its text is the first the
    // process draws, which costs Wine its font set-up.
    HMENU menu = nullptr;
    if (commandLine && std::wcsstr(commandLine, L"--menu")) {
        menu = CreateMenu();
        AppendMenuW(menu, MF_STRING, 1, L"&Game");
    }
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Empty", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, menu, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
