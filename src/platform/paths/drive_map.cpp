#include "platform/paths/drive_map.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
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

namespace {

// Appends one name to a host path as std::filesystem::path's "/" does, without building one:
// a separator only when the path is not empty and does not end in one.
void appendName(std::string& path, std::string_view name)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
}

std::string joined(std::string path, std::string_view name)
{
    appendName(path, name);
    return path;
}

bool entryExists(const std::string& path)
{
    struct stat st {
    };
    return ::lstat(path.c_str(), &st) == 0;
}

// Links followed: a drive whose link leads nowhere is no drive.
bool isThere(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0;
}

bool isFolder(const std::string& path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

// Appends one component, matching an existing entry without regard to case when the exact
// name is not there.
std::string DriveMap::appendResolved(const std::string& base, const std::string& part, bool exactMissing) const
{
    std::string exact = joined(base, part);
    if (!exactMissing && entryExists(exact))
        return exact;
    if (auto name = m_names.find(base.empty() ? std::string(".") : base, part))
        return joined(base, *name);
    return exact;
}

// The root and the components of a Windows path, "." and ".." applied to the text as Windows
// does, so "a\\..\\b" works even when "a" is missing, and ".." never climbs above the drive root.
DriveMap::Parts DriveMap::partsOf(std::string_view windowsPath) const
{
    Parts out;
    std::string_view rest = windowsPath;
    if (const auto own = ownFolderRest(windowsPath)) {
        out.root = m_ownHost;
        out.drive = true;
        rest = *own;
    } else if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        out.root = joined(m_prefix, "dosdevices");
        appendName(out.root, winpath::lower(rest.substr(0, 1)) + ":");
        out.drive = true;
        rest.remove_prefix(2);
    } else if (!rest.empty() && (rest[0] == '\\' || rest[0] == '/')) {
        out.root = joined(joined(m_prefix, "dosdevices"), "c:");
    }
    const bool relative = out.root.empty();
    std::size_t i = 0;
    while (i < rest.size()) {
        const std::size_t end = std::min(rest.find_first_of("\\/", i), rest.size());
        const std::string_view part = rest.substr(i, end - i);
        i = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!out.names.empty() && out.names.back() != "..")
                out.names.pop_back();
            else if (relative)
                out.names.emplace_back(part);
            continue;
        }
        out.names.emplace_back(part);
    }
    out.parent = out.root;
    for (std::size_t n = 0; n + 1 < out.names.size(); ++n)
        appendName(out.parent, out.names[n]);
    return out;
}

std::string DriveMap::asWritten(std::string_view windowsPath) const
{
    const Parts p = partsOf(windowsPath);
    if (p.names.empty())
        return p.root.empty() ? std::string(".") : p.root;
    return joined(p.parent, p.names.back());
}

std::optional<std::string> DriveMap::toHost(std::string_view windowsPath) const
{
    const Parts p = partsOf(windowsPath);
    const std::string& root = p.root;
    const std::string& parent = p.parent;
    const std::vector<std::string>& parts = p.names;
    const bool drive = p.drive;
    // Most paths name what is on disk exactly: one look settles them.
    if (!parts.empty()) {
        std::string exact = joined(parent, parts.back());
        if (entryExists(exact))
            return exact;
    }
    // A name missing in a folder that is there: only that name is matched.
    if (parts.size() > 1 && isFolder(parent))
        return appendResolved(parent, parts.back(), true);
    if (drive && !isThere(root))
        return std::nullopt;
    if (parts.size() == 1)
        return appendResolved(parent, parts.back(), true);
    std::string result = root;
    for (const std::string& part : parts)
        result = appendResolved(result, part);
    if (result.empty())
        return std::string(".");
    return result;
}

static std::string canonicalText(const fs::path& p)
{
    std::error_code ec;
    fs::path c = fs::weakly_canonical(p, ec);
    std::string text = (ec ? p : c).lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string DriveMap::toWindows(std::string_view hostPath) const
{
    std::error_code ec;
    const fs::path abs = fs::absolute(fs::path(std::string(hostPath)), ec);
    const std::string full = canonicalText(ec ? fs::path(std::string(hostPath)) : abs);
    std::string bestDrive;
    std::string bestRoot;
    for (fs::directory_iterator it(fs::path(m_prefix) / "dosdevices", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = winpath::upper(it->path().filename().string());
        if (name.size() != 2 || name[1] != ':' || name[0] < 'A' || name[0] > 'Z')
            continue;
        std::error_code linkEc;
        if (!fs::exists(it->path(), linkEc))
            continue;
        const std::string root = canonicalText(it->path());
        const bool under = root == "/" || full == root || full.rfind(root + "/", 0) == 0;
        // The deepest root wins, so z: (the file system root) is only the fallback; among
        // drives with the same root the first letter wins, whatever the listing order.
        const bool better = bestDrive.empty() || root.size() > bestRoot.size() ||
                            (root.size() == bestRoot.size() && name < bestDrive);
        if (under && better) {
            bestRoot = root;
            bestDrive = name;
        }
    }
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

void DriveMap::setOwnFolder(const std::string& hostFolder)
{
    m_ownHost.clear();
    m_ownWindows.clear();
    if (hostFolder.empty())
        return;
    std::string windows = toWindows(hostFolder);
    while (windows.size() > 3 && windows.back() == '\\')
        windows.pop_back();
    if (windows.size() == 3)  // a drive root is the drive itself
        return;
    m_ownHost = canonicalText(hostFolder);
    m_ownWindows = std::move(windows);
}

std::optional<std::string_view> DriveMap::ownFolderRest(std::string_view windowsPath) const
{
    const std::size_t n = m_ownWindows.size();
    if (n == 0 || windowsPath.size() < n || !winpath::equalsNoCase(windowsPath.substr(0, n), m_ownWindows))
        return std::nullopt;
    if (windowsPath.size() > n && windowsPath[n] != '\\' && windowsPath[n] != '/')
        return std::nullopt;
    return windowsPath.substr(n);
}
