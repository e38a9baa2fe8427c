#include "platform/qt/qt_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths/drive_map.h"
#include "platform/paths/folder_names.h"
#include "platform/paths/mask.h"
#include "platform/paths/win_path.h"
#include "platform/qt/atomic_file.h"

namespace fs = std::filesystem;

namespace
{

constexpr std::size_t CopyBufferSize = 8192;
// A source file is copied in one read and one write where it fits.
constexpr std::size_t CopyChunk = 128 * 1024;

std::optional<struct stat> statOf(const std::string& hostPath)
{
    struct stat st {
    };
    if (::stat(hostPath.c_str(), &st) != 0)
        return std::nullopt;
    return st;
}

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The folder as the drive map names it in its listings: no trailing slash, "." for none.
std::string folderKey(const std::string& folder)
{
    std::string key = folder;
    while (key.size() > 1 && key.back() == '/')
        key.pop_back();
    return key.empty() ? std::string(".") : key;
}

ssize_t readSome(int fd, char* buffer, std::size_t size)
{
    ssize_t n;
    do
        n = ::read(fd, buffer, size);
    while (n < 0 && errno == EINTR);
    return n;
}

// True when `out`, as long as `in` (both read from their start), holds the same bytes.
bool sameBytes(int in, int out, char* a, char* b, std::size_t chunk)
{
    while (true) {
        const ssize_t n = readSome(in, a, chunk);
        if (n < 0)
            return false;
        std::size_t got = 0;
        while (got < static_cast<std::size_t>(n)) {
            const ssize_t m = readSome(out, b + got, static_cast<std::size_t>(n) - got);
            if (m <= 0)
                return false;
            got += static_cast<std::size_t>(m);
        }
        if (n == 0)
            return readSome(out, b, 1) == 0;
        if (std::memcmp(a, b, got) != 0)
            return false;
    }
}

} // namespace

QtFiles::QtFiles(const DriveMap& map) : m_map(map) {}

std::optional<std::string> QtFiles::host(const std::string& path) const
{
    if (winpath::trim(path).empty())
        return std::nullopt;
    return m_map.toHost(path);
}

// Through the drive links to the file's own path, which is the one an editor opens.
std::string QtFiles::realPath(const std::string& path) const
{
    const auto h = host(path);
    if (!h)
        return path;
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(*h, ec);
    return ec ? *h : real.string();
}

bool QtFiles::fileExists(const std::string& path) const
{
    const auto st = statExisting(path);
    return st && !S_ISDIR(st->st_mode);
}

bool QtFiles::folderExists(const std::string& path) const
{
    const auto st = statExisting(path);
    return st && S_ISDIR(st->st_mode);
}

bool QtFiles::isOrdinaryFile(const std::string& path) const
{
    const auto st = statExisting(path);
    return st && S_ISREG(st->st_mode);
}

bool QtFiles::createFolder(const std::string& path)
{
    const auto h = host(path);
    if (!h)
        return false;
    return ::mkdir(h->c_str(), 0777) == 0 || (errno == EEXIST && folderExists(path));
}

bool QtFiles::createFolders(const std::string& path)
{
    const auto h = host(path);
    if (!h)
        return false;
    std::error_code ec;
    fs::create_directories(*h, ec);
    return folderExists(path);
}

bool QtFiles::removeFile(const std::string& path)
{
    if (winpath::trim(path).empty())
        return false;
    // The path as written first; a folder whose entries are kept needs its stamps around the
    // change, so that the change can be entered.
    std::string h = m_map.asWritten(path);
    fs::path file(h);
    std::string folder = folderKey(file.parent_path().string());
    FolderNames& names = m_map.folderNames();
    auto before = names.holds(folder) ? FolderNames::stampOf(folder) : std::nullopt;
    if (::unlink(h.c_str()) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return false;
        const auto resolved = host(path);
        if (!resolved || *resolved == h)
            return false;
        h = *resolved;
        file = fs::path(h);
        folder = folderKey(file.parent_path().string());
        before = names.holds(folder) ? FolderNames::stampOf(folder) : std::nullopt;
        if (::unlink(h.c_str()) != 0)
            return false;
    }
    if (before)
        names.noteChange(folder, *before, {}, {file.filename().string()});
    return true;
}

