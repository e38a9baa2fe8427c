#pragma once
// The platform's file error texts, the same wherever a file cannot be read or written.
#include <string>

#include "platform/host/files.h"

std::string cannotOpenMessage(const std::string& path);
std::string cannotCreateMessage(const std::string& path);
std::string cannotCreateFolderMessage(const std::string& path);
// The message for a failed copy of source into folder.
std::string copyFailureMessage(CopyResult result, const std::string& source, const std::string& folder);
// A drive that is listed but has no disk behind it.
std::string driveNotReadyMessage(char letter);
