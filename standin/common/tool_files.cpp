#include "common/tool_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/host/files.h"
#include "platform/paths/drive_map.h"
#include "platform/paths/win_path.h"

namespace fs = std::filesystem;

namespace standin
{

std::optional<std::string> hostPath(std::string_view windowsPath)
{
    // Tarnel hands native programs host paths in place of the Windows ones it was given.
    if (windowsPath.rfind('/', 0) == 0)
        return std::string(windowsPath);
    static const DriveMap map = DriveMap::fromEnvironment();
    return map.toHost(windowsPath);
}

bool fileExists(std::string_view windowsPath)
{
    const auto host = hostPath(windowsPath);
    std::error_code ec;
    return host && fs::is_regular_file(*host, ec);
}

std::optional<std::string> readText(std::string_view windowsPath)
{
    const auto host = hostPath(windowsPath);
    std::error_code ec;
    if (!host || !fs::is_regular_file(*host, ec))
        return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::optional<std::vector<std::string>> readLines(std::string_view windowsPath)
{
    auto text = readText(windowsPath);
    if (!text)
        return std::nullopt;
    return splitLines(*text);
}

bool writeLines(std::string_view windowsPath, const std::vector<std::string>& lines)
{
    const auto host = hostPath(windowsPath);
    if (!host)
        return false;
    const std::string temp = *host + ".tmp~";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << joinLines(lines);
        if (!out.flush())
            return false;
    }
    std::error_code ec;
    fs::rename(temp, *host, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

void removeFile(std::string_view windowsPath)
{
    if (const auto host = hostPath(windowsPath)) {
        std::error_code ec;
        fs::remove(*host, ec);
    }
}

std::string withDefaultExtension(std::string_view name, std::string_view extension)
{
    std::string out(name);
    if (winpath::extension(name).empty())
        out += extension;
    return out;
}

std::string baseName(std::string_view path)
{
    return winpath::withoutExtension(winpath::fileName(path));
}

std::vector<std::string> splitWords(std::string_view line)
{
    std::vector<std::string> words;
    std::string cur;
    for (char c : line) {
        if (c == ' ' || c == '\t') {
            if (!cur.empty())
                words.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        words.push_back(cur);
    return words;
}

} // namespace standin
