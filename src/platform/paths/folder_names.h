#pragma once
// The entries of host folders, listed once and kept while the folder is unchanged, so that a
// name missing on disk is matched without regard to case without listing its folder again
// for every file, and so that our own abandoned temporary files are found without a listing
// per write. A folder counts as unchanged while its device, inode, modification and change
// times are; changes we make ourselves are entered as they happen.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/paths/name_table.h"

// Our temporary files are named ".NAME.tarnel-XXXXXX" beside the file NAME they will replace.
std::string tempFilePrefix(std::string_view name);
// NAME when the entry is one of our temporary files, else nullopt.
std::optional<std::string> tempFileTarget(std::string_view entry);

class FolderNames {
public:
    struct Stamp {
        std::uint64_t dev = 0, ino = 0;
        std::int64_t mtimeSec = 0, mtimeNsec = 0, ctimeSec = 0, ctimeNsec = 0;
        bool operator==(const Stamp&) const = default;
    };
    static std::optional<Stamp> stampOf(const std::string& folder);
    // The same of a folder held open.
    static std::optional<Stamp> stampOf(int folderFd);

    // The entry of the folder whose name equals part without regard to case.
    std::optional<std::string> find(const std::string& folder, const std::string& part);
    // The entry that a file of that name is in the folder: the name itself when it is there,
    // else its first spelling in another case; nullopt when there is none. `stamp` is the
    // folder's as just read by the caller.
    std::optional<std::string> spellingOf(const std::string& folder, const std::string& name, const Stamp& stamp);
    // Whether the folder's entries are kept, so that changes to it need entering.
    bool holds(const std::string& folder) const { return m_folders.count(folder) != 0; }
    // Our temporary files in the folder for the file of that name; `stamp` is the folder's
    // as just read by the caller.
    std::vector<std::string> tempsOf(const std::string& folder, const std::string& name, const Stamp& stamp);
    // We changed the folder since `before`: entered here instead of listing it again. When the
    // folder had changed before that too, the index is dropped and read again when needed.
    // `folderFd`, when not -1, is the folder changed, held open.
    void noteChange(const std::string& folder, const Stamp& before, const std::vector<std::string>& added,
                    const std::vector<std::string>& removed, int folderFd = -1);

    // How many times a folder was read, for tests that check a folder is read once.
    std::size_t listings() const { return m_listings; }

private:
    // The names of one lower-case form in listing order; nearly always just one, kept without
    // a list of its own.
    struct Spellings {
        std::string first;  // empty once every spelling is gone
        std::vector<std::string> more;
        bool holds(const std::string& name) const;
        void remove(const std::string& name);
    };
    struct Index {
        Stamp stamp;
        NameTable<Spellings> byLower;
        std::unordered_map<std::string, std::vector<std::string>> temps;  // by the name they replace
    };
    Index* current(const std::string& folder);
    Index* current(const std::string& folder, const Stamp& stamp);
    // Adds the name unless it is there already.
    static void add(Index& index, const std::string& name);

    std::unordered_map<std::string, Index> m_folders;
    std::size_t m_listings = 0;
};
