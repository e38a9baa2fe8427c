#include "build/copy_name_check.h"

#include "platform/host/files.h"
#include "platform/paths/name_table.h"
#include "platform/paths/win_path.h"

namespace copycheck {

std::optional<Clash> sameNameClash(const Files& files, const std::vector<std::string>& entries)
{
    // The first entry of each name: every later one must be that same file.
    NameTable<std::size_t> firstByName;
    firstByName.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        bool first = false;
        std::size_t& firstIndex = firstByName.insert(winpath::fileName(entry), &first);
        if (first) {
            firstIndex = i;
            continue;
        }
        const std::string& other = entries[firstIndex];
        if (!winpath::equalsNoCase(other, entry) && !files.sameFile(other, entry))
            return Clash{other, entry};
    }
    return std::nullopt;
}

std::string clashMessage(const Clash& clash)
{
    return "The files " + clash.first + " and " + clash.second +
           " cannot both be built:\rtheir copies in the compile directory would have the same name\r"
           "Rename one of them; no build files were written.";
}

}  // namespace copycheck
