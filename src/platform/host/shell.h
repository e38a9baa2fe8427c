#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Starts a program or document; never waited for, its result never examined.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void open(const std::string& file, const std::string& parameters,
                      const std::string& workingFolder, bool shown) = 0;
    // The same, with the started program's window maximized where the platform can do so.
    virtual void openMaximized(const std::string& file, const std::string& parameters,
                               const std::string& workingFolder)
    {
        open(file, parameters, workingFolder, true);
    }
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

// Wall clock in milliseconds since the epoch.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

// One-shot timers on the user-interface thread.
class Timers {
public:
    using Id = int;
    virtual ~Timers() = default;
    virtual Id startOnce(int milliseconds, std::function<void()> callback) = 0;
    virtual void cancel(Id id) = 0;
};
