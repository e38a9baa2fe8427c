#pragma once
// Writes a file through a temporary file in the same folder that replaces the target only
// when every byte is on disk, so a failed or interrupted write leaves the old file as it was.
#include <cstddef>
#include <string>

class AtomicFile
{
public:
    // A copy that can be made again any time need not wait for the disk: it is still never
    // seen half-written, only not flushed before the rename.
    enum class Durability { Flushed, Renamed };
    explicit AtomicFile(std::string target, Durability durability = Durability::Flushed);
    ~AtomicFile(); // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    bool write(const char* data, std::size_t size);
    bool commit();

private:
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_failed = false;
    Durability m_durability;
};
