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

// The counts once they equal `expected`, or after a few tries 50 ms apart:
// Wine's own threads open and close handles now and then, while a leak stays.
HandleCounts countHandlesExpecting(const HandleCounts& expected);

// "gdi 41, user 9, kernel 11", for failure messages.
std::string describe(const HandleCounts& counts);

// Where the figures come from: the system's counters, or (under Wine, whose
// counters report 0) a probe of the handle values Wine hands out.
std::string handleCountSource();

}  // namespace corvale::testing
