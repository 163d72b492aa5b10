// How many GDI objects, USER objects and kernel handles this process holds,
// for tests that check a failure path gives back everything it took.
#pragma once

#include <string>

namespace corvale::testing {

struct HandleCounts {
    long gdi = 0;
    long user = 0;
    long kernel = 0;
    bool operator==(const HandleCounts&) const = default;
};

HandleCounts countHandles();

// "gdi 41, user 9, kernel 11", for failure messages.
std::string describe(const HandleCounts& counts);

// Where the figures come from: the system's counters, or (under Wine, whose
// counters report 0) a probe of the handle values Wine hands out.
std::string handleCountSource();

}  // namespace corvale::testing
