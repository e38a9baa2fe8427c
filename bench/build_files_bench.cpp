// Writing the build files for a large project on the real file system, beside a plain `cp`
// of the same sources, so the cost of the copies can be judged against the system's own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/tembedded.h"
#include "build/build_files.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSources = 1000;
constexpr std::size_t kSourceBytes = 10 * 1024;

// A temporary Wine-style prefix holding the sources under C:\bench\src.
class BenchPrefix {
public:
    BenchPrefix()
    {
        std::string pattern = (fs::temp_directory_path() / "tarnel-bench-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
        ::setenv("WINEPREFIX", m_root.c_str(), 1);
        m_map = std::make_unique<DriveMap>(m_root);
        m_map->ensurePrefix();
        fs::create_directories(hostSources());
        const std::string body(kSourceBytes, 'x');
        for (int i = 0; i < kSources; ++i) {
            const std::string name = "src" + std::to_string(i) + ".c";
            std::ofstream(hostSources() + "/" + name, std::ios::binary) << body;
            m_entries.push_back("C:\\bench\\src\\" + name);
        }
    }
    ~BenchPrefix()
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }

    const DriveMap& map() const { return *m_map; }
    std::string hostSources() const { return m_root + "/drive_c/bench/src"; }
    std::string hostCopies() const { return m_root + "/drive_c/bench/cp"; }
    const std::vector<std::string>& entries() const { return m_entries; }

private:
    std::string m_root;
    std::unique_ptr<DriveMap> m_map;
    std::vector<std::string> m_entries;
};

BenchPrefix& prefix()
{
    static BenchPrefix p;
    return p;
}

void BM_GenerateBuildFiles(benchmark::State& state)
{
    QtFiles files(prefix().map());
    FakeHost fakes;
    Host host{fakes.dialogs, fakes.shell, fakes.beeper, fakes.clock, fakes.timers, fakes.settings, files, ""};
    TEmbedded app(host);
    app.settings().project = "C:\\bench\\bench.prj";
    app.settings().compSource = "C:\\bench\\Source";
    app.outputCaptureFile = "C:\\Outputfile.txt";
    app.compiler().DefaultsClick();
    app.linker().LinkDefsClick();
    app.controls()["ProjectListBox"].setEntries(prefix().entries());
    for (auto _ : state) {
        if (!app.buildFiles().GenerateBuildFiles(true))
            state.SkipWithError("generation failed");
    }
    state.SetBytesProcessed(state.iterations() * kSources * static_cast<std::int64_t>(kSourceBytes));
}
BENCHMARK(BM_GenerateBuildFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CpSameFiles(benchmark::State& state)
{
    fs::create_directories(prefix().hostCopies());
    const std::string command = "cp " + prefix().hostSources() + "/*.c " + prefix().hostCopies() + "/";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    state.SetBytesProcessed(state.iterations() * kSources * static_cast<std::int64_t>(kSourceBytes));
}
BENCHMARK(BM_CpSameFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
