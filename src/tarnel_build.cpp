// tarnel-build [--settings FILE] [--sarif FILE] [--junit FILE] [--compile-commands FILE]
//              [--memory-report FILE] [--max-fill ROM=90,RAM=80] PROJECT.prj:
// builds a project as Build All in Tarnel would, on a machine with nobody at the screen, says by
// its exit status whether the target was made, and leaves the result files a build server reads.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "build/headless_build.h"
#include "linker/memory_report.h"
#include "platform/batch/batch_interpreter.h"
#include "platform/batch/transcript_tee.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_headless.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage =
    "usage: tarnel-build [--changed] [--settings FILE] [--sarif FILE] [--junit FILE] [--compile-commands FILE] "
    "[--memory-report FILE] [--max-fill ROM=90,RAM=80] PROJECT.prj";

constexpr const char* Help =
    "Builds a Tarnel project as \"Build All\" does, without a window.\n"
    "\n"
    "It reads your Tarnel settings (or FILE), loads the project as Tarnel's start-up does, writes\n"
    "pathset.bat and ide.bat, runs the build to its end, prints what the tools print and then\n"
    "the outcome Tarnel shows in its status bar.\n"
    "\n"
    "  --changed                build only what changed, as \"Build Changed\" does: compile the\n"
    "                           sources whose objects are out of date and link when needed\n"
    "                           (pathchg.bat and idechg.bat); with nothing to do, exit 0\n"
    "  --settings FILE          read the settings from FILE instead of your own; nothing is\n"
    "                           written to it\n"
    "  --sarif FILE             write the diagnostics as a SARIF 2.1.0 log (for code scanning)\n"
    "  --junit FILE             write JUnit XML: a test case per C source and one for the link\n"
    "  --compile-commands FILE  write compile_commands.json for clangd and other language servers\n"
    "  --memory-report FILE     write how full each address range, ROM and RAM are, with the\n"
    "                           symbols, as JSON (after a build that ran the linker)\n"
    "  --max-fill ROM=N,RAM=N   exit 1 when ROM or RAM is fuller than N percent\n"
    "  --help                   show this text\n"
    "\n"
    "The result files are written once the build has run, whether it made the target or not.\n"
    "A build that ran the linker ends with one line per region, as\n"
    "\"ROM: 1234 of 28672 bytes (4.3%), +56 since the previous build\".\n"
    "\n"
    "Exit status: 0 the target file was created or updated, 1 the build did not make it or a\n"
    "region is fuller than --max-fill allows (named in one line),\n"
    "2 the project or the settings could not be used, or a result file could not be written\n"
    "(the reason in one line).\n";

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

// Reads back what the tee kept of the run, so the build's diagnostics are known per program.
std::vector<TranscriptRecord> readTranscript(const std::string& path)
{
    std::vector<TranscriptRecord> records;
    TranscriptDecoder decoder;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            for (TranscriptRecord& r : decoder.feed(std::string_view(buffer, n)))
                records.push_back(std::move(r));
        std::fclose(f);
    }
    return records;
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
    std::error_code ec;
    std::string transcript = (fs::temp_directory_path(ec) / "tarnel-build-XXXXXX").string();
    const int kept = ::mkstemp(transcript.data());
    if (kept >= 0)
        ::close(kept);
    TranscriptTee tee;
    const bool teeing = kept >= 0 && tee.start(transcript);
    if (!teeing)
        std::fprintf(stderr, "tarnel-build: cannot keep the build's output; the result files will lack its diagnostics\n");
    BatchStreams streams = teeing ? tee.streams() : BatchStreams{};
    streams.in = nothing >= 0 ? nothing : 0;
    std::fflush(stdout);
    const auto started = std::chrono::steady_clock::now();
    BatchInterpreter interpreter(map, BatchEnvironment::fromEntries(environ), *hostFolder);
    interpreter.onProgramStart = [&](const std::string& command) {
        if (teeing)
            tee.programStarted(command);
        else
            records.push_back({TranscriptRecord::Kind::ProgramStarted, command, 0, 0});
    };
    interpreter.onProgramEnd = [&](const std::string& program, int level) {
        if (teeing)
            tee.programEnded(program, level);
        else
            records.push_back({TranscriptRecord::Kind::ProgramEnded, program, level, 0});
    };
    const int level = interpreter.run(*hostFile, {*hostFile}, streams);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    if (teeing) {
        tee.finish(exitStatus(level), ms);
        records = readTranscript(transcript);
    } else {
        records.push_back({TranscriptRecord::Kind::Ended, {}, exitStatus(level), ms});
    }
    if (kept >= 0)
        ::unlink(transcript.c_str());
    if (nothing >= 0)
        ::close(nothing);
    return records;
}

