// Writing the build files for large projects on the real file system and on tmpfs (/dev/shm,
// where no disk hides the cost of the calls), beside a plain `cp` of the same sources into an
// empty folder in the same iteration, so the cost of the copies can be judged against the
// system's own. Both copy into a folder that starts empty every time: names missing on disk
// are the case that once made every copy list the whole folder. A second start, whose copies
// are there already, is set beside a first.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/tembedded.h"
#include "build/build_files.h"
#include "build/compiler_options.h"
#include "project/project_file.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSourceBytes = 10 * 1024;

// A temporary Wine-style prefix holding n sources under C:\bench\src.
class BenchPrefix {
public:
    BenchPrefix(int n, const fs::path& base)
    {
        std::string pattern = (base / "tarnel-bench-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
        ::setenv("WINEPREFIX", m_root.c_str(), 1);
        m_map = std::make_unique<DriveMap>(m_root);
        m_map->ensurePrefix();
        fs::create_directories(hostSources());
        const std::string body(kSourceBytes, 'x');
        for (int i = 0; i < n; ++i) {
            const std::string name = "src" + std::to_string(i) + ".c";
            std::ofstream(hostSources() + "/" + name, std::ios::binary) << body;
            m_entries.push_back("C:\\bench\\src\\" + name);
        }
        ::sync();
    }
    ~BenchPrefix()
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    const DriveMap& map() const { return *m_map; }
    std::string hostSources() const { return m_root + "/drive_c/bench/src"; }
    std::string hostCompileDir() const { return m_root + "/drive_c/bench/Source"; }
    std::string hostCopies() const { return m_root + "/drive_c/bench/cp"; }
    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::string m_root;
    std::unique_ptr<DriveMap> m_map;
    std::vector<std::string> m_entries;
};

constexpr int kOnDisk = 0;
constexpr int kOnTmpfs = 1;

// One set of sources at a time.
BenchPrefix& prefix(int n, int where)
{
    static int current = 0;
    static int currentWhere = 0;
    static std::unique_ptr<BenchPrefix> sources;
    if (!sources || current != n || currentWhere != where) {
        sources.reset();
        sources = std::make_unique<BenchPrefix>(n, where == kOnTmpfs ? fs::path("/dev/shm") : fs::temp_directory_path());
        current = n;
        currentWhere = where;
    }
    return *sources;
}

// A program's state with the sources as its project, its files on the real file system.
struct BenchApp {
    explicit BenchApp(BenchPrefix& p) : files(p.map()), app(host)
    {
        app.settings().project = "C:\\bench\\bench.prj";
        app.settings().compSource = "C:\\bench\\Source";
        app.outputCaptureFile = "C:\\Outputfile.txt";
        app.compiler().DefaultsClick();
        app.linker().LinkDefsClick();
        app.controls()["ProjectListBox"].setEntries(p.entries());
    }
    QtFiles files;
    FakeHost fakes;
    Host host{fakes.dialogs, fakes.shell, fakes.beeper, fakes.clock, fakes.timers, fakes.settings, files, ""};
    TEmbedded app;
};

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Our figure is the benchmark's time: from GenerateBuildFiles' start until ide.bat is written.
// The counters give cp's time for the same files and how many times cp's time ours took.
void BM_GenerateBuildFilesBesideCp(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    BenchPrefix& p = prefix(n, static_cast<int>(state.range(1)));
    BenchApp bench(p);
    TEmbedded& app = bench.app;
    const std::string cp = "cp -r " + p.hostSources() + "/. " + p.hostCopies();

    double ours = 0;
    double theirs = 0;
    int round = 0;
    for (auto _ : state) {
        std::error_code ec;
        fs::remove_all(p.hostCompileDir(), ec);
        fs::remove_all(p.hostCopies(), ec);
        fs::create_directories(p.hostCompileDir());
        ::sync();

        // Which of the two runs first changes from one iteration to the next: the file system
        // serves the second writer from what the first left (free inodes, cached folders).
        double cpTime = 0;
        double ourTime = 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == (round % 2 == 0)) {
                const auto cpStart = std::chrono::steady_clock::now();
                if (std::system(cp.c_str()) != 0)
                    state.SkipWithError("cp failed");
                cpTime = seconds(std::chrono::steady_clock::now() - cpStart);
            } else {
                const auto start = std::chrono::steady_clock::now();
                if (!app.buildFiles().GenerateBuildFiles(true))
                    state.SkipWithError("generation failed");
                ourTime = seconds(std::chrono::steady_clock::now() - start);
            }
            ::sync();
        }
        ++round;
        state.SetIterationTime(ourTime);
        ours += ourTime;
        theirs += cpTime;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["cp_ms"] = theirs / runs * 1000;
    state.counters["tarnel_ms"] = ours / runs * 1000;
    state.counters["tarnel_per_cp"] = theirs > 0 ? ours / theirs : 0;
    state.SetBytesProcessed(state.iterations() * n * static_cast<std::int64_t>(kSourceBytes));
}
BENCHMARK(BM_GenerateBuildFilesBesideCp)
    ->ArgNames({"sources", "tmpfs"})
    ->Args({10000, kOnDisk})
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateBuildFilesBesideCp)
    ->ArgNames({"sources", "tmpfs"})
    ->Args({100000, kOnDisk})
    ->Iterations(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateBuildFilesBesideCp)
    ->ArgNames({"sources", "tmpfs"})
    ->Args({10000, kOnTmpfs})
    ->Iterations(6)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateBuildFilesBesideCp)
    ->ArgNames({"sources", "tmpfs"})
    ->Args({100000, kOnTmpfs})
    ->Iterations(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A start loads the project and makes the build files; the load leaves the copies of the last
// start for the build files to replace. Our figure is the second start's (the copies are
// there); the counters give a first start's beside it (the same over an empty folder), in the
// same rounds.
void BM_SecondStartBesideFirst(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    BenchPrefix& p = prefix(n, static_cast<int>(state.range(1)));
    BenchApp bench(p);
    TEmbedded& app = bench.app;
    const std::string project = app.settings().project;
    app.project().ComposeProject();
    if (!app.project().write(project))
        state.SkipWithError("project not written");
    const auto start = [&] {
        const auto begin = std::chrono::steady_clock::now();
        if (!app.project().load(project, ProjectFile::Copies::LeftForBuild) ||
            !app.buildFiles().GenerateBuildFiles(true))
            state.SkipWithError("start failed");
        const double took = seconds(std::chrono::steady_clock::now() - begin);
        ::sync();
        return took;
    };
    double first = 0;
    double second = 0;
    for (auto _ : state) {
        std::error_code ec;
        fs::remove_all(p.hostCompileDir(), ec);
        fs::create_directories(p.hostCompileDir());
        ::sync();
        const double firstTime = start();
        const double secondTime = start();
        state.SetIterationTime(secondTime);
        first += firstTime;
        second += secondTime;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["first_ms"] = first / runs * 1000;
    state.counters["second_ms"] = second / runs * 1000;
    state.counters["second_per_first"] = first > 0 ? second / first : 0;
}
BENCHMARK(BM_SecondStartBesideFirst)
    ->ArgNames({"sources", "tmpfs"})
    ->Args({10000, kOnDisk})
    ->Args({10000, kOnTmpfs})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SecondStartBesideFirst)
    ->ArgNames({"sources", "tmpfs"})
    ->Args({100000, kOnDisk})
    ->Args({100000, kOnTmpfs})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
