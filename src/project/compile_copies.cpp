#include "project/compile_copies.h"

#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace compilecopies {

bool liesInCompileDir(const Files& files, const std::string& entry, const std::string& compileDir)
{
    if (winpath::dirPart(entry).empty())
        return true;
    return files.sameFile(entry, winpath::join(compileDir, winpath::fileName(entry)));
}

void clear(Files& files, const std::string& compileDir, const std::vector<std::string>& sources,
           const std::function<bool()>& stopped)
{
    if (!files.folderExists(compileDir))
        return;
    for (auto it = sources.rbegin(); it != sources.rend(); ++it) {
        if (stopped && stopped())
            return;
        if (liesInCompileDir(files, *it, compileDir))
            continue;
        // A copy that is not there, or is a folder, is simply not removed.
        files.removeFile(winpath::join(compileDir, winpath::fileName(*it)));
    }
    const std::string batch = winpath::join(compileDir, "ide.bat");
    if (files.fileExists(batch))
        files.removeFile(batch);
}

}  // namespace compilecopies