// A result file named on the command line, as a Windows path; empty after a refusal when its
// folder is not there, so that nothing is built for results that could not be kept.
std::string resultPath(const DriveMap& map, const std::string& option, const std::string& file, std::string& problem)
{
    std::error_code ec;
    const fs::path host = fs::absolute(file, ec).lexically_normal();
    if (fs::is_directory(host, ec))
        problem = option + " " + file + " is a folder";
    else if (!fs::is_directory(host.parent_path(), ec))
        problem = option + " " + file + ": the folder " + host.parent_path().string() + " does not exist";
    else
        return map.toWindows(host.string());
    return {};
}

bool writeText(const std::string& path, const std::string& text)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string settingsFile;
    std::vector<std::string> projects;
    bool changedOnly = false;
    // Options with a file, and where each goes.
    std::string sarif, junit, compileCommands, memoryReport, maxFill;
    const std::pair<const char*, std::string*> fileOptions[] = {
        {"--settings", &settingsFile},       {"--sarif", &sarif},
        {"--junit", &junit},                 {"--compile-commands", &compileCommands},
        {"--memory-report", &memoryReport},  {"--max-fill", &maxFill}};
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            std::printf("%s\n\n%s", Usage, Help);
            return 0;
        }
        if (a == "--changed") {
            changedOnly = true;
            continue;
        }
        bool taken = false;
        for (const auto& [name, value] : fileOptions) {
            const std::string joined = std::string(name) + "=";
            const std::string needs = value == &maxFill ? " needs limits such as ROM=90,RAM=80; " : " needs a file; ";
            if (a == name) {
                if (i + 1 == args.size())
                    return refuse(std::string(name) + needs + Usage);
                *value = args[++i];
            } else if (a.rfind(joined, 0) == 0) {
                *value = a.substr(joined.size());
            } else {
                continue;
            }
            if (value->empty())
                return refuse(std::string(name) + needs + Usage);
            taken = true;
            break;
        }
        if (taken)
            continue;
        if (a.size() > 1 && a[0] == '-')
            return refuse("unknown option " + a + "; " + Usage);
        projects.push_back(a);
    }
    if (projects.empty())
        return refuse("no project file given; " + std::string(Usage));
    if (projects.size() > 1)
        return refuse("one project file at a time; " + std::string(Usage));

    std::vector<FillLimit> limits;
    if (!maxFill.empty()) {
        std::string problem;
        const auto parsed = parseFillLimits(maxFill, problem);
        if (!parsed)
            return refuse("--max-fill " + problem);
        limits = *parsed;
    }

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
    CiOutputs outputs;
    const std::pair<const char*, std::pair<const std::string*, std::string*>> results[] = {
        {"--sarif", {&sarif, &outputs.sarif}},
        {"--junit", {&junit, &outputs.junit}},
        {"--compile-commands", {&compileCommands, &outputs.compileCommands}}};
    for (const auto& [name, paths] : results) {
        if (paths.first->empty())
            continue;
        std::string problem;
        *paths.second = resultPath(map, name, *paths.first, problem);
        if (!problem.empty())
            return refuse(problem);
    }
    if (!memoryReport.empty()) {
        std::string problem;
        resultPath(map, "--memory-report", memoryReport, problem);
        if (!problem.empty())
            return refuse(problem);
    }
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
    const HeadlessBuild::Result result = HeadlessBuild::run(platform, project, outputs, changedOnly);
    if (result.exit == HeadlessBuild::BadInput)
        return refuse(result.problem);
    MemoryUsage memory;
    memory.reason = "the build did not run the linker";
    // Before the outcome, which stays the last line as the status bar's word.
    if (result.memory) {
        memory = *result.memory;
        for (const std::string& line : memorySummary(memory))
            std::printf("%s\n", line.c_str());
    }
    std::printf("%s\n", result.outcome.c_str());
    if (!result.unwritten.empty()) {
        std::fflush(stdout);
        return refuse("cannot write the result file " + result.unwritten.front());
    }
    if (!memoryReport.empty() && !writeText(memoryReport, memoryReportJson(memory))) {
        std::fflush(stdout);
        return refuse("cannot write the result file " + memoryReport);
    }
    if (const std::string over = fillExceeded(memory, limits); !over.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "tarnel-build: %s\n", over.c_str());
        return HeadlessBuild::NotMade;
    }
    return result.exit;
}
