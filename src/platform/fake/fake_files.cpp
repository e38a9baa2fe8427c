#include "platform/fake/fake_files.h"

#include <vector>

#include "platform/host/shell.h"
#include "platform/paths/win_path.h"

std::string FakeFiles::key(const std::string& path)
{
    std::string k = winpath::lower(path);
    for (char& c : k)
        if (c == '/')
            c = '\\';
    // "." and ".." work on the text and never climb above the drive (or path) start.
    std::string head;
    std::string rest = k;
    if (rest.size() >= 2 && rest[1] == ':') {
        head = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const bool rooted = !rest.empty() && rest[0] == '\\';
    std::vector<std::string> parts;
    std::string cur;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i < rest.size() && rest[i] != '\\') {
            cur += rest[i];
            continue;
        }
        if (cur == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!cur.empty() && cur != ".") {
            parts.push_back(cur);
        }
        cur.clear();
    }
    k = head + (rooted ? "\\" : "");
    for (std::size_t i = 0; i < parts.size(); ++i)
        k += (i ? "\\" : "") + parts[i];
    if (k.size() == 2 && k[1] == ':')
        k += '\\';
    return k;
}

static std::string parentKey(const std::string& k)
{
    std::string d = winpath::dirOnly(k);
    return FakeFiles::key(d);
}

std::string FakeFiles::resolve(const std::string& path) const
{
    std::string k = key(path);
    // A bounded number of hops, so links that point at each other cannot loop.
    for (int hop = 0; hop < 8; ++hop) {
        bool followed = false;
        for (const auto& [alias, target] : m_links) {
            const bool under = k.size() > alias.size() && k.compare(0, alias.size(), alias) == 0 &&
                               (alias.back() == '\\' || k[alias.size()] == '\\');
            if (k == alias || under) {
                const std::string rest = k.substr(alias.size());
                k = key(rest.empty() ? target : target + "\\" + rest);
                followed = true;
                break;
            }
        }
        if (!followed)
            break;
    }
    return k;
}

void FakeFiles::addLink(const std::string& alias, const std::string& target)
{
    m_links[key(alias)] = key(target);
}

std::int64_t FakeFiles::now() const
{
    return m_clock ? m_clock->nowMs() : 0;
}

bool FakeFiles::denied(const std::string& path) const
{
    std::string k = resolve(path);
    while (true) {
        if (m_denied.count(k))
            return true;
        const std::string p = parentKey(k);
        if (p == k || p.empty())
            return false;
        k = p;
    }
}

// The folder as written, with one separator style and no trailing separator but a root's.
static std::string shownFolder(const std::string& path)
{
    std::string s = path;
    for (char& c : s)
        if (c == '/')
            c = '\\';
    while (s.size() > 3 && s.back() == '\\')
        s.pop_back();
    return s;
}

bool FakeFiles::fileExists(const std::string& path) const
{
    return m_files.count(resolve(path)) != 0;
}

bool FakeFiles::folderExists(const std::string& path) const
{
    const std::string k = resolve(path);
    return m_folders.count(k) != 0;
}

bool FakeFiles::isOrdinaryFile(const std::string& path) const
{
    return fileExists(path) && !m_devices.count(resolve(path));
}

void FakeFiles::putDevice(const std::string& path)
{
    put(path, "");
    m_devices.insert(resolve(path));
    m_unreadable.insert(resolve(path));
}

bool FakeFiles::createFolder(const std::string& path)
{
    const std::string k = resolve(path);
    if (denied(path) || !m_folders.count(parentKey(k)))
        return false;
    m_folders.emplace(k, shownFolder(path));
    return true;
}

bool FakeFiles::createFolders(const std::string& path)
{
    if (denied(path))
        return false;
    putFolder(path);
    return true;
}

bool FakeFiles::removeFile(const std::string& path)
{
    return m_files.erase(resolve(path)) != 0;
}

CopyResult FakeFiles::copyIntoFolder(const std::string& source, const std::string& folder)
{
    auto bytes = readBytes(source);
    if (!bytes)
        return CopyResult::CannotOpen;
    const std::string destination = winpath::join(folder, winpath::fileName(source));
    if (sameFile(source, destination))
        return CopyResult::Ok;
    if (!writeBytes(destination, *bytes))
        return CopyResult::CannotCreate;
    return CopyResult::Ok;
}

bool FakeFiles::copyFile(const std::string& source, const std::string& destination)
{
    auto bytes = readBytes(source);
    return bytes && writeBytes(destination, *bytes);
}

