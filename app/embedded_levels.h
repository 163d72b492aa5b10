// The boards carried inside the executable as resource 20001.
#pragma once

#include <windows.h>

#include <vector>

#include "level.h"
#include "startup_faults.h"

namespace corvale {

// Locates, copies and parses the level resource of the module. Throws
// "The original level resource is missing from this executable.",
// "The original level resource could not be read." or the reader's errors.
// `faults` is for tests only.
std::vector<Level> loadEmbeddedLevels(HINSTANCE instance, StartupFaults* faults = nullptr);

}  // namespace corvale
