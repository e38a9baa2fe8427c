#include "platform/qt/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

AtomicFile::AtomicFile(std::string target, Durability durability)
    : m_target(std::move(target)), m_durability(durability)
{
}

AtomicFile::~AtomicFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
}

static std::string resolvedTarget(const std::string& path)
{
    // Writing through a link updates the file it points to rather than replacing the link.
    struct stat st {
    };
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string out(real);
            std::free(real);
            return out;
        }
    }
    return path;
}

static mode_t newFileMode(const std::string& target)
{
    struct stat st {
    };
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool AtomicFile::open()
{
    m_target = resolvedTarget(m_target);
    const auto slash = m_target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : m_target.substr(0, slash + 1);
    const std::string name = m_target.substr(dir.size());
    std::string tmpl = dir + "." + name + ".tarnel-XXXXXX";
    m_fd = ::mkstemp(tmpl.data());
    if (m_fd < 0)
        return false;
    m_temp = tmpl;
    ::fchmod(m_fd, newFileMode(m_target));
    return true;
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

bool AtomicFile::commit()
{
    if (m_fd < 0 || m_failed)
        return false;
    const bool synced = m_durability == Durability::Renamed || ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed || ::rename(m_temp.c_str(), m_target.c_str()) != 0)
        return false;
    m_temp.clear();
    return true;
}
