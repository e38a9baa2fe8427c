#pragma once
// What an editor window last read from its file or wrote to it, so that another program's
// change can be told from the window's own: the modification time, and the bytes' length and
// hash for when only the time moved.
#include <cstdint>
#include <optional>
#include <string>

class Files;

enum class DiskState { Same, Changed, Gone };

class DiskCopy {
public:
    void remember(const Files& files, const std::string& path, const std::string& bytes);
    void forget()
    {
        m_known = false;
        m_theirs.reset();
    }
    bool known() const { return m_known; }

    // Changed: the file holds other bytes than those remembered, which then go to `bytes` when
    // asked for. A file that only was touched counts as the same and its time is taken.
    DiskState check(const Files& files, const std::string& path, std::string* bytes = nullptr);

    // The user kept the other program's change: saves that nobody asked for leave this very
    // change alone rather than ask again.
    void keepTheirs(const Files& files, const std::string& path);
    bool keptTheirs(const Files& files, const std::string& path) const;

private:
    bool m_known = false;
    std::int64_t m_modified = 0;
    std::size_t m_size = 0;
    std::size_t m_hash = 0;
    std::optional<std::int64_t> m_theirs;
};
