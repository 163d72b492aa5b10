#include "win32_api.h"

namespace corvale {

void makeProcessDpiAware() {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 is the context value -4.
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    if (auto setContext = user32Function<SetProcessDpiAwarenessContextFn>("SetProcessDpiAwarenessContext")) {
        setContext(perMonitorV2);  // failure leaves the manifest's awareness in force
    } else {
        SetProcessDPIAware();
    }
}

}  // namespace corvale
