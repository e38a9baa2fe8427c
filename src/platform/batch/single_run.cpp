#include "platform/batch/single_run.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/batch/child_process.h"
#include "platform/batch/program_lookup.h"

namespace
{

std::string pathValue(const std::vector<std::string>& environment)
{
    for (const std::string& e : environment)
        if (e.rfind("PATH=", 0) == 0)
            return e.substr(5);
    return "/usr/bin:/bin";
}

void say(int fd, const std::string& text)
{
    if (::write(fd, text.data(), text.size()) < 0) {
    }
}

} // namespace

std::string SingleRun::commandText(const std::vector<std::string>& argv)
{
    std::string out;
    for (const std::string& a : argv) {
        if (!out.empty())
            out += ' ';
        out += a.empty() || a.find_first_of(" \t") != std::string::npos ? '"' + a + '"' : a;
    }
    return out;
}

int SingleRun::run(const BatchStreams& streams) const
{
    if (argv.empty())
        return 127;
    const std::string& name = argv.front();
    if (onStart)
        onStart(commandText(argv));
    std::string program = name;
    if (name.find('/') == std::string::npos)
        program = ProgramLookup::findOnHostPath(name, pathValue(environment));
    int status = 127;
    struct stat st {
    };
    if (program.empty() || ::stat(program.c_str(), &st) != 0) {
        say(streams.err, "tarnel-batch: cannot start " + name + ": no such program\n");
    } else if (!S_ISREG(st.st_mode) || ::access(program.c_str(), X_OK) != 0) {
        say(streams.err, "tarnel-batch: cannot start " + name + ": not an executable program\n");
    } else {
        ChildProcess child;
        child.program = program;
        child.argv = argv;
        child.environment = environment;
        child.folder = folder;
        child.handles[0] = streams.in;
        child.handles[1] = streams.out;
        child.handles[2] = streams.err;
        status = child.run();
        if (status < 0) {
            say(streams.err, "tarnel-batch: cannot start " + name + ": " + std::strerror(errno) + "\n");
            status = 127;
        }
    }
    if (onEnd)
        onEnd(name, status);
    return status;
}
