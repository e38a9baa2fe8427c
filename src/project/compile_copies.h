#pragma once
// The copies of a project's sources in the compile directory. A source that lies in the
// compile directory itself is the only copy of that file: it is never treated as a copy.
#include <functional>
#include <string>
#include <vector>

class Files;

namespace compilecopies {

// True when the entry is a file of the compile directory itself. That is a matter of file
// identity, not of the path's text: "..", another drive letter or a link may reach the same
// file. An entry without a directory part counts as one, because the build runs with the
// compile directory current.
bool liesInCompileDir(const Files& files, const std::string& entry, const std::string& compileDir);

// Deletes, from the last entry to the first, the compile directory's file of each entry's
// name, and then "ide.bat". Nothing happens when the compile directory does not exist. When
// `stopped` says so (a shutdown has begun), it stops there and leaves the rest.
void clear(Files& files, const std::string& compileDir, const std::vector<std::string>& sources,
           const std::function<bool()>& stopped = {});
// The two halves of clear: the copies, then ide.bat.
void removeCopies(Files& files, const std::string& compileDir, const std::vector<std::string>& sources,
                  const std::function<bool()>& stopped = {});
void removeBatch(Files& files, const std::string& compileDir);

// The entries of `stale` whose copy none of `made` replaced (names compared without regard to
// case, as the compile directory's files are), in their order.
std::vector<std::string> notMadeAgain(const std::vector<std::string>& stale, const std::vector<std::string>& made);

}  // namespace compilecopies
