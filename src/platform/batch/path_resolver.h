#pragma once
// Turns the Windows paths a batch file names into host paths, relative to the batch's current
// folder (a host path), through the Wine-style drive map.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths/drive_map.h"

class PathResolver {
public:
    explicit PathResolver(DriveMap map) : m_map(std::move(map)) {}

    // "C:\x" and "\x" (on the current folder's drive) are absolute, anything else is relative to
    // the current folder. nullopt when the drive has no link.
    std::optional<std::string> toHost(const std::string& currentFolder, std::string_view windowsPath) const;

    // The Windows form of a host folder, as the prompt shows it.
    std::string toWindows(const std::string& hostPath) const;

    // The host folders of a PATH value (entries separated by ';'); entries whose drive has no
    // link are skipped.
    std::vector<std::string> hostEntries(const std::string& currentFolder, std::string_view pathValue) const;

    // A host PATH value (entries separated by ':') in Windows form, separated by ';'.
    std::string windowsPathValue(std::string_view hostPathValue) const;

    const DriveMap& driveMap() const { return m_map; }

private:
    DriveMap m_map;
};
