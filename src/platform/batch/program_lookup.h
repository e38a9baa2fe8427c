#pragma once
// Finds the program a batch command names: in the current folder, then in each folder of the
// batch's PATH, trying the bare name, .com, .exe and .bat without regard to case.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/batch/path_resolver.h"

struct FoundProgram {
    enum class Kind { Batch, Native, Windows };
    Kind kind = Kind::Native;
    std::string hostPath;
};

class ProgramLookup {
public:
    // `wine` is the host path of wine, or empty when it is not installed; Windows programs are
    // then passed over.
    ProgramLookup(const PathResolver& resolver, std::string wine)
        : m_resolver(resolver), m_wine(std::move(wine))
    {
    }

    std::optional<FoundProgram> find(std::string_view name, const std::string& currentFolder,
                                     std::string_view pathValue) const;

    const std::string& wine() const { return m_wine; }

    // The first executable file of that exact name in the folders of a host PATH value.
    static std::string findOnHostPath(std::string_view name, std::string_view hostPathValue);

private:
    std::optional<FoundProgram> findIn(const std::string& folder, std::string_view name) const;
    std::optional<FoundProgram> classify(const std::string& path) const;

    const PathResolver& m_resolver;
    std::string m_wine;
};
