// "Build Changed" with the stand-in tools on the demo installed into a temporary prefix:
// 200 randomized trials on the generated project (each compared with a clean "Build All"; any
// mismatch is counted and fails the run), the demo with nothing to do, and a 1,000-source
// project with one source changed, timed beside "Build All" of the same project in the same run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "support/changed_build_rig.h"

using namespace changedrig;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string newPrefix()
{
    std::string pattern = (fs::temp_directory_path() / "tarnel-bench-XXXXXX").string();
    const std::string made = ::mkdtemp(pattern.data());
    ::setenv("WINEPREFIX", made.c_str(), 1);
    return made;
}

struct Removed {
    std::string path;
    ~Removed()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

void RandomTrials(benchmark::State& state)
{
    Removed prefix{newPrefix()};
    Rig rig(prefix.path);
    Generated project(rig, 2022);
    project.writeProject();
    rig.start();
    rig.run("BuildAll1");
    int stale = 0;
    int trials = 0;
    for (auto _ : state) {
        for (int trial = 0; trial < 200; ++trial) {
            rig.settle();
            const std::string what = project.change();
            rig.run(BuildChanged::MenuItem);
            if (rig.results() != rig.cleanBuildAll()) {
                ++stale;
                std::fprintf(stderr, "trial %d left a stale object or target: %s\n", trial, what.c_str());
            }
            ++trials;
        }
    }
    state.counters["trials"] = trials;
    state.counters["stale"] = stale;
    if (stale > 0)
        state.SkipWithError("a trial left a stale object or target");
}

void DemoNothingToDo(benchmark::State& state)
{
    Removed prefix{newPrefix()};
    Rig rig(prefix.path);
    rig.start();
    rig.run("BuildAll1");
    rig.run(BuildChanged::MenuItem);  // takes note of the build's record; nothing runs
    const std::size_t started = rig.shell.started.size();
    double slowest = 0;
    for (auto _ : state) {
        const auto t = Clock::now();
        rig.app.controls()[BuildChanged::MenuItem].activate();
        const double ms = msSince(t);
        slowest = std::max(slowest, ms);
        state.SetIterationTime(ms / 1000.0);
    }
    const std::size_t runs = rig.shell.started.size() - started;
    state.counters["started"] = static_cast<double>(runs);
    std::printf("Demo, nothing to do: Build Changed at most %.1f ms beside the 1000 ms allowed; %zu builds started\n",
                slowest, runs);
}

// 1,000 sources; Build All, then one source changed and Build Changed, each to the batch's end.
void OneOfAThousand(benchmark::State& state)
{
    Removed prefix{newPrefix()};
    Rig rig(prefix.path);
    const fs::path folder = rig.host("C:\\Big");
    fs::create_directories(folder);
    std::vector<std::string> entries;
    for (int i = 0; i < 1000; ++i) {
        const std::string name = "m" + std::to_string(i) + ".c";
        writeFile(folder / name, i == 0 ? "void main(void)\n{\n}\n" : "int f" + std::to_string(i) + "(void) { return 1; }\n");
        entries.push_back("C:\\Big\\" + name);
    }
    rig.app.compiler().DefaultsClick();
    rig.app.linker().LinkDefsClick();
    rig.app.controls()["ProjectListBox"].setEntries(entries);
    rig.app.project().ComposeProject();
    rig.app.project().write("C:\\Big\\big.prj");
    rig.settings.values["project"] = "C:\\Big\\big.prj";
    rig.start();
    double buildAll = 0, buildChanged = 0;
    int compiled = 0;
    for (auto _ : state) {
        auto t = Clock::now();
        rig.run("BuildAll1");
        buildAll = msSince(t);
        rig.settle();
        writeFile(folder / "m500.c", "int f500(void) { return 2; }\n");
        t = Clock::now();
        const std::string out = rig.run(BuildChanged::MenuItem);
        buildChanged = msSince(t);
        compiled = count(out, "Tarnel stand-in icc78300");
        state.SetIterationTime(buildChanged / 1000.0);
    }
    state.counters["build_all_ms"] = buildAll;
    state.counters["build_changed_ms"] = buildChanged;
    state.counters["compiled"] = compiled;
    std::printf("1,000 sources, one changed: Build Changed %.0f ms (%d compile) beside Build All %.0f ms\n",
                buildChanged, compiled, buildAll);
}

}  // namespace

BENCHMARK(RandomTrials)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(DemoNothingToDo)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(OneOfAThousand)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
