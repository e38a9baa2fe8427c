#include "build/copy_name_check.h"

#include <unordered_map>

#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace copycheck {

std::optional<Clash> sameNameClash(const Files& files, const std::vector<std::string>& entries)
{
    // The first entry of each name: every later one must be that same file.
    std::unordered_map<std::string, std::size_t> firstByName;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        const auto [it, first] = firstByName.emplace(winpath::lower(winpath::fileName(entry)), i);
        if (first)
            continue;
        const std::string& other = entries[it->second];
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
