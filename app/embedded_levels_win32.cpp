#include <stdexcept>

#include "embedded_levels.h"
#include "resource_ids.h"

namespace corvale {

std::vector<Level> loadEmbeddedLevels(HINSTANCE instance, StartupFaults* faults) {
    HRSRC found = refused(faults)
                      ? nullptr
                      : FindResourceW(instance, MAKEINTRESOURCEW(IDR_LEVELS), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) throw std::runtime_error("The original level resource is missing from this executable.");
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = refused(faults) ? nullptr : LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!loaded || !data || size == 0) throw std::runtime_error("The original level resource could not be read.");
    // The resource memory belongs to the module; the reader gets a copy of its own.
    const auto* first = static_cast<const std::uint8_t*>(data);
    const std::vector<std::uint8_t> bytes(first, first + size);
    return parseLevelResource(bytes);
}

}  // namespace corvale
