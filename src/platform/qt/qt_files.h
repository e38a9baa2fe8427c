#pragma once
// Files by Windows path on the host file system, through the drive map. Every change made
// here is entered in the drive map's folder listings, so copying many files into one folder
// lists that folder once, not once per file.
#include <functional>
#include <memory>
#include <sys/stat.h>

#include "platform/host/files.h"
#include "platform/paths/folder_names.h"
#include "platform/qt/atomic_file.h"

class DriveMap;

class QtFiles : public Files
{
public:
    explicit QtFiles(const DriveMap& map);

    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    bool isOrdinaryFile(const std::string& path) const override;
    bool createFolder(const std::string& path) override;
    bool createFolders(const std::string& path) override;
    bool removeFile(const std::string& path) override;
    CopyResult copyIntoFolder(const std::string& source, const std::string& folder) override;
    CopyResult saveIntoFolder(const std::string& source, const std::string& folder) override;
    bool copyFile(const std::string& source, const std::string& destination) override;
    std::vector<std::string> list(const std::string& folder, const std::string& mask) const override;
    std::optional<std::int64_t> modifiedMs(const std::string& path) const override;
    std::optional<std::uint64_t> fileSize(const std::string& path) const override;
    bool sameFile(const std::string& a, const std::string& b) const override;
    std::optional<std::string> hostPath(const std::string& path) const override { return host(path); }
    std::optional<std::string> readBytes(const std::string& path) const override;
    bool writeBytes(const std::string& path, const std::string& bytes) override;
    std::vector<DriveInfo> drives() const override;
    std::vector<std::string> listFolders(const std::string& folder) const override;
    Listing listing(const std::string& folder, const std::string& mask) const override;
    std::string currentDirectory() const override;
    bool setCurrentDirectory(const std::string& path) override;
    std::string realPath(const std::string& path) const override;

private:
    std::optional<std::string> host(const std::string& path) const;
    // An existing file by the path as written, and only when that misses by the matched one.
    int openExisting(const std::string& path, int flags) const;
    std::optional<struct stat> statExisting(const std::string& path) const;
    // The host folder of a Windows folder, and its stamp as read now. That of the last folder
    // copied into is kept while it is the same folder. `fd` is the folder opened, for the
    // caller to close; -1 when it could not be.
    std::optional<std::string> hostFolder(const std::string& folder, std::optional<FolderNames::Stamp>& stamp,
                                          int& fd);
    CopyResult copyInto(const std::string& source, const std::string& folder, bool flushed);
    // `folderFd`, when not -1, is the folder open, as the caller found it at `before`.
    CopyResult copyTo(int in, const struct stat& inStat, const std::string& folder, const std::string& name,
                      bool flushed, std::optional<FolderNames::Stamp> before = std::nullopt, int folderFd = -1);
    // Writes the target through `fill`; CannotCreate when the file cannot be made. `before` is
    // the target folder's stamp when the caller has just read it, `folderFd` the folder open.
    CopyResult replace(AtomicFile& out, const std::function<CopyResult(AtomicFile&)>& fill,
                       std::optional<FolderNames::Stamp> before = std::nullopt, int folderFd = -1);

    const DriveMap& m_map;
    std::string m_current; // as last set; the host's own folder until then
    struct FolderCache {
        std::string windows, host;
        dev_t dev = 0;
        ino_t ino = 0;
    } m_folderCache;
    std::unique_ptr<char[]> m_copyBuffer;
};