CopyResult QtFiles::replace(AtomicFile& out, const std::function<CopyResult(AtomicFile&)>& fill,
                            std::optional<FolderNames::Stamp> before, int folderFd)
{
    FolderNames& names = m_map.folderNames();
    const std::string folder = folderKey(out.folder());
    if (!before)
        before = FolderNames::stampOf(folder);
    if (before)
        out.setLeftoverCandidates(names.tempsOf(folder, out.name(), *before));
    if (!out.open())
        return CopyResult::CannotCreate;
    const CopyResult filled = fill(out);
    if (filled != CopyResult::Ok)
        return filled;
    if (!out.commit())
        return CopyResult::CannotCreate;
    if (before)
        names.noteChange(folder, *before, {out.name()}, out.removedLeftovers(), folderFd);
    return CopyResult::Ok;
}

int QtFiles::openExisting(const std::string& path, int flags) const
{
    const int fd = ::open(m_map.asWritten(path).c_str(), flags | O_CLOEXEC);
    if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR))
        return fd;
    const auto h = host(path);
    return h ? ::open(h->c_str(), flags | O_CLOEXEC) : -1;
}

std::optional<struct stat> QtFiles::statExisting(const std::string& path) const
{
    if (winpath::trim(path).empty())
        return std::nullopt;
    if (auto st = statOf(m_map.asWritten(path)))
        return st;
    const auto h = host(path);
    return h ? statOf(*h) : std::nullopt;
}

