#include <windows.h>

#include "entry_point.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return corvale::runEntryPoint(instance, showCommand, corvale::defaultErrorChannels());
}