std::vector<std::string> FakeFiles::list(const std::string& folder, const std::string& mask) const
{
    std::vector<std::string> out;
    const std::string k = resolve(folder);
    for (const auto& [fk, e] : m_files)
        if (parentKey(fk) == k && matchesMask(winpath::fileName(e.path), mask))
            out.push_back(winpath::fileName(e.path));
    return out;
}

std::optional<std::int64_t> FakeFiles::modifiedMs(const std::string& path) const
{
    auto it = m_files.find(resolve(path));
    if (it == m_files.end())
        return std::nullopt;
    return it->second.modified;
}

std::optional<std::uint64_t> FakeFiles::fileSize(const std::string& path) const
{
    const std::string k = resolve(path);
    auto it = m_files.find(k);
    if (it == m_files.end())
        return std::nullopt;
    const auto huge = m_hugeSizes.find(k);
    return huge != m_hugeSizes.end() ? huge->second : it->second.bytes.size();
}

bool FakeFiles::sameFile(const std::string& a, const std::string& b) const
{
    const std::string k = resolve(a);
    return m_files.count(k) != 0 && k == resolve(b);
}

std::optional<std::string> FakeFiles::readBytes(const std::string& path) const
{
    auto it = m_files.find(resolve(path));
    if (it == m_files.end() || m_unreadable.count(resolve(path)))
        return std::nullopt;
    return it->second.bytes;
}

bool FakeFiles::writeBytes(const std::string& path, const std::string& bytes)
{
    const std::string k = resolve(path);
    if (denied(path) || !m_folders.count(parentKey(k)))
        return false;
    auto& e = m_files[k];
    e.path = path;
    e.bytes = bytes;
    e.modified = now();
    ++m_writes[k];
    return true;
}

void FakeFiles::put(const std::string& path, const std::string& bytes, std::int64_t modifiedMs)
{
    putFolder(winpath::dirOnly(path));
    auto& e = m_files[resolve(path)];
    e.path = path;
    e.bytes = bytes;
    e.modified = modifiedMs;
}

void FakeFiles::putHuge(const std::string& path, std::uint64_t size)
{
    put(path, "");
    m_hugeSizes[resolve(path)] = size;
    m_unreadable.insert(resolve(path));
}

void FakeFiles::putFolder(const std::string& path)
{
    std::string shown = shownFolder(path);
    std::string k = resolve(path);
    while (!k.empty() && !m_folders.count(k)) {
        m_folders.emplace(k, shown);
        const std::string p = parentKey(k);
        if (p == k)
            break;
        k = p;
        shown = shownFolder(winpath::dirOnly(shown));
    }
}

void FakeFiles::setModified(const std::string& path, std::int64_t ms)
{
    auto it = m_files.find(resolve(path));
    if (it != m_files.end())
        it->second.modified = ms;
}

std::vector<std::string> FakeFiles::allFiles() const
{
    std::vector<std::string> out;
    for (const auto& [k, e] : m_files)
        out.push_back(e.path);
    return out;
}

int FakeFiles::writeCount(const std::string& path) const
{
    auto it = m_writes.find(resolve(path));
    return it == m_writes.end() ? 0 : it->second;
}

std::vector<DriveInfo> FakeFiles::drives() const
{
    std::map<char, bool> letters;
    for (const auto& [k, shown] : m_folders)
        if (k.size() == 3 && k[1] == ':')
            letters[static_cast<char>(std::toupper(static_cast<unsigned char>(k[0])))] = true;
    for (char letter : m_noDisk)
        letters.emplace(letter, false);
    std::vector<DriveInfo> out;
    for (const auto& [letter, ready] : letters)
        out.push_back({letter, ready, ""});
    return out;
}

std::vector<std::string> FakeFiles::listFolders(const std::string& folder) const
{
    std::vector<std::string> out;
    const std::string k = resolve(folder);
    for (const auto& [fk, shown] : m_folders)
        if (fk != k && parentKey(fk) == k)
            out.push_back(winpath::fileName(shown));
    return out;
}

bool FakeFiles::setCurrentDirectory(const std::string& path)
{
    if (!folderExists(path))
        return false;
    m_current = path;
    return true;
}

std::string FakeFiles::realPath(const std::string& path) const
{
    if (path.size() < 2 || path[1] != ':')
        return path;
    std::string out = "/" + std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(path[0]))));
    for (std::size_t i = 2; i < path.size(); ++i)
        out += path[i] == '\\' ? '/' : path[i];
    if (out.size() > 2 && out.back() == '/')
        out.pop_back();
    return out;
}