// The folder is opened for each copy rather than kept open: a folder held open would keep a
// stick or a floppy from being taken out after a save.
std::optional<std::string> QtFiles::hostFolder(const std::string& folder, std::optional<FolderNames::Stamp>& stamp,
                                               int& fd)
{
    const auto openAndStamp = [&](const std::string& key) {
        fd = ::open(key.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        stamp = fd >= 0 ? FolderNames::stampOf(fd) : std::nullopt;
    };
    if (!m_folderCache.host.empty() && folder == m_folderCache.windows) {
        openAndStamp(m_folderCache.host);
        if (stamp && stamp->dev == m_folderCache.dev && stamp->ino == m_folderCache.ino)
            return m_folderCache.host;
        if (fd >= 0)
            ::close(fd);
    }
    fd = -1;
    m_folderCache = {};
    const auto h = host(folder);
    if (!h)
        return std::nullopt;
    const std::string key = folderKey(*h);
    openAndStamp(key);
    // Kept only when the folder is there as written, the spelling every look-up finds first.
    if (stamp && key == folderKey(m_map.asWritten(folder)))
        m_folderCache = {folder, key, static_cast<dev_t>(stamp->dev), static_cast<ino_t>(stamp->ino)};
    return key;
}

CopyResult QtFiles::copyIntoFolder(const std::string& source, const std::string& folder)
{
    return copyInto(source, folder, false);
}

CopyResult QtFiles::saveIntoFolder(const std::string& source, const std::string& folder)
{
    return copyInto(source, folder, true);
}

CopyResult QtFiles::copyInto(const std::string& source, const std::string& folder, bool flushed)
{
    Fd in(openExisting(source, O_RDONLY));
    struct stat inStat {
    };
    if (in.get() < 0 || ::fstat(in.get(), &inStat) != 0 || S_ISDIR(inStat.st_mode))
        return CopyResult::CannotOpen;
    std::optional<FolderNames::Stamp> stamp;
    int folderFd = -1;
    const auto to = hostFolder(folder, stamp, folderFd);
    const Fd openFolder(folderFd);
    if (!to || !stamp)
        return CopyResult::CannotCreate;
    return copyTo(in.get(), inStat, *to, winpath::fileName(source), flushed, stamp, folderFd);
}

bool QtFiles::copyFile(const std::string& source, const std::string& destination)
{
    Fd in(openExisting(source, O_RDONLY));
    struct stat inStat {
    };
    if (in.get() < 0 || ::fstat(in.get(), &inStat) != 0 || S_ISDIR(inStat.st_mode))
        return false;
    const auto to = host(destination);
    if (!to)
        return false;
    const fs::path path(*to);
    return copyTo(in.get(), inStat, path.parent_path().string(), path.filename().string(), false) == CopyResult::Ok;
}

// The folder's listing tells whether the target is there and how it is spelled, so a new file
// costs no look-up of its own.
CopyResult QtFiles::copyTo(int in, const struct stat& inStat, const std::string& folder, const std::string& name,
                           bool flushed, std::optional<FolderNames::Stamp> before, int folderFd)
{
    FolderNames& names = m_map.folderNames();
    const std::string key = folderKey(folder);
    if (!before)
        before = FolderNames::stampOf(key);
    if (!before)
        return CopyResult::CannotCreate;
    const auto spelling = names.spellingOf(key, name, *before);
    const std::string& entry = spelling ? *spelling : name;
    const std::string target = (key == "." ? std::string() : key + "/") + entry;
    // Within the folder held open, by the entry's name alone.
    const int at = folderFd >= 0 ? folderFd : AT_FDCWD;
    const char* path = folderFd >= 0 ? entry.c_str() : target.c_str();
    struct stat outStat {
    };
    const bool exists =
        (spelling || !names.holds(key)) && ::fstatat(at, path, &outStat, AT_SYMLINK_NOFOLLOW) == 0;
    // Copying a file onto itself would truncate it; it already holds what the copy would.
    if (exists) {
        struct stat real = outStat;
        if ((!S_ISLNK(outStat.st_mode) || ::stat(target.c_str(), &real) == 0) && real.st_dev == inStat.st_dev &&
            real.st_ino == inStat.st_ino)
            return CopyResult::Ok;
    }
    if (!m_copyBuffer)
        m_copyBuffer = std::make_unique<char[]>(2 * CopyChunk);
    // A copy made earlier that holds the same bytes already is left in place and given the
    // time of this copy: on some file systems replacing or deleting many files costs far more
    // than reading them. A file with other names too, or one we may not write, is replaced
    // as always.
    if (exists && !flushed && S_ISREG(inStat.st_mode) && S_ISREG(outStat.st_mode) && outStat.st_nlink == 1 &&
        outStat.st_size == inStat.st_size && userMayWrite(target, outStat)) {
        const Fd old(::openat(at, path, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
        if (old.get() >= 0 &&
            sameBytes(in, old.get(), m_copyBuffer.get(), m_copyBuffer.get() + CopyChunk, CopyChunk) &&
            ::futimens(old.get(), nullptr) == 0)
            return CopyResult::Ok;
        if (::lseek(in, 0, SEEK_SET) != 0)
            return CopyResult::CannotOpen;
    }
    AtomicFile out(target, flushed ? AtomicFile::Durability::Flushed : AtomicFile::Durability::Renamed,
                   exists ? &outStat : nullptr);
    const bool sameFolder = folderKey(out.folder()) == key;
    if (sameFolder && folderFd >= 0)
        out.setFolderDescriptor(folderFd);
    return replace(
        out,
        [this, in](AtomicFile& file) {
            if (file.copyRest(in))
                return CopyResult::Ok;
            char* buffer = m_copyBuffer.get();
            while (true) {
                const ssize_t n = readSome(in, buffer, CopyChunk);
                if (n < 0)
                    return CopyResult::CannotOpen;
                if (n == 0)
                    return CopyResult::Ok;
                if (!file.write(buffer, static_cast<std::size_t>(n)))
                    return CopyResult::CannotCreate;
            }
        },
        sameFolder ? before : std::nullopt, sameFolder ? folderFd : -1);
}

namespace
{

// Without regard to case, then by the exact text; each name lowered once, not per comparison.
void sortNoCase(std::vector<std::string>& names)
{
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names)
        keyed.emplace_back(winpath::lower(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}

// The folder's entries with whether each is a folder (links followed), read straight from the
// directory: a folder of a great many files is listed in one pass without a look-up per entry.
template <typename Take>
void eachEntry(const std::string& folder, Take take)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = e->d_type == DT_DIR;
        if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat st {
            };
            isFolder = ::fstatat(::dirfd(dir), e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        take(name, isFolder);
    }
    ::closedir(dir);
}

} // namespace

std::vector<std::string> QtFiles::list(const std::string& folder, const std::string& mask) const
{
    std::vector<std::string> names;
    const auto h = host(folder);
    if (!h)
        return names;
    eachEntry(*h, [&](std::string_view name, bool isFolder) {
        // A write in progress, or the leftover of one, is no file of the folder yet.
        if (!isFolder && !tempFileTarget(name) && matchesMask(std::string(name), mask))
            names.emplace_back(name);
    });
    sortNoCase(names);
    return names;
}

std::vector<std::string> QtFiles::listFolders(const std::string& folder) const
{
    std::vector<std::string> names;
    const auto h = host(folder);
    if (!h)
        return names;
    eachEntry(*h, [&](std::string_view name, bool isFolder) {
        if (isFolder)
            names.emplace_back(name);
    });
    sortNoCase(names);
    return names;
}

Files::Listing QtFiles::listing(const std::string& folder, const std::string& mask) const
{
    Listing out;
    const auto h = host(folder);
    if (!h)
        return out;
    eachEntry(*h, [&](std::string_view name, bool isFolder) {
        if (isFolder)
            out.folders.emplace_back(name);
        else if (!tempFileTarget(name) && matchesMask(std::string(name), mask))
            out.files.emplace_back(name);
    });
    sortNoCase(out.folders);
    sortNoCase(out.files);
    return out;
}

std::vector<DriveInfo> QtFiles::drives() const
{
    std::vector<DriveInfo> out;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(m_map.prefix()) / "dosdevices", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = winpath::upper(it->path().filename().string());
        if (name.size() != 2 || name[1] != ':' || name[0] < 'A' || name[0] > 'Z')
            continue;
        std::error_code linkEc;
        DriveInfo drive{name[0], it->is_directory(linkEc), {}};
        // A link shows where the drive leads; "../drive_c" reads as "drive_c".
        if (it->is_symlink(linkEc)) {
            const fs::path target = fs::read_symlink(it->path(), linkEc);
            drive.label = target == "/" ? "/" : target.filename().string();
            if (drive.label.empty())
                drive.label = target.string();
        }
        out.push_back(std::move(drive));
    }
    std::sort(out.begin(), out.end(), [](const DriveInfo& a, const DriveInfo& b) { return a.letter < b.letter; });
    return out;
}

std::string QtFiles::currentDirectory() const
{
    if (!m_current.empty())
        return m_current;
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    return ec ? std::string() : m_map.toWindows(here.string());
}

bool QtFiles::setCurrentDirectory(const std::string& path)
{
    const auto h = host(path);
    if (!h || ::chdir(h->c_str()) != 0)
        return false;
    m_current = path;
    return true;
}

std::optional<std::int64_t> QtFiles::modifiedMs(const std::string& path) const
{
    const auto st = statExisting(path);
    if (!st)
        return std::nullopt;
    return static_cast<std::int64_t>(st->st_mtim.tv_sec) * 1000 + st->st_mtim.tv_nsec / 1'000'000;
}

std::optional<std::uint64_t> QtFiles::fileSize(const std::string& path) const
{
    const auto h = host(path);
    const auto st = h ? statOf(*h) : std::nullopt;
    if (!st || S_ISDIR(st->st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(st->st_size);
}

bool QtFiles::sameFile(const std::string& a, const std::string& b) const
{
    const auto sa = statExisting(a);
    const auto sb = sa ? statExisting(b) : std::nullopt;
    return sa && sb && sa->st_dev == sb->st_dev && sa->st_ino == sb->st_ino;
}

std::optional<std::string> QtFiles::readBytes(const std::string& path) const
{
    if (winpath::trim(path).empty())
        return std::nullopt;
    // Only ordinary files: a device or pipe would block the open or never end the read.
    Fd in(openExisting(path, O_RDONLY | O_NONBLOCK));
    struct stat st {
    };
    if (in.get() < 0 || ::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[CopyBufferSize];
    while (true) {
        const ssize_t n = readSome(in.get(), buffer, sizeof buffer);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool QtFiles::writeBytes(const std::string& path, const std::string& bytes)
{
    const auto h = host(path);
    if (!h)
        return false;
    if (const auto st = statOf(*h); st && S_ISDIR(st->st_mode))
        return false;
    AtomicFile out(*h);
    return replace(out, [&bytes](AtomicFile& file) {
               return file.write(bytes.data(), bytes.size()) ? CopyResult::Ok : CopyResult::CannotCreate;
           }) == CopyResult::Ok;
}
