#include "editor/disk_copy.h"

#include <functional>

#include "platform/host/files.h"

void DiskCopy::remember(const Files& files, const std::string& path, const std::string& bytes)
{
    const auto modified = files.modifiedMs(path);
    m_known = modified.has_value();
    m_modified = modified.value_or(0);
    m_size = bytes.size();
    m_hash = std::hash<std::string>{}(bytes);
    m_theirs.reset();
}

void DiskCopy::keepTheirs(const Files& files, const std::string& path)
{
    m_theirs = files.modifiedMs(path);
}

bool DiskCopy::keptTheirs(const Files& files, const std::string& path) const
{
    return m_theirs && files.modifiedMs(path) == m_theirs;
}

DiskState DiskCopy::check(const Files& files, const std::string& path, std::string* bytes)
{
    if (!m_known)
        return DiskState::Same;
    const auto modified = files.modifiedMs(path);
    if (!modified)
        return DiskState::Gone;
    if (*modified == m_modified)
        return DiskState::Same;
    auto now = files.readBytes(path);
    if (!now)
        return DiskState::Gone;
    if (now->size() == m_size && std::hash<std::string>{}(*now) == m_hash) {
        m_modified = *modified;
        return DiskState::Same;
    }
    if (bytes)
        *bytes = std::move(*now);
    return DiskState::Changed;
}
