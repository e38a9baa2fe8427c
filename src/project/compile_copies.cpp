#include "project/compile_copies.h"

#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace compilecopies {

namespace {

// Folder text for comparison: one separator style, lower case, one trailing backslash.
std::string folderKey(std::string_view folder)
{
    std::string s(folder);
    for (char& c : s)
        if (c == '/')
            c = '\\';
    return winpath::lower(winpath::withBackslash(s));
}

}  // namespace

bool liesInCompileDir(const std::string& entry, const std::string& compileDir)
{
    const std::string dir = winpath::dirPart(entry);
    if (dir.empty())
        return true;
    return folderKey(dir) == folderKey(compileDir);
}

void clear(Files& files, const std::string& compileDir, const std::vector<std::string>& sources)
{
    if (!files.folderExists(compileDir))
        return;
    for (auto it = sources.rbegin(); it != sources.rend(); ++it) {
        if (liesInCompileDir(*it, compileDir))
            continue;
        const std::string copy = winpath::join(compileDir, winpath::fileName(*it));
        if (files.fileExists(copy))
            files.removeFile(copy);
    }
    const std::string batch = winpath::join(compileDir, "ide.bat");
    if (files.fileExists(batch))
        files.removeFile(batch);
}

}  // namespace compilecopies
