#include "platform/batch/path_resolver.h"

#include <cctype>
#include <filesystem>

#include "platform/paths/win_path.h"

namespace fs = std::filesystem;

static bool hasDrive(std::string_view path)
{
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

std::optional<std::string> PathResolver::toHost(const std::string& currentFolder,
                                                std::string_view windowsPath) const
{
    std::string full;
    if (hasDrive(windowsPath)) {
        full = std::string(windowsPath.substr(0, 2)) + "\\" + std::string(windowsPath.substr(2));
    } else if (!windowsPath.empty() && (windowsPath[0] == '\\' || windowsPath[0] == '/')) {
        full = toWindows(currentFolder).substr(0, 2) + std::string(windowsPath);
    } else {
        full = winpath::join(toWindows(currentFolder), windowsPath);
    }
    auto host = m_map.toHost(full);
    if (!host)
        return std::nullopt;
    return fs::path(*host).lexically_normal().string();
}

std::string PathResolver::toWindows(const std::string& hostPath) const
{
    return m_map.toWindows(hostPath);
}

std::vector<std::string> PathResolver::hostEntries(const std::string& currentFolder,
                                                   std::string_view pathValue) const
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= pathValue.size()) {
        std::size_t end = pathValue.find(';', start);
        if (end == std::string_view::npos)
            end = pathValue.size();
        const std::string entry = winpath::trim(pathValue.substr(start, end - start));
        if (!entry.empty())
            if (auto host = toHost(currentFolder, entry))
                out.push_back(*host);
        start = end + 1;
    }
    return out;
}

std::string PathResolver::windowsPathValue(std::string_view hostPathValue) const
{
    std::string out;
    std::size_t start = 0;
    while (start <= hostPathValue.size()) {
        std::size_t end = hostPathValue.find(':', start);
        if (end == std::string_view::npos)
            end = hostPathValue.size();
        const std::string_view entry = hostPathValue.substr(start, end - start);
        if (!entry.empty() && entry[0] == '/') {
            if (!out.empty())
                out += ';';
            out += toWindows(std::string(entry));
        }
        start = end + 1;
    }
    return out;
}
