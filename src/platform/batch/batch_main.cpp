// tarnel-batch [--transcript=FILE] FILE [PARAMETERS...]: runs a DOS batch file the way cmd would,
// so that the batch files Tarnel writes work on POSIX hosts. With a transcript, everything the
// run prints also goes into FILE, for the program that follows the build.
// tarnel-batch [--transcript=FILE] --run PROGRAM [ARGUMENTS...]: runs one host program the same
// way, so that the tools Tarnel starts are followed as builds are.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/batch/batch_interpreter.h"
#include "platform/batch/single_run.h"
#include "platform/batch/transcript_tee.h"

extern char** environ;

namespace {

constexpr const char* TranscriptOption = "--transcript=";
constexpr const char* RunOption = "--run";

// An exit status holds 0..255 only: a command that was not found (9009 under cmd) gives 127
// as in a POSIX shell, and any other level out of range gives 1, never a false success.
int exitStatus(int level)
{
    if (level >= 0 && level <= 255)
        return level;
    return level == 9009 ? 127 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string transcript;
    if (!args.empty() && args.front().rfind(TranscriptOption, 0) == 0) {
        transcript = args.front().substr(std::strlen(TranscriptOption));
        args.erase(args.begin());
    }
    const bool single = !args.empty() && args.front() == RunOption;
    if (single)
        args.erase(args.begin());
    if (args.empty()) {
        std::fprintf(stderr, "usage: tarnel-batch [--transcript=FILE] FILE [PARAMETERS...]\n"
                             "       tarnel-batch [--transcript=FILE] --run PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    TranscriptTee tee;
    BatchStreams streams;
    const bool teeing = !transcript.empty() && tee.start(transcript);
    if (!transcript.empty() && !teeing)
        std::fprintf(stderr, "tarnel-batch: cannot write the transcript %s: %s\n", transcript.c_str(),
                     std::strerror(errno));
    if (teeing)
        streams = tee.streams();
    auto end = [&](int status) {
        if (teeing)
            tee.finish(status, std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now() - started)
                                   .count());
        return status;
    };

    std::error_code ec;
    const std::string folder = std::filesystem::current_path(ec).string();
    if (single) {
        SingleRun run;
        run.argv = args;
        for (char** e = environ; *e; ++e)
            run.environment.emplace_back(*e);
        run.folder = folder;
        if (teeing) {
            run.onStart = [&tee](const std::string& command) { tee.programStarted(command); };
            run.onEnd = [&tee](const std::string& program, int status) { tee.programEnded(program, status); };
        }
        return end(exitStatus(run.run(streams)));
    }
    DriveMap map = DriveMap::fromEnvironment();

    // The file may be named as a host path or, as Tarnel stores it, as a Windows path.
    std::string file = args.front();
    if (!std::filesystem::exists(file, ec))
        if (auto host = PathResolver(map).toHost(folder, file))
            file = *host;
    if (!std::filesystem::is_regular_file(file, ec)) {
        const std::string message = "tarnel-batch: cannot find the batch file " + args.front() + "\n";
        if (::write(streams.err, message.data(), message.size()) < 0) {
        }
        return end(1);
    }

    BatchInterpreter interpreter(map, BatchEnvironment::fromEntries(environ), folder);
    if (teeing) {
        interpreter.onProgramStart = [&tee](const std::string& command) { tee.programStarted(command); };
        interpreter.onProgramEnd = [&tee](const std::string& program, int level) { tee.programEnded(program, level); };
    }
    return end(exitStatus(interpreter.run(file, args, streams)));
}
