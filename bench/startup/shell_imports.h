// One call into each library corvale.exe imports beyond user32 and gdi32,
// so that a yardstick program makes the loader map what corvale.exe maps.
#pragma once

#include <windows.h>
// commctrl.h and shellapi.h need the types of windows.h first.
#include <commctrl.h>
#include <shellapi.h>

// True when the command line could be split, as it always can.
inline bool touchShellLibraries() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int count = 0;
    LocalFree(CommandLineToArgvW(GetCommandLineW(), &count));
    return count > 0;
}
