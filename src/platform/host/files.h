#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class CopyResult { Ok, CannotOpen, CannotCreate };

// A drive letter of the mapping. A drive that is listed but not ready has no disk behind it
// (as a floppy drive without a disk).
struct DriveInfo {
    char letter;        // upper case
    bool ready;
    std::string label;  // what the drive stands for, for display; may be empty
};

// File system access by Windows path. Text is single-byte; lines are written with CR LF and
// CR LF, CR and LF all end a line on reading. Writes are atomic (temp file and rename).
class Files {
public:
    virtual ~Files() = default;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool folderExists(const std::string& path) const = 0;
    // An ordinary file: not a folder, device or pipe (which cannot be read as text).
    virtual bool isOrdinaryFile(const std::string& path) const { return fileExists(path); }
    // One level only, as the caller asks; false on failure.
    virtual bool createFolder(const std::string& path) = 0;
    virtual bool createFolders(const std::string& path) = 0;
    virtual bool removeFile(const std::string& path) = 0;
    // Copies into the folder under the source's own name, replacing a file of that name. A
    // source that is that very file (by identity) is left alone and counts as copied.
    virtual CopyResult copyIntoFolder(const std::string& source, const std::string& folder) = 0;
    // The same, and the copy is on the disk before it takes the name: for media that may be
    // pulled out (a stick, a floppy), where a file under the name must be whole.
    virtual CopyResult saveIntoFolder(const std::string& source, const std::string& folder)
    {
        return copyIntoFolder(source, folder);
    }
    virtual bool copyFile(const std::string& source, const std::string& destination) = 0;
    // Names (not paths) of the files in the folder that match the mask, without regard to case.
    virtual std::vector<std::string> list(const std::string& folder, const std::string& mask) const = 0;
    // Last modification, milliseconds since the epoch.
    virtual std::optional<std::int64_t> modifiedMs(const std::string& path) const = 0;
    // Size in bytes as the file system tells it, without reading the file.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) const = 0;
    // True when both paths name one existing file (device and inode), whatever their text:
    // "..", another drive letter for the same folder, a link.
    virtual bool sameFile(const std::string& a, const std::string& b) const = 0;
    // Where the file lies on the host, for a watch on its changes; none without a host file system.
    virtual std::optional<std::string> hostPath(const std::string& path) const
    {
        (void)path;
        return std::nullopt;
    }
    virtual std::optional<std::string> readBytes(const std::string& path) const = 0;
    virtual bool writeBytes(const std::string& path, const std::string& bytes) = 0;

    // Browsing: the drives in letter order, and the names of a folder's sub-folders.
    virtual std::vector<DriveInfo> drives() const = 0;
    virtual std::vector<std::string> listFolders(const std::string& folder) const = 0;
    // Both of a folder at once, as listFolders() and list() give them: a folder of a great many
    // files is read once.
    struct Listing {
        std::vector<std::string> folders;
        std::vector<std::string> files;
    };
    virtual Listing listing(const std::string& folder, const std::string& mask) const
    {
        return {listFolders(folder), list(folder, mask)};
    }
    // The process's current directory, a Windows path; false when the folder cannot be entered.
    virtual std::string currentDirectory() const = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
    // The path as the host's own programs name it (a compiler database, a file URI); on
    // Windows the path itself, as it is for a drive without a mapping.
    virtual std::string realPath(const std::string& path) const { return path; }

    std::optional<std::vector<std::string>> readLines(const std::string& path) const;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines);
};

// Line splitting shared by every reader: CR LF, CR and LF end a line; a final break adds none.
std::vector<std::string> splitLines(const std::string& bytes);
std::string joinLines(const std::vector<std::string>& lines);
