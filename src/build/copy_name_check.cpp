#include "build/copy_name_check.h"

#include <unordered_map>

#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace copycheck {

std::optional<Clash> sameNameClash(const Files& files, const std::vector<std::string>& entries)
{
    std::unordered_map<std::string, std::vector<std::size_t>> byName;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        std::vector<std::size_t>& earlier = byName[winpath::lower(winpath::fileName(entry))];
        for (const std::size_t j : earlier) {
            const std::string& other = entries[j];
            if (!winpath::equalsNoCase(other, entry) && !files.sameFile(other, entry))
                return Clash{other, entry};
        }
        earlier.push_back(i);
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
