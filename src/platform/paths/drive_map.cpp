#include "platform/paths/drive_map.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/paths/win_path.h"

namespace fs = std::filesystem;

DriveMap::DriveMap(std::string prefix) : m_prefix(std::move(prefix)) {}

std::string DriveMap::prefixFromEnvironment()
{
    if (const char* env = std::getenv("WINEPREFIX"); env && *env)
        return env;
    const char* home = std::getenv("HOME");
    const std::string h = home ? home : "";
    std::error_code ec;
    if (!h.empty() && fs::is_directory(h + "/.wine", ec))
        return h + "/.wine";
    return h + "/.local/share/tarnel/prefix";
}

DriveMap DriveMap::fromEnvironment()
{
    DriveMap map(prefixFromEnvironment());
    map.ensurePrefix();
    return map;
}

void DriveMap::ensurePrefix() const
{
    std::error_code ec;
    const fs::path devices = fs::path(m_prefix) / "dosdevices";
    if (fs::exists(devices, ec))
        return;
    fs::create_directories(fs::path(m_prefix) / "drive_c", ec);
    fs::create_directories(devices, ec);
    fs::create_directory_symlink("../drive_c", devices / "c:", ec);
    fs::create_directory_symlink("/", devices / "z:", ec);
}

static std::vector<std::string> splitComponents(std::string_view rest)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : rest) {
        if (c == '\\' || c == '/') {
            if (!cur.empty())
                parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        parts.push_back(cur);
    return parts;
}

// Appends one component, matching an existing entry without regard to case when the exact
// name is not there.
static fs::path appendResolved(const fs::path& base, const std::string& part)
{
    std::error_code ec;
    if (part == "." || part == "..")
        return base / part;
    fs::path exact = base / part;
    if (fs::exists(fs::symlink_status(exact, ec)))
        return exact;
    for (fs::directory_iterator it(base.empty() ? fs::path(".") : base, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (winpath::equalsNoCase(name, part))
            return base / name;
    }
    return exact;
}

std::optional<std::string> DriveMap::toHost(std::string_view windowsPath) const
{
    fs::path result;
    std::string_view rest = windowsPath;
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        const std::string drive = winpath::lower(rest.substr(0, 1)) + ":";
        const fs::path link = fs::path(m_prefix) / "dosdevices" / drive;
        std::error_code ec;
        if (!fs::exists(link, ec))
            return std::nullopt;
        result = link;
        rest.remove_prefix(2);
    } else if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/')) {
        result = fs::path(m_prefix) / "dosdevices" / "c:";
    }
    for (const std::string& part : splitComponents(rest))
        result = appendResolved(result, part);
    if (result.empty())
        return std::string(".");
    return result.string();
}

std::string DriveMap::toWindows(std::string_view hostPath) const
{
    std::error_code ec;
    fs::path abs = fs::absolute(fs::path(std::string(hostPath)), ec).lexically_normal();
    const fs::path devices = fs::path(m_prefix) / "dosdevices";
    std::string bestDrive;
    std::string bestRoot;
    for (fs::directory_iterator it(devices, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != 2 || name[1] != ':')
            continue;
        std::error_code ec2;
        const fs::path root = fs::weakly_canonical(it->path(), ec2);
        if (ec2)
            continue;
        std::string r = root.string();
        if (r != "/" && !r.empty() && r.back() == '/')
            r.pop_back();
        const std::string a = fs::weakly_canonical(abs, ec2).string();
        const bool under = r == "/" ? true : (a == r || a.rfind(r + "/", 0) == 0);
        // The deepest root wins, so z: (the file system root) is only the fallback.
        if (under && (bestDrive.empty() || r.size() > bestRoot.size())) {
            bestRoot = r;
            bestDrive = winpath::upper(name);
        }
    }
    const std::string full = fs::weakly_canonical(abs, ec).string();
    std::string rest;
    if (bestDrive.empty()) {
        bestDrive = "Z:";
        rest = full;
    } else {
        rest = bestRoot == "/" ? full : full.substr(bestRoot.size());
    }
    std::string out = bestDrive;
    for (char c : rest)
        out += c == '/' ? '\\' : c;
    if (out.size() == 2)
        out += '\\';
    return out;
}
