// The start-up sequence (without its 1000 ms wait) copying 500 headers and 50 libraries on the
// real file system, beside `cp` of the same files in the same run.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/start_up.h"
#include "linker/compose_linker_line.h"
#include "app/tembedded.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"

namespace fs = std::filesystem;

namespace {

constexpr int kHeaders = 500;
constexpr int kLibraries = 50;

struct Machine {
    fs::path root;
    fs::path driveC;
    Machine()
    {
        std::string tmpl = (fs::temp_directory_path() / "tarnel-bench-XXXXXX").string();
        root = mkdtemp(tmpl.data());
        setenv("WINEPREFIX", root.c_str(), 1);
        DriveMap(root.string()).ensurePrefix();
        driveC = root / "drive_c";
        fs::create_directories(driveC / "Nec" / "C" / "include");
        fs::create_directories(driveC / "Nec" / "C" / "Lib");
        fs::create_directories(driveC / "Tarnel" / "Source");
        const std::string header(4 * 1024, 'h');
        const std::string library(16 * 1024, 'r');
        for (int i = 0; i < kHeaders; ++i)
            std::ofstream(driveC / "Nec" / "C" / "include" / ("h" + std::to_string(i) + ".h")) << header;
        for (int i = 0; i < kLibraries; ++i)
            std::ofstream(driveC / "Nec" / "C" / "Lib" / ("l" + std::to_string(i) + ".r25")) << library;
        for (const char* name : DefaultCommandFiles)
            std::ofstream(driveC / "Tarnel" / "Source" / (std::string(name) + ".xcl")) << "-Z(CODE)CODE=1000-7FFF\r\n";
    }
    ~Machine() { fs::remove_all(root); }
};

Machine& machine()
{
    static Machine m;
    return m;
}

void BM_StartUpSequence(benchmark::State& state)
{
    Machine& m = machine();
    DriveMap map(m.root.string());
    QtFiles files(map);
    for (auto _ : state) {
        FakeHost fake;
        Host host{fake.dialogs, fake.shell, fake.beeper, fake.clock, fake.timers, fake.settings, files, ""};
        TEmbedded app(host);
        app.FormActivate();
        fake.timers.fire(StartUp::TimerMs);
    }
    state.counters["per_file"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * (kHeaders + kLibraries),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StartUpSequence)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CpSameFiles(benchmark::State& state)
{
    Machine& m = machine();
    const fs::path dest = m.root / "cp-dest";
    fs::create_directories(dest);
    const std::string cmd = "cp " + (m.driveC / "Nec/C/include").string() + "/*.h " +
                            (m.driveC / "Nec/C/Lib").string() + "/*.r25 " + dest.string();
    for (auto _ : state)
        if (std::system(cmd.c_str()) != 0)
            state.SkipWithError("cp failed");
    state.counters["per_file"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * (kHeaders + kLibraries),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CpSameFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
