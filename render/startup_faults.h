// A seam for testing the clean-up paths of start-up. Each step that asks
// Windows for something first asks here whether to act as if Windows had
// refused; a test counts the steps and makes each one fail in turn, then
// checks that the error reaches the entry point and nothing stays behind.
// The program itself never passes one, so its steps fail only for real.
#pragma once

namespace corvale {

struct StartupFaults {
    int failAt = 0;   // the step, counted from 1, that is refused; 0 = none
    int reached = 0;  // steps that have asked so far
};

// True when `faults` refuses the step now asking. Null refuses nothing.
inline bool refused(StartupFaults* faults) {
    return faults != nullptr && ++faults->reached == faults->failAt;
}

}  // namespace corvale
