#pragma once
// Every project file is copied into the compile directory under its own name, so two files of
// one name (without regard to case, as the drive sees it) in different folders would overwrite
// each other's copy, and the build would silently compile one of them twice.
#include <optional>
#include <string>
#include <vector>

class Files;

namespace copycheck {

struct Clash {
    std::string first;
    std::string second;
};

// The first two entries that share a file name but are different files; the same file
// listed twice (or reached by two paths) is no clash.
std::optional<Clash> sameNameClash(const Files& files, const std::vector<std::string>& entries);

std::string clashMessage(const Clash& clash);

}  // namespace copycheck
