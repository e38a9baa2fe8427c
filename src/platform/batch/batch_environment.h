#pragma once
// The variables a batch file sees. Names are compared without regard to case, as on Windows;
// a name keeps the spelling it was first given.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class BatchEnvironment {
public:
    BatchEnvironment() = default;
    // Takes "NAME=VALUE" entries as in environ; the first of two names differing in case wins.
    static BatchEnvironment fromEntries(const char* const* entries);

    std::optional<std::string> get(std::string_view name) const;
    // An empty value removes the variable, as SET NAME= does.
    void set(std::string_view name, std::string_view value);
    void remove(std::string_view name);

    // Name and value pairs sorted by name without regard to case, as SET lists them.
    std::vector<std::pair<std::string, std::string>> entries() const;

    // Expands %NAME%, %0..%9, %* and %% as a batch file does: an unknown name gives nothing and
    // a lone % is dropped. ERRORLEVEL, unless set by the batch, is the given level.
    std::string expand(std::string_view line, const std::vector<std::string>& params,
                       int errorLevel = 0) const;

private:
    struct Entry {
        std::string name;
        std::string value;
    };
    std::map<std::string, Entry> m_vars;  // keyed by the upper-case name
};
