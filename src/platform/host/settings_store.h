#pragma once
#include <cstddef>
#include <optional>
#include <string>

// The current user's key-value store. Names are compared without regard to case.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> read(const std::string& name) const = 0;
    virtual void write(const std::string& name, const std::string& value) = 0;
    // Makes the written values durable; false when the store cannot be written.
    virtual bool flush() = 0;
    // How many values the store holds.
    virtual std::size_t valueCount() const = 0;
};
