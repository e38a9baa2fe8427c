#pragma once
// Names in host folders without regard to case, for paths whose last part is not there as
// written. A folder's listing is kept while its modification stamp stands and is kept up to
// date by our own creations and deletions, so filling a large folder lists it once, not once
// per file. File systems stamp folders in coarse steps: a listing read while its folder's stamp
// was that recent is read again on the next use, since a change in the same step would not show.
#include <ctime>
#include <map>
#include <string>
#include <sys/types.h>
#include <unordered_map>

class FolderNames
{
public:
    // folder + "/" + the entry that matches name: as written, else one that differs only in
    // case, else name as written.
    std::string resolve(const std::string& folder, const std::string& name);
    // Our own change to an entry of a folder whose listing was just resolved.
    void added(const std::string& hostPath);
    void removed(const std::string& hostPath);

private:
    struct Stamp {
        dev_t dev = 0;
        ino_t ino = 0;
        timespec mtime{};
        bool operator==(const Stamp& o) const
        {
            return dev == o.dev && ino == o.ino && mtime.tv_sec == o.mtime.tv_sec &&
                   mtime.tv_nsec == o.mtime.tv_nsec;
        }
    };
    struct Listing {
        Stamp stamp;
        std::unordered_map<std::string, std::string> byLower;
        bool caseTwins = false; // names that differ only in case: the map shows one of them
        bool recent = false;    // read within a stamp step of the folder's last change
    };
    static bool stampOf(const std::string& folder, Stamp& out);
    Listing* current(const std::string& folder);

    std::map<std::string, Listing> m_listings;
};
