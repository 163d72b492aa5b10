// The yardstick for `corvale.exe --smoke-test`: a program that loads the same
// system libraries, with the same manifest, and does the least drawing any
// renderer needs: one memory context, one 544 x 586 DIB section and one
// AlphaBlend. What corvale.exe takes beyond this is its own work.
#include <windows.h>

#include <cstdlib>

#include "shell_imports.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const bool splitCommandLine = touchShellLibraries();

    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 544;
    info.bmiHeader.biHeight = -586;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP image = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ displaced = SelectObject(dc, image);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL blended = AlphaBlend(dc, 272, 0, 272, 586, dc, 0, 0, 272, 586, blend);
    SelectObject(dc, displaced);
    DeleteObject(image);
    DeleteDC(dc);
    return blended && bits != nullptr && splitCommandLine ? 0 : 1;
}
