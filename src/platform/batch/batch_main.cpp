// tarnel-batch FILE [PARAMETERS...]: runs a DOS batch file the way cmd would, so that the batch
// files Tarnel writes work on POSIX hosts.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/batch/batch_interpreter.h"

extern char** environ;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarnel-batch FILE [PARAMETERS...]\n");
        return 2;
    }
    std::error_code ec;
    const std::string folder = std::filesystem::current_path(ec).string();
    DriveMap map = DriveMap::fromEnvironment();

    // The file may be named as a host path or, as Tarnel stores it, as a Windows path.
    std::string file = argv[1];
    if (!std::filesystem::exists(file, ec))
        if (auto host = PathResolver(map).toHost(folder, file))
            file = *host;
    if (!std::filesystem::is_regular_file(file, ec)) {
        std::fprintf(stderr, "tarnel-batch: cannot find the batch file %s\n", argv[1]);
        return 1;
    }

    BatchInterpreter interpreter(map, BatchEnvironment::fromEntries(environ), folder);
    std::vector<std::string> params(argv + 1, argv + argc);
    const int level = interpreter.run(file, params);
    // An exit status holds 0..255 only: a command that was not found (9009 under cmd) gives 127
    // as in a POSIX shell, and any other level out of range gives 1, never a false success.
    if (level >= 0 && level <= 255)
        return level;
    return level == 9009 ? 127 : 1;
}
