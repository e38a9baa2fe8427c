#include "app/file_messages.h"

#include "platform/paths/win_path.h"

std::string cannotOpenMessage(const std::string& path)
{
    return "Cannot open file " + path;
}

std::string cannotCreateMessage(const std::string& path)
{
    return "Cannot create file " + path;
}

std::string cannotCreateFolderMessage(const std::string& path)
{
    return "Cannot create directory " + path;
}

std::string copyFailureMessage(CopyResult result, const std::string& source, const std::string& folder)
{
    return result == CopyResult::CannotOpen ? cannotOpenMessage(source)
                                            : cannotCreateMessage(winpath::join(folder, winpath::fileName(source)));
}

std::string driveNotReadyMessage(char letter)
{
    const std::string drive = std::string(1, letter) + ":";
    return "There is no disk in the drive. Please insert a disk into drive " + drive + ".";
}
