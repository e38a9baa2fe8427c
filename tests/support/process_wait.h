#pragma once
// Waits for a condition on another process (a file it writes, its end), looking every 50 ms,
// for as long as a loaded machine may need; true when it came about.
#include <chrono>
#include <functional>
#include <thread>

inline bool waitFor(const std::function<bool()>& done, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}
