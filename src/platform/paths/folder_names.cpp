#include "platform/paths/folder_names.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <sys/stat.h>


namespace {

constexpr std::string_view kTempMark = ".tarnel-";
constexpr std::size_t kTempRandom = 6;  // the XXXXXX of mkstemp
// Folders whose listings are kept; past that all are dropped and read again as needed.
constexpr std::size_t kMaxFolders = 64;

}  // namespace

std::string tempFilePrefix(std::string_view name)
{
    return "." + std::string(name) + std::string(kTempMark);
}

std::optional<std::string> tempFileTarget(std::string_view entry)
{
    if (entry.size() < 1 + 1 + kTempMark.size() + kTempRandom || entry[0] != '.')
        return std::nullopt;
    const std::string_view random = entry.substr(entry.size() - kTempRandom);
    if (!std::all_of(random.begin(), random.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const std::string_view head = entry.substr(0, entry.size() - kTempRandom);
    if (head.substr(head.size() - kTempMark.size()) != kTempMark)
        return std::nullopt;
    return std::string(head.substr(1, head.size() - 1 - kTempMark.size()));
}

namespace {

std::optional<FolderNames::Stamp> stampFrom(const struct stat& st)
{
    if (!S_ISDIR(st.st_mode))
        return std::nullopt;
    FolderNames::Stamp s;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.mtimeSec = st.st_mtim.tv_sec;
    s.mtimeNsec = st.st_mtim.tv_nsec;
    s.ctimeSec = st.st_ctim.tv_sec;
    s.ctimeNsec = st.st_ctim.tv_nsec;
    return s;
}

}  // namespace

std::optional<FolderNames::Stamp> FolderNames::stampOf(const std::string& folder)
{
    struct stat st {
    };
    return ::stat(folder.c_str(), &st) == 0 ? stampFrom(st) : std::nullopt;
}

std::optional<FolderNames::Stamp> FolderNames::stampOf(int folderFd)
{
    struct stat st {
    };
    return ::fstat(folderFd, &st) == 0 ? stampFrom(st) : std::nullopt;
}

bool FolderNames::Spellings::holds(const std::string& name) const
{
    return first == name || std::find(more.begin(), more.end(), name) != more.end();
}

void FolderNames::Spellings::remove(const std::string& name)
{
    if (first == name) {
        if (more.empty()) {
            first.clear();
        } else {
            first = std::move(more.front());
            more.erase(more.begin());
        }
        return;
    }
    more.erase(std::remove(more.begin(), more.end(), name), more.end());
}

void FolderNames::add(Index& index, const std::string& name)
{
    Spellings& spellings = index.byLower.insert(name);
    if (spellings.holds(name))
        return;
    if (spellings.first.empty())
        spellings.first = name;
    else
        spellings.more.push_back(name);
    if (auto target = tempFileTarget(name))
        index.temps[*target].push_back(name);
}

FolderNames::Index* FolderNames::current(const std::string& folder)
{
    const auto stamp = stampOf(folder);
    if (!stamp) {
        m_folders.erase(folder);
        return nullptr;
    }
    return current(folder, *stamp);
}

FolderNames::Index* FolderNames::current(const std::string& folder, const Stamp& stamp)
{
    auto it = m_folders.find(folder);
    if (it != m_folders.end() && it->second.stamp == stamp)
        return &it->second;
    if (it == m_folders.end() && m_folders.size() >= kMaxFolders)
        m_folders.clear();
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) {
        m_folders.erase(folder);
        return nullptr;
    }
    // Stamped before the listing, so a change made while it is read shows as a new stamp.
    ++m_listings;
    Index index;
    index.stamp = stamp;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name != "." && name != "..")
            add(index, name);
    }
    ::closedir(dir);
    return &(m_folders[folder] = std::move(index));
}

std::optional<std::string> FolderNames::find(const std::string& folder, const std::string& part)
{
    const Index* index = current(folder);
    if (!index)
        return std::nullopt;
    const Spellings* spellings = index->byLower.find(part);
    if (!spellings || spellings->first.empty())
        return std::nullopt;
    return spellings->first;
}

std::optional<std::string> FolderNames::spellingOf(const std::string& folder, const std::string& name,
                                                  const Stamp& stamp)
{
    const Index* index = current(folder, stamp);
    if (!index)
        return std::nullopt;
    const Spellings* spellings = index->byLower.find(name);
    if (!spellings || spellings->first.empty())
        return std::nullopt;
    return spellings->holds(name) ? name : spellings->first;
}

std::vector<std::string> FolderNames::tempsOf(const std::string& folder, const std::string& name,
                                              const Stamp& stamp)
{
    const Index* index = current(folder, stamp);
    if (!index)
        return {};
    const auto it = index->temps.find(name);
    return it == index->temps.end() ? std::vector<std::string>{} : it->second;
}

void FolderNames::noteChange(const std::string& folder, const Stamp& before, const std::vector<std::string>& added,
                             const std::vector<std::string>& removed, int folderFd)
{
    auto it = m_folders.find(folder);
    if (it == m_folders.end())
        return;
    const auto now = folderFd >= 0 ? stampOf(folderFd) : stampOf(folder);
    if (!now || !(it->second.stamp == before)) {
        m_folders.erase(it);
        return;
    }
    Index& index = it->second;
    for (const std::string& name : removed) {
        if (Spellings* spellings = index.byLower.find(name))
            spellings->remove(name);
        if (auto target = tempFileTarget(name)) {
            auto& list = index.temps[*target];
            list.erase(std::remove(list.begin(), list.end(), name), list.end());
        }
    }
    for (const std::string& name : added)
        add(index, name);
    index.stamp = *now;
}
