#include "platform/qt/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/paths/folder_names.h"

namespace
{

// A link is written where it points, rather than replaced.
std::string resolvedTarget(const std::string& path, std::optional<struct stat>& replaced)
{
    struct stat st {
    };
    if (::lstat(path.c_str(), &st) != 0)
        return path;
    if (!S_ISLNK(st.st_mode)) {
        replaced = st;
        return path;
    }
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        std::string out(real);
        std::free(real);
        if (::stat(out.c_str(), &st) == 0)
            replaced = st;
        return out;
    }
    return path;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

// A file without a single write bit is read-only for everyone, root included (root's access()
// says yes to any file); otherwise the kernel decides, as it would for an open for writing.
bool userMayWrite(const std::string& path, const struct stat& st)
{
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return false;
    }
    if (st.st_uid == ::geteuid() && (st.st_mode & S_IWUSR) != 0)
        return true; // the owner with write permission: no need to ask again
    return ::access(path.c_str(), W_OK) == 0;
}

namespace
{

// Unnamed files get their name through /proc; without it they are not used.
bool unnamedFilesCanBeNamed()
{
    static const bool can = ::access("/proc/self/fd", X_OK) == 0;
    return can;
}

std::string randomSuffix()
{
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[6] = {};
    if (::getentropy(bytes, sizeof bytes) != 0)
        for (auto& b : bytes)
            b = static_cast<unsigned char>(std::rand());
    std::string out;
    for (const unsigned char b : bytes)
        out += kChars[b % (sizeof kChars - 1)];
    return out;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// A temporary file whose writer is gone: a live writer holds its lock, a killed one's lock
// went with its process.
bool abandoned(const std::string& path)
{
    struct stat st {
    };
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool unlocked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return unlocked;
}

} // namespace

AtomicFile::AtomicFile(std::string target, Durability durability)
    : m_target(resolvedTarget(target, m_replaced)), m_durability(durability)
{
    splitTarget();
}

AtomicFile::AtomicFile(std::string target, Durability durability, const struct stat* replaced)
    : m_durability(durability)
{
    if (replaced && S_ISLNK(replaced->st_mode)) {
        m_target = resolvedTarget(target, m_replaced);
    } else {
        m_target = std::move(target);
        if (replaced)
            m_replaced = *replaced;
    }
    splitTarget();
}

void AtomicFile::splitTarget()
{
    const auto slash = m_target.rfind('/');
    m_folder = slash == std::string::npos ? std::string() : m_target.substr(0, slash + 1);
    m_name = m_target.substr(m_folder.size());
}

AtomicFile::~AtomicFile()
{
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    closeFd(m_fd);
}

void AtomicFile::removeLeftovers()
{
    std::vector<std::string> candidates;
    if (m_candidates) {
        candidates = *m_candidates;
    } else if (DIR* dir = ::opendir(m_folder.empty() ? "." : m_folder.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (tempFileTarget(e->d_name) == m_name)
                candidates.emplace_back(e->d_name);
        ::closedir(dir);
    }
    for (const std::string& name : candidates) {
        const std::string path = m_folder + name;
        if (tempFileTarget(name) == m_name && abandoned(path) && ::unlink(path.c_str()) == 0)
            m_removed.push_back(name);
    }
}

bool AtomicFile::openUnnamed(unsigned mode)
{
    const int fd = m_dirFd >= 0 ? ::openat(m_dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode)
                                : ::open(m_folder.empty() ? "." : m_folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (fd < 0)
        return false; // a file system without unnamed files: a named one is used
    m_fd = fd;
    m_unnamed = true;
    return true;
}

// The replaced file's owner and group stay where the user may give them (root, or a group of
// the user's own); its permissions stay too, set after the owner, which clears set-id bits.
void AtomicFile::keepOwnerAndMode(const struct stat& now)
{
    const struct stat& was = *m_replaced;
    bool chowned = false;
    if (now.st_uid != was.st_uid || now.st_gid != was.st_gid) {
        chowned = ::fchown(m_fd, was.st_uid, was.st_gid) == 0 ||
                  (now.st_gid != was.st_gid && ::fchown(m_fd, static_cast<uid_t>(-1), was.st_gid) == 0);
    }
    if (chowned || (now.st_mode & 07777) != (was.st_mode & 07777))
        ::fchmod(m_fd, was.st_mode & 07777);
}

bool AtomicFile::open()
{
    if (m_replaced && S_ISREG(m_replaced->st_mode) && !userMayWrite(m_target, *m_replaced))
        return false;
    removeLeftovers();
    // The kernel applies the umask to an unnamed file's mode itself.
    if (!m_replaced && unnamedFilesCanBeNamed() && openUnnamed(0666))
        return true;
    // Another writer of the same target may take a fresh file of ours for a leftover in the
    // instant before it is locked; then a new name is tried.
    for (int attempt = 0; attempt < 4; ++attempt) {
        std::string tmpl = m_folder + tempFilePrefix(m_name) + "XXXXXX";
        const int fd = ::mkstemp(tmpl.data());
        if (fd < 0)
            return false;
        struct stat st {
        };
        const bool lockedByOther = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        if (lockedByOther || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
            ::close(fd);
            continue;
        }
        m_fd = fd;
        m_temp = tmpl;
        if (m_replaced)
            keepOwnerAndMode(st);
        else
            ::fchmod(m_fd, newFileMode());
        return true;
    }
    return false;
}

bool AtomicFile::write(const char* data, std::size_t size)
{
    while (size > 0 && !m_failed) {
        const ssize_t n = ::write(m_fd, data, size);
        if (n < 0) {
            if (errno != EINTR)
                m_failed = true;
            continue;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return !m_failed;
}

bool AtomicFile::copyRest(int in)
{
    while (!m_failed) {
        const ssize_t n = ::copy_file_range(in, nullptr, m_fd, nullptr, std::size_t{1} << 30, 0);
        if (n == 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
    return false;
}

// Gives the finished unnamed file the target's name; when the target has appeared meanwhile,
// a temporary name of ours first and then the rename over it.
bool AtomicFile::nameUnnamed()
{
    // Straight from the descriptor where the kernel lets us (it saves a walk through /proc).
    static std::atomic<bool> fromDescriptor{true};
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    const int at = m_dirFd >= 0 ? m_dirFd : AT_FDCWD;
    const char* target = m_dirFd >= 0 ? m_name.c_str() : m_target.c_str();
    bool taken = false;
    if (fromDescriptor) {
        if (::linkat(m_fd, "", at, target, AT_EMPTY_PATH) == 0)
            return true;
        taken = errno == EEXIST;
        fromDescriptor = taken;
    }
    if (!taken) {
        if (::linkat(AT_FDCWD, self.c_str(), at, target, AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    // Locked, so that while it has the temporary name it is no leftover to anyone.
    ::flock(m_fd, LOCK_EX | LOCK_NB);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string temp = m_folder + tempFilePrefix(m_name) + randomSuffix();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (::rename(temp.c_str(), m_target.c_str()) == 0)
            return true;
        ::unlink(temp.c_str());
        return false;
    }
    return false;
}

bool AtomicFile::commit()
{
    if (m_fd < 0 || m_failed)
        return false;
    if (m_durability == Durability::Flushed && ::fsync(m_fd) != 0)
        return false;
    if (m_unnamed) {
        const bool named = nameUnnamed();
        const bool closed = ::close(m_fd) == 0;
        m_fd = -1;
        return named && closed;
    }
    // Renamed while still open, so the lock lasts until the file has its name; the close can
    // then only report what a flushed file has already on disk.
    if (::rename(m_temp.c_str(), m_target.c_str()) != 0)
        return false;
    m_temp.clear();
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    return closed;
}
