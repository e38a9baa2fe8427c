// tarnel-build [--settings FILE] PROJECT.prj: builds a project as Build All in Tarnel would, on
// a machine with nobody at the screen, and says by its exit status whether the target was made.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "build/headless_build.h"
#include "platform/batch/batch_interpreter.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_headless.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage = "usage: tarnel-build [--settings FILE] PROJECT.prj";

constexpr const char* Help =
    "Builds a Tarnel project as \"Build All\" does, without a window.\n"
    "\n"
    "It reads your Tarnel settings (or FILE), loads the project as Tarnel's start-up does, writes\n"
    "pathset.bat and ide.bat, runs the build to its end, prints what the tools print and then\n"
    "the outcome Tarnel shows in its status bar.\n"
    "\n"
    "  --settings FILE   read the settings from FILE instead of your own; nothing is written to it\n"
    "  --help            show this text\n"
    "\n"
    "Exit status: 0 the target file was created or updated, 1 the build did not make it,\n"
    "2 the project or the settings could not be used (the reason in one line).\n";

int refuse(const std::string& problem)
{
    std::fprintf(stderr, "tarnel-build: %s\n", problem.c_str());
    return HeadlessBuild::BadInput;
}

std::string kindOf(const fs::file_status& status)
{
    switch (status.type()) {
    case fs::file_type::character:
        return "a character device";
    case fs::file_type::block:
        return "a block device";
    case fs::file_type::fifo:
        return "a pipe (FIFO)";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "a special file";
    }
}

// An exit status holds 0..255; a command that was not found (9009 under cmd) is 127.
int exitStatus(int level)
{
    if (level >= 0 && level <= 255)
        return level;
    return level == 9009 ? 127 : 1;
}

std::vector<TranscriptRecord> runBatch(const DriveMap& map, const std::string& file, const std::string& folder)
{
    std::vector<TranscriptRecord> records;
    const auto hostFile = map.toHost(file);
    const auto hostFolder = map.toHost(folder);
    if (!hostFile || !hostFolder) {
        std::fprintf(stderr, "tarnel-build: the drive of %s is not mapped\n", (hostFile ? folder : file).c_str());
        records.push_back({TranscriptRecord::Kind::Ended, {}, 1, 0});
        return records;
    }
    // A "pause" in ide.bat must never hold a build server: the batch reads no terminal.
    const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    BatchStreams streams;
    streams.in = nothing >= 0 ? nothing : 0;
    std::fflush(stdout);
    const auto started = std::chrono::steady_clock::now();
    BatchInterpreter interpreter(map, BatchEnvironment::fromEntries(environ), *hostFolder);
    interpreter.onProgramEnd = [&records](const std::string& program, int level) {
        records.push_back({TranscriptRecord::Kind::ProgramEnded, program, level, 0});
    };
    const int level = interpreter.run(*hostFile, {*hostFile}, streams);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    records.push_back({TranscriptRecord::Kind::Ended, {}, exitStatus(level), ms});
    if (nothing >= 0)
        ::close(nothing);
    return records;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string settingsFile;
    std::vector<std::string> projects;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::printf("%s\n\n%s", Usage, Help);
            return 0;
        }
        if (a == "--settings") {
            if (i + 1 == args.size())
                return refuse("--settings needs a file; " + std::string(Usage));
            settingsFile = args[++i];
        } else if (a.rfind("--settings=", 0) == 0) {
            settingsFile = a.substr(11);
        } else if (a.size() > 1 && a[0] == '-') {
            return refuse("unknown option " + a + "; " + Usage);
        } else {
            projects.push_back(a);
        }
    }
    if (projects.empty())
        return refuse("no project file given; " + std::string(Usage));
    if (projects.size() > 1)
        return refuse("one project file at a time; " + std::string(Usage));

    DriveMap map = DriveMap::fromEnvironment();
    std::error_code ec;
    // The project may be named as a host path or, as Tarnel stores it, as a Windows path.
    std::string project = projects.front();
    fs::path host = project;
    if (!fs::exists(host, ec))
        if (auto mapped = map.toHost(project); mapped && project.find('\\') != std::string::npos)
            host = *mapped;
    const fs::file_status status = fs::status(host, ec);
    if (fs::is_directory(status))
        return refuse(project + " is a folder, not a project file");
    if (!fs::exists(status))
        return refuse("the project file " + project + " does not exist");
    if (!fs::is_regular_file(status))
        return refuse(project + " is not a regular file but " + kindOf(status) + ", not a project file");
    if (project.find('\\') == std::string::npos) {
        project = map.toWindows(fs::absolute(host, ec).lexically_normal().string());
        // A path under no drive is named on Z:, which a sandboxed prefix does not have.
        const auto back = map.toHost(project);
        if (!back || !fs::equivalent(*back, host, ec))
            return refuse(projects.front() + " lies outside every drive of the Wine prefix, where Tarnel cannot reach it");
    }

    if (!settingsFile.empty() && !fs::is_regular_file(settingsFile, ec))
        return refuse("the settings file " + settingsFile + " does not exist");
    QtHeadless qt(argc, argv, map, settingsFile.empty() ? std::string() : fs::absolute(settingsFile, ec).string());
    HeadlessBuild::Platform platform{qt.files(),
                                     qt.clock(),
                                     qt.settings(),
                                     qt.programFolder(),
                                     qt.programFile(),
                                     [&map](const std::string& file, const std::string& folder) {
                                         return runBatch(map, file, folder);
                                     },
                                     [](const std::string& line) {
                                         std::fflush(stdout);
                                         std::fprintf(stderr, "tarnel-build: %s\n", line.c_str());
                                     }};
    const HeadlessBuild::Result result = HeadlessBuild::run(platform, project);
    if (result.exit == HeadlessBuild::BadInput)
        return refuse(result.problem);
    std::printf("%s\n", result.outcome.c_str());
    return result.exit;
}
