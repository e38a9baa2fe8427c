#pragma once
// In-memory file system keyed by Windows path without regard to case. "." and ".." are applied
// to the text, and links make other paths name the same files, as on a real disk.
#include <cctype>
#include <map>
#include <set>

#include "platform/host/files.h"
#include "platform/paths/mask.h"

class Clock;

class FakeFiles : public Files {
public:
    explicit FakeFiles(const Clock* clock = nullptr) : m_clock(clock) {}

    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    bool isOrdinaryFile(const std::string& path) const override;
    bool createFolder(const std::string& path) override;
    bool createFolders(const std::string& path) override;
    bool removeFile(const std::string& path) override;
    CopyResult copyIntoFolder(const std::string& source, const std::string& folder) override;
    bool copyFile(const std::string& source, const std::string& destination) override;
    std::vector<std::string> list(const std::string& folder, const std::string& mask) const override;
    std::optional<std::int64_t> modifiedMs(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    bool sameFile(const std::string& a, const std::string& b) const override;
    std::optional<std::string> readBytes(const std::string& path) const override;
    bool writeBytes(const std::string& path, const std::string& bytes) override;
    std::vector<DriveInfo> drives() const override;
    std::vector<std::string> listFolders(const std::string& folder) const override;
    std::string currentDirectory() const override { return m_current; }
    bool setCurrentDirectory(const std::string& path) override;
    // "C:\a\b.c" is "/c/a/b.c": a host of its own, as far from the Windows text as a real one.
    std::string realPath(const std::string& path) const override;

    // Test set-up: a file with its folders; a folder with its parents.
    void put(const std::string& path, const std::string& bytes, std::int64_t modifiedMs = 0);
    void putFolder(const std::string& path);
    void setModified(const std::string& path, std::int64_t ms);
    // A drive letter without a disk: listed, never ready.
    void putDriveWithoutDisk(char letter) { m_noDisk.insert(static_cast<char>(std::toupper(letter))); }
    // Writes and folder creation under this folder (or of this file) fail.
    void denyWrites(const std::string& pathOrFolder) { m_denied.insert(resolve(pathOrFolder)); }
    void denyReads(const std::string& path) { m_unreadable.insert(resolve(path)); }
    // A device: it exists, is no ordinary file and cannot be read.
    void putDevice(const std::string& path);
    // A file that tells this size, as a sparse one would, and cannot be read.
    void putHuge(const std::string& path, std::uint64_t size);
    // Paths under (or equal to) alias name what lies under target: a second drive letter for a
    // folder, or a symbolic link to a file or folder.
    void addLink(const std::string& alias, const std::string& target);
    std::vector<std::string> allFiles() const;
    int writeCount(const std::string& path) const;

    // The path's text made comparable: lower case, backslashes, "." and ".." applied.
    static std::string key(const std::string& path);

private:
    struct Entry {
        std::string path;
        std::string bytes;
        std::int64_t modified = 0;
    };
    // The key of the file or folder the path reaches, links followed.
    std::string resolve(const std::string& path) const;
    bool denied(const std::string& path) const;
    std::int64_t now() const;

    const Clock* m_clock;
    std::map<std::string, Entry> m_files;
    std::map<std::string, std::string> m_folders;  // key -> folder as first written
    std::set<char> m_noDisk;
    std::string m_current = "C:\\";
    std::set<std::string> m_denied;
    std::set<std::string> m_unreadable;
    std::set<std::string> m_devices;
    std::map<std::string, std::uint64_t> m_hugeSizes;
    std::map<std::string, int> m_writes;
    std::map<std::string, std::string> m_links;  // alias key -> target key
};
