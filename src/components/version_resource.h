#pragma once
// A file's version resource as the version reader queries it: its language and code page
// pairs and its values by query path ("\StringFileInfo\040904E4\FileVersion").
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct VersionResource {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> translations;  // language, code page
    std::map<std::string, std::string> values;

    // Query paths are compared without regard to case, as the platform does.
    std::optional<std::string> query(const std::string& path) const;
};

class VersionResources {
public:
    virtual ~VersionResources() = default;
    // The file's resource; none when the file carries no version information.
    virtual std::optional<VersionResource> read(const std::string& file) const = 0;
};

// The string block of a language and code page: four upper-case hexadecimal digits each.
std::string versionBlock(std::uint16_t language, std::uint16_t codePage);

// The eight version strings in the order the reader asks for them.
extern const char* const VersionKeys[8];

// The strings built into this program; any other file carries none. The running program is
// named by its Windows path.
class EmbeddedVersionResources : public VersionResources {
public:
    explicit EmbeddedVersionResources(std::string programFile) : m_program(std::move(programFile)) {}
    std::optional<VersionResource> read(const std::string& file) const override;

    // The program's own resource, as the build embedded it.
    static VersionResource programResource();

private:
    std::string m_program;
};
