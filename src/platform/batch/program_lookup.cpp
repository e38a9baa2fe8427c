#include "platform/batch/program_lookup.h"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "platform/paths/win_path.h"

namespace fs = std::filesystem;

std::optional<FoundProgram> ProgramLookup::find(std::string_view name, const std::string& currentFolder,
                                                std::string_view pathValue) const
{
    if (name.empty())
        return std::nullopt;
    if (winpath::hasDirectoryPart(name) || name.find('/') != std::string_view::npos) {
        const std::string dir = winpath::dirPart(name);
        auto hostDir = m_resolver.toHost(currentFolder, dir.empty() ? std::string(".") : dir);
        if (!hostDir)
            return std::nullopt;
        return findIn(*hostDir, winpath::fileName(name));
    }
    if (auto here = findIn(currentFolder, name))
        return here;
    for (const std::string& folder : m_resolver.hostEntries(currentFolder, pathValue))
        if (auto found = findIn(folder, name))
            return found;
    return std::nullopt;
}

std::optional<FoundProgram> ProgramLookup::findIn(const std::string& folder, std::string_view name) const
{
    std::vector<std::string> entries;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path().filename().string());
    for (const char* ext : {"", ".com", ".exe", ".bat"}) {
        const std::string wanted = std::string(name) + ext;
        for (const std::string& entry : entries) {
            if (!winpath::equalsNoCase(entry, wanted))
                continue;
            if (auto found = classify((fs::path(folder) / entry).string()))
                return found;
        }
    }
    return std::nullopt;
}

std::optional<FoundProgram> ProgramLookup::classify(const std::string& path) const
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    if (winpath::equalsNoCase(winpath::extension(path), ".bat"))
        return FoundProgram{FoundProgram::Kind::Batch, path};
    std::array<char, 2> magic{};
    std::ifstream in(path, std::ios::binary);
    if (in.read(magic.data(), magic.size()) && magic[0] == 'M' && magic[1] == 'Z') {
        if (m_wine.empty())
            return std::nullopt;
        return FoundProgram{FoundProgram::Kind::Windows, path};
    }
    if (::access(path.c_str(), X_OK) == 0)
        return FoundProgram{FoundProgram::Kind::Native, path};
    return std::nullopt;
}

std::string ProgramLookup::findOnHostPath(std::string_view name, std::string_view hostPathValue)
{
    std::size_t start = 0;
    while (start <= hostPathValue.size()) {
        std::size_t end = hostPathValue.find(':', start);
        if (end == std::string_view::npos)
            end = hostPathValue.size();
        const std::string_view dir = hostPathValue.substr(start, end - start);
        if (!dir.empty()) {
            const std::string candidate = std::string(dir) + "/" + std::string(name);
            std::error_code ec;
            if (fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}
