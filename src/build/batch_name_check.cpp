#include "build/batch_name_check.h"

namespace batchcheck {

namespace {

constexpr std::string_view kSpecial = "&|<>^%\"";

bool safe(std::string_view text, bool blankAllowed)
{
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || (code == 32 && !blankAllowed) || kSpecial.find(c) != std::string_view::npos)
            return false;
    }
    return true;
}

}  // namespace

bool safeFileName(std::string_view name)
{
    return safe(name, false);
}

bool safeDirectory(std::string_view dir)
{
    return safe(dir, true);
}

std::string fileNameMessage(const std::string& entry)
{
    return "The file " + entry + " cannot be built:\rits name holds a blank or one of & | < > ^ % \"\r"
           "Rename the file; no build files were written.";
}

std::string directoryMessage(const std::string& dir)
{
    return "The directory " + dir + " cannot be used in pathset.bat:\rit holds one of & | < > ^ % \"\r"
           "Choose another directory in Setup; pathset.bat was not written.";
}

}  // namespace batchcheck
