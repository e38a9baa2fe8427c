#include "platform/qt/folder_names.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/paths/win_path.h"

namespace
{

constexpr std::size_t MaxFolders = 32;
constexpr long long StampStepNs = 50'000'000; // coarser than any stamp step we know of

long long nanoseconds(const timespec& t)
{
    return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

void split(const std::string& hostPath, std::string& folder, std::string& name)
{
    const auto slash = hostPath.rfind('/');
    folder = slash == std::string::npos ? std::string(".") : hostPath.substr(0, slash == 0 ? 1 : slash);
    name = slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

bool FolderNames::stampOf(const std::string& folder, Stamp& out)
{
    struct stat st {
    };
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    out.dev = st.st_dev;
    out.ino = st.st_ino;
    out.mtime = st.st_mtim;
    return true;
}

FolderNames::Listing* FolderNames::current(const std::string& folder)
{
    Stamp stamp;
    if (!stampOf(folder, stamp)) {
        m_listings.erase(folder);
        return nullptr;
    }
    auto it = m_listings.find(folder);
    if (it != m_listings.end() && it->second.stamp == stamp && !it->second.recent)
        return &it->second;
    if (it == m_listings.end() && m_listings.size() >= MaxFolders)
        m_listings.clear();
    Listing& listing = m_listings[folder];
    listing.stamp = stamp;
    listing.byLower.clear();
    listing.caseTwins = false;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    listing.recent = nanoseconds(stamp.mtime) > nanoseconds(now) - StampStepNs;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            if (name != "." && name != ".." && !listing.byLower.emplace(winpath::lower(name), name).second)
                listing.caseTwins = true; // the first of them wins, as in a plain search
        }
        ::closedir(dir);
    }
    return &listing;
}

std::string FolderNames::resolve(const std::string& folder, const std::string& name)
{
    const std::string exact = joined(folder, name);
    struct stat st {
    };
    if (::lstat(exact.c_str(), &st) == 0)
        return exact;
    const Listing* listing = current(folder);
    if (!listing)
        return exact;
    const auto it = listing->byLower.find(winpath::lower(name));
    return it == listing->byLower.end() ? exact : joined(folder, it->second);
}

void FolderNames::added(const std::string& hostPath)
{
    std::string folder, name;
    split(hostPath, folder, name);
    auto it = m_listings.find(folder);
    if (it == m_listings.end())
        return;
    if (!stampOf(folder, it->second.stamp)) {
        m_listings.erase(it);
        return;
    }
    if (!it->second.byLower.emplace(winpath::lower(name), name).second)
        it->second.caseTwins = true;
    // The listing is whole up to our own change, so the fresh stamp is ours to trust.
    it->second.recent = false;
}

void FolderNames::removed(const std::string& hostPath)
{
    std::string folder, name;
    split(hostPath, folder, name);
    auto it = m_listings.find(folder);
    if (it == m_listings.end())
        return;
    if (!stampOf(folder, it->second.stamp)) {
        m_listings.erase(it);
        return;
    }
    auto entry = it->second.byLower.find(winpath::lower(name));
    if (entry == it->second.byLower.end() || entry->second != name)
        return;
    // A twin of the removed name may still be there: list the folder again when asked.
    if (it->second.caseTwins) {
        m_listings.erase(it);
        return;
    }
    it->second.byLower.erase(entry);
    it->second.recent = false;
}
