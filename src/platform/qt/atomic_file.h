#pragma once
// Writes a file through a temporary file in the same folder that replaces the target only
// when every byte is on disk, so a failed or interrupted write leaves the old file as it was.
#include <cstddef>
#include <string>

class AtomicFile
{
public:
    explicit AtomicFile(std::string target);
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
};
