// The board tools' boards do not depend on each other: two threads share
// them, each taking the next index until none is left.
#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>

namespace corvale {

// Calls job(i) for every i below count on two threads. The first exception
// stops the handing out of work and is thrown again here once both are done.
template <typename Job>
void forEachOnTwoThreads(std::size_t count, const Job& job) {
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex guard;
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) {
            try {
                job(i);
            } catch (...) {
                const std::lock_guard lock(guard);
                if (!failure) failure = std::current_exception();
                next = count;
            }
        }
    };
    std::thread helper(work);
    work();
    helper.join();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace corvale
