#include "project/compile_copies.h"

#include <unordered_set>

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
    removeCopies(files, compileDir, sources, stopped);
    if (!(stopped && stopped()))
        removeBatch(files, compileDir);
}

void removeCopies(Files& files, const std::string& compileDir, const std::vector<std::string>& sources,
                  const std::function<bool()>& stopped)
{
    if (sources.empty() || !files.folderExists(compileDir))
        return;
    for (auto it = sources.rbegin(); it != sources.rend(); ++it) {
        if (stopped && stopped())
            return;
        if (liesInCompileDir(files, *it, compileDir))
            continue;
        // A copy that is not there, or is a folder, is simply not removed.
        files.removeFile(winpath::join(compileDir, winpath::fileName(*it)));
    }
}

void removeBatch(Files& files, const std::string& compileDir)
{
    const std::string batch = winpath::join(compileDir, "ide.bat");
    if (files.fileExists(batch))
        files.removeFile(batch);
}

std::vector<std::string> notMadeAgain(const std::vector<std::string>& stale, const std::vector<std::string>& made)
{
    // A build of the project just loaded makes the very entries the load left.
    if (stale == made)
        return {};
    std::unordered_set<std::string> names;
    for (const std::string& entry : made)
        names.insert(winpath::lower(winpath::fileName(entry)));
    std::vector<std::string> left;
    for (const std::string& entry : stale)
        if (names.count(winpath::lower(winpath::fileName(entry))) == 0)
            left.push_back(entry);
    return left;
}

}  // namespace compilecopies
