#pragma once
// Maps Windows paths to host paths the way Wine does: drive X: is <prefix>/dosdevices/x:.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths/folder_names.h"

class DriveMap {
public:
    explicit DriveMap(std::string prefix);

    // $WINEPREFIX, else ~/.wine when it exists, else Tarnel's own prefix under ~/.local/share.
    static std::string prefixFromEnvironment();
    // The map of the environment's prefix, with the prefix made ready for use.
    static DriveMap fromEnvironment();

    // Creates the prefix with c: -> ../drive_c and z: -> / when it has no dosdevices folder.
    // Existing drive links are never touched.
    void ensurePrefix() const;

    // Host path of a Windows path; nullopt when its drive has no link. Components missing on
    // disk are matched without regard to case; a component with no match is kept as written.
    std::optional<std::string> toHost(std::string_view windowsPath) const;

    // The host path as the Windows path spells it, without looking at the disk: the same as
    // toHost() gives when that path exists. For a first try that needs no look-up.
    std::string asWritten(std::string_view windowsPath) const;

    // Windows form of a host path: under a drive's root that drive, else Z:.
    std::string toWindows(std::string_view hostPath) const;

    const std::string& prefix() const { return m_prefix; }

    // The program's own folder is reached through the Windows form it had when set, whatever
    // the drives hold: a prefix without a drive for it (Wine's sandbox removes Z:) must still
    // find the program's help pages and version strings.
    void setOwnFolder(const std::string& hostFolder);

    // The listings behind the case-insensitive matching; whoever changes a folder through this
    // map enters the change here, so the next lookup need not list the folder again.
    FolderNames& folderNames() const { return m_names; }

private:
    struct Parts {
        std::string root, parent;  // parent: root and every name but the last
        std::vector<std::string> names;
        bool drive = false;
    };
    Parts partsOf(std::string_view windowsPath) const;
    std::string appendResolved(const std::string& base, const std::string& part, bool exactMissing = false) const;

    std::optional<std::string_view> ownFolderRest(std::string_view windowsPath) const;

    std::string m_prefix;
    std::string m_ownHost;
    std::string m_ownWindows;  // without a trailing backslash
    mutable FolderNames m_names;
};
