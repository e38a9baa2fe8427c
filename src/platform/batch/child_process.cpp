#include "platform/batch/child_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

static std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> out;
    for (std::string& t : texts)
        out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

int ChildProcess::run() const
{
    std::vector<std::string> args = argv;
    std::vector<std::string> env = environment;
    std::vector<std::string> shArgs{"sh", program};
    shArgs.insert(shArgs.end(), argv.begin() + (argv.empty() ? 0 : 1), argv.end());
    // Everything the child needs is prepared before fork: only async-signal-safe calls follow.
    std::vector<char*> argp = pointers(args);
    std::vector<char*> envp = pointers(env);
    std::vector<char*> shArgp = pointers(shArgs);

    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        // Copied above 2 first so that handles that trade places do not overwrite each other.
        int high[3];
        for (int i = 0; i < 3; ++i)
            high[i] = fcntl(handles[i], F_DUPFD, 10);
        for (int i = 0; i < 3; ++i) {
            if (high[i] >= 0) {
                dup2(high[i], i);
                close(high[i]);
            } else {
                close(i);
            }
        }
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        execve(program.c_str(), argp.data(), envp.data());
        // A script without a #! line, as a shell would run it.
        if (errno == ENOEXEC)
            execve("/bin/sh", shArgp.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}
