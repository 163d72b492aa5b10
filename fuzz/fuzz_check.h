// What the fuzz targets share: a failed property stops the run with a line
// saying which one, so a crash report reads as a finding, not a puzzle.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace corvale::fuzz {

[[noreturn]] inline void fail(const char* property) {
    std::fprintf(stderr, "property failed: %s\n", property);
    std::abort();
}

inline void check(bool holds, const char* property) {
    if (!holds) fail(property);
}

inline bool oneOf(std::string_view text, std::initializer_list<std::string_view> allowed) {
    for (std::string_view a : allowed)
        if (text == a) return true;
    return false;
}

}  // namespace corvale::fuzz
