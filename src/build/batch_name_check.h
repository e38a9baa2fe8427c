#pragma once
// Names that end up inside a batch line must not split or redirect it: cmd.exe gives the
// characters below a meaning of their own, and a blank splits a file name in two.
#include <string>
#include <string_view>

namespace batchcheck {

// A file name written into an ide.bat line: no blank, control character or & | < > ^ % ".
bool safeFileName(std::string_view name);
// A directory inside pathset.bat's SET PATH lines: blanks are fine there, but none of
// & | < > ^ % " and no control character.
bool safeDirectory(std::string_view dir);

// Messages that name the refused file or directory.
std::string fileNameMessage(const std::string& entry);
std::string directoryMessage(const std::string& dir);

}  // namespace batchcheck
