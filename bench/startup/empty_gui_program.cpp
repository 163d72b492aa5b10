// The yardstick for Wine's own GUI start-up: a program that does nothing but
// touch user32 and gdi32, so the loader maps and initialises both, as it must
// for corvale.exe. The difference to empty_program is Wine's, not ours.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const HGDIOBJ brush = GetStockObject(BLACK_BRUSH);
    return width < 0 && brush == nullptr ? 1 : 0;
}
