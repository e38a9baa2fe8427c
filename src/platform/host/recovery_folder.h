#pragma once
// The current user's folder for recovery copies of unsaved text. It need not lie on any drive,
// so it is addressed by plain file names, never by paths.
#include <functional>
#include <optional>
#include <string>
#include <vector>

class RecoveryFolder {
public:
    virtual ~RecoveryFolder() = default;
    virtual int processId() const = 0;
    // Claims a name for this process until it releases it or ends, however it ends; false
    // while a running process holds it.
    virtual bool claim(const std::string& name) = 0;
    virtual void release(const std::string& name) = 0;
    virtual std::vector<std::string> list() const = 0;
    virtual std::optional<std::string> read(const std::string& name) const = 0;
    // Writes replace a file whole (it is never seen half-written) and, like removals, may be done
    // away from the user-interface thread, in the order they were asked for; so may the making
    // of the bytes.
    virtual void write(const std::string& name, std::function<std::string()> bytes) = 0;
    void write(const std::string& name, std::string bytes)
    {
        write(name, [b = std::move(bytes)] { return b; });
    }
    virtual void remove(const std::string& name) = 0;
    // Returns when every write and removal asked for is done.
    virtual void flush() = 0;
};
