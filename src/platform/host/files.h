#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class CopyResult { Ok, CannotOpen, CannotCreate };

// File system access by Windows path. Text is single-byte; lines are written with CR LF and
// CR LF, CR and LF all end a line on reading. Writes are atomic (temp file and rename).
class Files {
public:
    virtual ~Files() = default;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool folderExists(const std::string& path) const = 0;
    // One level only, as the caller asks; false on failure.
    virtual bool createFolder(const std::string& path) = 0;
    virtual bool createFolders(const std::string& path) = 0;
    virtual bool removeFile(const std::string& path) = 0;
    // Copies into the folder under the source's own name, replacing a file of that name. A
    // source that is that very file (by identity) is left alone and counts as copied.
    virtual CopyResult copyIntoFolder(const std::string& source, const std::string& folder) = 0;
    virtual bool copyFile(const std::string& source, const std::string& destination) = 0;
    // Names (not paths) of the files in the folder that match the mask, without regard to case.
    virtual std::vector<std::string> list(const std::string& folder, const std::string& mask) const = 0;
    // Last modification, milliseconds since the epoch.
    virtual std::optional<std::int64_t> modifiedMs(const std::string& path) const = 0;
    // True when both paths name one existing file (device and inode), whatever their text:
    // "..", another drive letter for the same folder, a link.
    virtual bool sameFile(const std::string& a, const std::string& b) const = 0;
    virtual std::optional<std::string> readBytes(const std::string& path) const = 0;
    virtual bool writeBytes(const std::string& path, const std::string& bytes) = 0;

    std::optional<std::vector<std::string>> readLines(const std::string& path) const;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines);
};

// Line splitting shared by every reader: CR LF, CR and LF end a line; a final break adds none.
std::vector<std::string> splitLines(const std::string& bytes);
std::string joinLines(const std::vector<std::string>& lines);
