#pragma once
// Runs one program to its end with the given standard handles, folder and environment.
#include <string>
#include <vector>

struct ChildProcess {
    std::string program;               // host path to execute
    std::vector<std::string> argv;     // argv[0] included
    std::vector<std::string> environment;  // "NAME=VALUE" entries
    std::string folder;                // working folder (host path)
    int handles[3] = {0, 1, 2};        // descriptors that become 0, 1 and 2 in the child

    // The exit status, 128 + signal when it was killed, -1 when it could not be started.
    int run() const;
};
