#pragma once
// Writes a file through a temporary file in the same folder that replaces the target only
// when every byte is on disk, so a failed or interrupted write leaves the old file as it was.
// A file that does not exist yet is written unnamed and given its name when complete, so a
// killed write leaves nothing behind. Replacing a file needs a named temporary file; a write
// killed in flight leaves that behind, and the next write of the same target removes such
// leftovers of ours. A writer holds a lock on its temporary file while it works, so a
// leftover is told from the file of a write still under way.
#include <cstddef>
#include <optional>
#include <sys/stat.h>
#include <sys/types.h>
#include <string>
#include <vector>

// Whether the user may write the existing file `st` describes. Replacing a file through its
// folder must not get round the file's own protection.
bool userMayWrite(const std::string& path, const struct stat& st);

class AtomicFile
{
public:
    // A copy that can be made again any time need not wait for the disk: it is still never
    // seen half-written, only not flushed before the rename.
    enum class Durability { Flushed, Renamed };
    // A target that is a symbolic link is written where the link points.
    explicit AtomicFile(std::string target, Durability durability = Durability::Flushed);
    // For a caller that has just looked at the target: `replaced` is what lstat() gave for it,
    // nullptr when it does not exist.
    AtomicFile(std::string target, Durability durability, const struct stat* replaced);
    ~AtomicFile(); // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // The folder ("" for the current one) and name of the file that is written.
    const std::string& folder() const { return m_folder; }
    const std::string& name() const { return m_name; }
    // The leftovers to look at, when the caller knows the folder's entries already; without
    // this, open() lists the folder.
    void setLeftoverCandidates(std::vector<std::string> names) { m_candidates = std::move(names); }
    // The folder as the caller holds it open (any descriptor that names it): the new file is
    // made and named through it, without the folder's path being walked again.
    void setFolderDescriptor(int folder) { m_dirFd = folder; }
    // Names of the leftovers that open() removed.
    const std::vector<std::string>& removedLeftovers() const { return m_removed; }

    // Fails, with errno set, when the target exists and the user may not write it.
    bool open();
    bool write(const char* data, std::size_t size);
    // Copies what is left of the open file `in` without bringing it through user space; false
    // where the two file systems cannot, then the caller goes on through write() from where
    // this stopped.
    bool copyRest(int in);
    bool commit();

private:
    void splitTarget();
    void removeLeftovers();
    bool openUnnamed(unsigned mode);
    bool nameUnnamed();
    void keepOwnerAndMode(const struct stat& now);

    std::optional<struct stat> m_replaced; // the file that is replaced, when there is one
    std::string m_target;
    std::string m_folder;
    std::string m_name;
    std::string m_temp;
    int m_fd = -1; // locked until the rename
    int m_dirFd = -1; // the folder's, not ours to close
    bool m_unnamed = false;
    bool m_failed = false;
    Durability m_durability;
    std::optional<std::vector<std::string>> m_candidates;
    std::vector<std::string> m_removed;
};
