#include "platform/fake/fake_files.h"

#include "platform/host/shell.h"
#include "platform/paths/win_path.h"

std::string FakeFiles::key(const std::string& path)
{
    std::string k = winpath::lower(path);
    for (char& c : k)
        if (c == '/')
            c = '\\';
    while (k.size() > 3 && k.back() == '\\')
        k.pop_back();
    if (k.size() == 2 && k[1] == ':')
        k += '\\';
    return k;
}

static std::string parentKey(const std::string& k)
{
    std::string d = winpath::dirOnly(k);
    return FakeFiles::key(d);
}

std::int64_t FakeFiles::now() const
{
    return m_clock ? m_clock->nowMs() : 0;
}

bool FakeFiles::denied(const std::string& path) const
{
    std::string k = key(path);
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
    return m_files.count(key(path)) != 0;
}

bool FakeFiles::folderExists(const std::string& path) const
{
    const std::string k = key(path);
    return m_folders.count(k) != 0;
}

bool FakeFiles::isOrdinaryFile(const std::string& path) const
{
    return fileExists(path) && !m_devices.count(key(path));
}

void FakeFiles::putDevice(const std::string& path)
{
    put(path, "");
    m_devices.insert(key(path));
    m_unreadable.insert(key(path));
}

bool FakeFiles::createFolder(const std::string& path)
{
    const std::string k = key(path);
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
    return m_files.erase(key(path)) != 0;
}

CopyResult FakeFiles::copyIntoFolder(const std::string& source, const std::string& folder)
{
    auto bytes = readBytes(source);
    if (!bytes)
        return CopyResult::CannotOpen;
    if (!writeBytes(winpath::join(folder, winpath::fileName(source)), *bytes))
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
    const std::string k = key(folder);
    for (const auto& [fk, e] : m_files)
        if (parentKey(fk) == k && matchesMask(winpath::fileName(e.path), mask))
            out.push_back(winpath::fileName(e.path));
    return out;
}

std::optional<std::int64_t> FakeFiles::modifiedMs(const std::string& path) const
{
    auto it = m_files.find(key(path));
    if (it == m_files.end())
        return std::nullopt;
    return it->second.modified;
}

std::optional<std::string> FakeFiles::readBytes(const std::string& path) const
{
    auto it = m_files.find(key(path));
    if (it == m_files.end() || m_unreadable.count(key(path)))
        return std::nullopt;
    return it->second.bytes;
}

bool FakeFiles::writeBytes(const std::string& path, const std::string& bytes)
{
    const std::string k = key(path);
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
    auto& e = m_files[key(path)];
    e.path = path;
    e.bytes = bytes;
    e.modified = modifiedMs;
}

void FakeFiles::putFolder(const std::string& path)
{
    std::string shown = shownFolder(path);
    std::string k = key(path);
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
    auto it = m_files.find(key(path));
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
    auto it = m_writes.find(key(path));
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
    const std::string k = key(folder);
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
